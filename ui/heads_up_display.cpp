// heads_up_display.cpp -- the text overlay of every frame and the help screen
//
// Called by runFrame at the end of every frame. Everything is drawn in character cells of the
// bitmap font (bitmap_font.h).
#include "ui/heads_up_display.h"

#include "engine/viewer_state.h"
#include "platform/gl.h"
#include "platform/interval_timer.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "ui/bitmap_font.h"
#include "ui/commands.h"
#include "ui/key_table.h"
#include "ui/number_format.h"

IntervalTimer helpTimer;

namespace {

constexpr double HelpSeconds = 2.5;
// The cells whose glyphs stand whole in the scene.
constexpr int TextColumns = SceneWidth / GlyphAdvance;

// Every number is formatted here just before it is printed.
char numberText[NumberTextSize];

// A number ends before the next field at endColumn, losing digits where it would not.
void printSignificant(BitmapFont& font, int column, int row, double value, int digits,
                      int endColumn) {
    formatSignificantWithin(value, digits, endColumn - column, numberText);
    font.print(column, row, numberText, 0);
}

void printSigned(BitmapFont& font, int column, int row, int32_t value) {
    formatSigned(value, numberText);
    font.print(column, row, numberText, 1);
}

void drawStatistics(BitmapFont& font) {
    const ViewerState& s = viewerState;
    printSignificant(font, 0, 0, s.framesPerSecond, 4, 15);
    font.print(15, 0, "h - zobrazi help", 1);
    formatUnsigned(s.iterationCount, numberText);
    font.print(10, 1, numberText, 0);
    font.print(0, 1, "Iteracii:", 0);
    printSignificant(font, 5, 2, s.computeSeconds, 4, 51);
    font.print(0, 2, "Cas:", 0);
    printSignificant(font, 18, 3, double(s.iterationCount) / double(s.computeSeconds), 8, 33);
    font.print(0, 3, "Iteraci za 1 sec:", 0);
}

void drawRegionAndPointer(BitmapFont& font) {
    const ViewRegion& v = viewerState.view;
    printSignificant(font, 2, 4, v.x, 18, 25);
    font.print(0, 4, "x:", 0);
    printSignificant(font, 28, 4, v.dx, 2, 36);
    font.print(25, 4, "dx:", 0);
    printSignificant(font, 38, 4, v.y, 18, 61);
    font.print(36, 4, "y:", 0);
    printSignificant(font, 64, 4, v.dy, 2, TextColumns);
    font.print(61, 4, "dy:", 0);

    const int32_t px = viewerState.pointerPosition.x;
    const int32_t row = sceneRowOfPointer(viewerState.pointerPosition.y);
    font.print(35, 0, "Mys: x =", 1);
    font.print(48, 0, "y =", 1);
    printSigned(font, 44, 0, px);
    printSigned(font, 52, 0, row);
    const JuliaSeed point = pointOfPointer(viewerState.pointerPosition, v);
    printSignificant(font, 50, 5, point.re, 20, TextColumns);
    printSignificant(font, 50, 6, point.im, 20, TextColumns);
    font.print(23, 1, "Sposob vypoctu (medzernik):", 1);
}

// One entry of the method list: red in set 0 when active, white in set 1 otherwise.
void drawMethodEntry(BitmapFont& font, int row, const char* text, bool active) {
    if (active) {
        glColor3f(1.0f, 0.0f, 0.0f);
        font.print(51, row, text, 0);
        glColor3f(1.0f, 1.0f, 1.0f);
    } else {
        font.print(51, row, text, 1);
    }
}

void drawMethodList(BitmapFont& font) {
    const ComputeMethod m = viewerState.method;
    drawMethodEntry(font, 1, "jazyk c", implementationOf(m) == 0);
    drawMethodEntry(font, 2, "assembler s FPU", implementationOf(m) == 1);
    const bool threeDNowActive = implementationOf(m) == 2;
    if (threeDNowActive || viewerState.has3DNow) {
        drawMethodEntry(font, 3, "assembler s 3Dnow!", threeDNowActive);
    } else {
        // Ends under the other entries: its last 18 characters stand at column 51.
        glColor3f(0.7f, 1.0f, 0.6f);
        font.print(33, 3, "(CPU nepodporuje) assembler s 3Dnow!", 1);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
}

void drawColouringIndicator(BitmapFont& font) {
    if (!viewerState.colourEnabled) return;
    glColor3f(1.0f, 0.3f, 0.0f);
    font.print(60, 0, "far", 0);
    glColor3f(0.0f, 1.0f, 0.3f);
    font.print(63, 0, "ben", 0);
    glColor3f(0.3f, 0.0f, 1.0f);
    font.print(66, 0, "ie", 0);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void drawKind(BitmapFont& font) {
    if (viewerState.kind == Julia) {
        font.print(60, 1, "Julia", 0);
        printSignificant(font, 50, 7, viewerState.juliaSeed.re, 20, TextColumns);
        printSignificant(font, 50, 8, viewerState.juliaSeed.im, 20, TextColumns);
    } else {
        font.print(60, 1, "Mandelbrot", 0);
    }
}

struct HelpLine {
    int column, row, set;
    float red, green, blue;
    const char* text;
};

const HelpLine helpLines[] = {
    {15, 5, 0, 1.0f, 1.0f, 1.0f, "Program: Zelvonia - Mandelbrotova a Juliova mnozina"},
    {8, 6, 0, 0.9f, 0.9f, 1.0f, "Napisal tim Zelvonie: obrazok pocita procesor, kresli OpenGL"},
    {10, 8, 0, 1.0f, 1.0f, 1.0f, "Pouzivane klavesy:"},
    {15, 9, 1, 1.0f, 1.0f, 1.0f, "medzernik - zmena sposobu vypoctu"},
    {15, 10, 1, 1.0f, 1.0f, 1.0f, "R - reset na zaciatok"},
    {15, 11, 1, 1.0f, 1.0f, 1.0f, "U - (Update) prekresli obrazok"},
    {15, 12, 1, 1.0f, 1.0f, 1.0f, "F - zapne/vypne farbebie"},
    {15, 13, 1, 1.0f, 1.0f, 1.0f, "Enter - prepina medzi Juliovou a Mandelbrotovou mnozinou"},
    {15, 14, 1, 1.0f, 1.0f, 1.0f, "J - meni zakladne komplexne cislo pre Juliovu mnozinu"},
    {15, 15, 1, 1.0f, 1.0f, 1.0f, "  - komplexne cislo pre Juliovu mnozinu sa nastavuje mysou"},
    {15, 16, 1, 1.0f, 1.0f, 1.0f, "1,2,3,4,5,6,7,8 - meni paletu"},
    {15, 17, 1, 1.0f, 1.0f, 1.0f, "+,- zvecsuje, zmensuje"},
    {15, 18, 1, 1.0f, 1.0f, 1.0f, "shift - rychlost zvecsovania (4* viac)"},
    {15, 19, 1, 1.0f, 1.0f, 1.0f, "sipky - posuvanie"},
    {15, 20, 0, 1.0f, 0.5f, 0.5f, "H - help"},
};

void drawHelp(BitmapFont& font) {
    if (!KeyTable[VK_KEY_H] && !(helpTimer.elapsedSeconds() < HelpSeconds)) return;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(0.0f, 0.0f, 0.0f);
    glLoadIdentity();
    glBegin(GL_QUADS);
    glVertex2i(80, 265);
    glVertex2i(SceneWidth, 265);
    glVertex2i(SceneWidth, 520);
    glVertex2i(80, 520);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    for (const HelpLine& line : helpLines) {
        glColor3f(line.red, line.green, line.blue);
        font.print(line.column, line.row, line.text, line.set);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}

} // namespace

void drawHeadsUpDisplay() {
    if (!viewerState.font) return; // a font that could not be made draws no text
    BitmapFont& font = *viewerState.font;
    font.beginText();
    glColor3f(1.0f, 1.0f, 1.0f);
    drawStatistics(font);
    drawRegionAndPointer(font);
    drawMethodList(font);
    drawColouringIndicator(font);
    drawKind(font);
    drawHelp(font);
    font.endText();
}
