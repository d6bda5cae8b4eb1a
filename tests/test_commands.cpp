// test_commands.cpp -- the commands of runFrame, one key or chain at a time: the state they leave,
// the entries they keep and the recomputations they make, against a reviewed table
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/tile_computation.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "ui/commands.h"
#include "ui/key_table.h"
#include "ui/palette.h"

namespace {

std::string recomputed; // the view and method of each recomputation, in order

std::string viewText(const ViewRegion& v) {
    char text[100];
    std::snprintf(text, sizeof text, "(%.15g %.15g %.15g %.15g)", v.x, v.dx, v.y, v.dy);
    return text;
}

std::string keyName(int key) {
    const std::pair<int, const char*> names[] = {
        {VK_LBUTTON, "LButton"}, {VK_RBUTTON, "RButton"}, {VK_RETURN, "Enter"}, {VK_SHIFT, "Shift"},
        {VK_SPACE, "Space"},     {VK_LEFT, "Left"},       {VK_UP, "Up"},        {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},       {VK_ADD, "+"},           {VK_SUBTRACT, "-"}};
    for (const auto& [code, name] : names)
        if (code == key) return name;
    return std::string(1, char(key));
}

// The palette file that PaletteTable holds, found by loading each one.
std::string paletteName() {
    PaletteEntry held[256];
    std::memcpy(held, PaletteTable, sizeof held);
    std::string name = "none";
    for (const char* file :
         {"Default", "CMY", "Colours", "Fire", "Grey", "Pulsate", "Rainbow", "Standard"}) {
        loadPalette(("palety/" + std::string(file) + ".pal").c_str());
        if (std::memcmp(held, PaletteTable, sizeof held) == 0) name = file;
    }
    std::memcpy(PaletteTable, held, sizeof held);
    return name;
}

std::string stateText() {
    const ViewerState& s = viewerState;
    char text[200];
    std::snprintf(text, sizeof text, "%s %s seed %.15g %.15g, method %d colour %d, palette ",
                  viewText(s.view).c_str(), s.kind == Julia ? "Julia" : "Mandelbrot",
                  s.juliaSeed.re, s.juliaSeed.im, s.method, s.colourEnabled);
    std::string out = text + paletteName() + ", held";
    for (int key = 0; key < 256; ++key)
        if (KeyTable[key]) out.append(" ").append(keyName(key));
    return out + ", recomputed" + (recomputed.empty() ? " nothing" : recomputed);
}

// Where a case starts; the pointer is where readPointer finds it, stored where Part 3.2 left it.
struct Start {
    ViewRegion view = InitialView;
    FractalKind kind = Mandelbrot;
    JuliaSeed seed = {0.3, -0.5};
    int method = GreyX87, colour = 0, has3DNow = 0;
    PointerPosition pointer = {0, 599}, stored = {256, 343};
};

// One line: the keys pressed, then what each frame leaves.
std::string run(const std::vector<int>& keys, const Start& start = {}, int frames = 1,
                const std::string& label = "") {
    std::memset(KeyTable, 0, sizeof KeyTable);
    std::memset(PaletteTable, 0, sizeof PaletteTable);
    viewerState = {};
    viewerState.view = start.view;
    viewerState.kind = start.kind;
    viewerState.juliaSeed = start.seed;
    viewerState.method = ComputeMethod(start.method);
    viewerState.colourEnabled = start.colour;
    viewerState.has3DNow = start.has3DNow;
    viewerState.pointerPosition = start.stored;
    fake.pointerX = start.pointer.x;
    fake.pointerY = start.pointer.y;
    std::string line = label;
    for (size_t i = 0; i < keys.size(); ++i) line.append(i ? " " : "").append(keyName(keys[i]));
    for (int key : keys) KeyTable[key] = 1;
    for (int frame = 0; frame < frames; ++frame) {
        recomputed.clear();
        applyCommands();
        line += "\n    -> " + stateText();
    }
    return line + "\n";
}

class Commands : public FakePlatformTest {
  protected:
    void SetUp() override {
        FakePlatformTest::SetUp();
        recomputation = [] {
            recomputed.append(" ").append(viewText(viewerState.view)).append(" m");
            recomputed += std::to_string(viewerState.method);
        };
    }
    void TearDown() override {
        recomputation = recomputeImage;
        FakePlatformTest::TearDown();
    }
};

// Each key alone from the initial view, without and with Shift; the buttons at both corners.
TEST_F(Commands, EachKeyAlone) {
    std::string out;
    for (int shift : {0, 1}) {
        for (int key : std::vector<int>{
                 VK_LBUTTON, VK_RBUTTON, VK_ADD, VK_SUBTRACT, VK_DOWN,   VK_UP, VK_RIGHT, VK_LEFT,
                 '1',        '2',        '3',    '4',         '5',       '6',   '7',      '8',
                 'F',        VK_SPACE,   'R',    'U',         VK_RETURN, 'J',   'H'}) {
            std::vector<int> keys = {key};
            if (shift) keys.push_back(VK_SHIFT);
            out += run(keys);
        }
        for (int button : {VK_LBUTTON, VK_RBUTTON})
            out += run(shift ? std::vector<int>{button, VK_SHIFT} : std::vector<int>{button},
                       {.pointer = {511, 88}}, 1, "at 511,88: ");
    }
    expectGolden("ui/commands_alone.txt", out);
}

// Chains in a zoomed Julia set over two frames: the first set key acts alone, and after a
// one-shot winner the next key acts in the next frame; a vertical and a horizontal arrow both
// act, vertical first. R, Enter and J from there; J held follows the pointer in the reset view.
TEST_F(Commands, ChainsAndKindKeys) {
    const Start julia = {
        .view = {0.1, 0.2, 0.3, 0.4}, .kind = Julia, .method = PaletteX87, .colour = 1};
    std::string out;
    for (const std::vector<int>& keys : std::vector<std::vector<int>>{{'3', '5', '8'},
                                                                      {VK_ADD, VK_SUBTRACT},
                                                                      {VK_LBUTTON, VK_RBUTTON},
                                                                      {VK_DOWN, VK_UP},
                                                                      {VK_RIGHT, VK_LEFT},
                                                                      {VK_RETURN, 'J'},
                                                                      {VK_UP, VK_LEFT},
                                                                      {VK_DOWN, VK_RIGHT},
                                                                      {'R'},
                                                                      {VK_RETURN},
                                                                      {'J'},
                                                                      {VK_LBUTTON, VK_RETURN}})
        out += run(keys, julia, 2);
    out += run({VK_LBUTTON, VK_RETURN}, {}, 1, "from Mandelbrot: ");
    expectGolden("ui/commands_chains.txt", out);
}

// F carries the method into the other family; Space takes the next one in the family.
TEST_F(Commands, FAndSpaceChooseTheMethod) {
    std::string out;
    for (int key : std::vector<int>{'F', VK_SPACE})
        for (int colour : {0, 1})
            for (int has3DNow : {0, 1})
                for (int method = 0; method < 6; ++method)
                    out += run({key}, {.method = method, .colour = colour, .has3DNow = has3DNow}, 1,
                               "colour " + std::to_string(colour) + " 3DNow " +
                                   std::to_string(has3DNow) + " method " + std::to_string(method) +
                                   ": ");
    expectGolden("ui/commands_method.txt", out);
}

} // namespace
