// frame.cpp -- runFrame: commands, picture, pointer cross, frame rate and heads-up display
#include "ui/frame.h"

#include "engine/tile_computation.h"
#include "engine/viewer_state.h"
#include "platform/gl.h"
#include "platform/interval_timer.h"
#include "platform/pointer.h"
#include "platform/window_system.h"
#include "ui/commands.h"
#include "ui/heads_up_display.h"

IntervalTimer frameTimer;

namespace {

// Texture row 0, the tile's smallest imaginary part, goes at the bottom of its quad.
void drawTiles() {
    glEnable(GL_TEXTURE_2D);
    for (int t = 0; t < 4; ++t) {
        const int x0 = TilePlaces[t].column * TileSide, y0 = TilePlaces[t].row * TileSide;
        const int x1 = x0 + TileSide, y1 = y0 + TileSide;
        glBindTexture(GL_TEXTURE_2D, viewerState.tileTextures[t]);
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2i(x0, y0);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2i(x1, y0);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2i(x1, y1);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2i(x0, y1);
        glEnd();
    }
}

// The system pointer is hidden over the scene, so this cross is the pointer the user sees. Its
// centre is one unit right of the pointer's column.
void drawPointerCross() {
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    windowSystem->readPointer(&viewerState.pointerPosition.x, &viewerState.pointerPosition.y);
    const int px = viewerState.pointerPosition.x;
    const int row = sceneRowOfPointer(viewerState.pointerPosition.y);
    glBegin(GL_LINES);
    glVertex2i(px + 6, row);
    glVertex2i(px - 4, row);
    glVertex2i(px + 1, row + 5);
    glVertex2i(px + 1, row - 5);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

// Covers the time since this point of the previous frame: buffer swap and messages included.
void measureFrameRate() {
    viewerState.framesPerSecond = float(1.0 / frameTimer.elapsedSeconds());
    frameTimer.restart();
}

// The second half of runFrame, from the state the commands left.
void drawFrame() {
    drawTiles();
    drawPointerCross();
    measureFrameRate();
    drawHeadsUpDisplay();
}

} // namespace

void runFrame() {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    applyCommands();
    drawFrame();
}
