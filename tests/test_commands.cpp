// test_commands.cpp -- the commands of runFrame, one key or chain at a time: the state they leave,
// the entries they keep and the recomputations they make, against reviewed tables
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "engine/palette_table.h"
#include "engine/tile_textures.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "ui/commands.h"
#include "ui/key_table.h"

namespace {

const std::pair<int, std::string> KeyNames[] = {
    {VK_LBUTTON, "LButton"}, {VK_RBUTTON, "RButton"}, {VK_RETURN, "Enter"}, {VK_SHIFT, "Shift"},
    {VK_SPACE, "Space"},     {VK_LEFT, "Left"},       {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},       {VK_ADD, "+"},           {VK_SUBTRACT, "-"}};

std::string keyName(int key) {
    for (const auto& [code, name] : KeyNames)
        if (code == key) return name;
    return std::string(1, char(key));
}

// What a recomputation would compute: the view and the method.
std::string picture() {
    const ViewRegion& v = viewerState.view;
    char text[100];
    std::snprintf(text, sizeof text, " (%.15g %.15g %.15g %.15g) m%d", v.x, v.dx, v.y, v.dy,
                  viewerState.method);
    return text;
}

std::string recomputed; // the picture of each recomputation, in order

std::string stateText() {
    const ViewerState& s = viewerState;
    const PaletteEntry& e = PaletteTable[100]; // bytes 424 to 426 of the palette file
    char text[200];
    std::snprintf(text, sizeof text, " %s seed %.15g %.15g colour %d, palette %02x%02x%02x, held",
                  s.kind == Julia ? "Julia" : "Mandelbrot", s.juliaSeed.re, s.juliaSeed.im,
                  s.colourEnabled, e.red, e.green, e.blue);
    std::string out = picture() + text;
    for (int key = 0; key < 256; ++key)
        if (KeyTable[key]) out.append(" ").append(keyName(key));
    return out + ", recomputed" + (recomputed.empty() ? " nothing" : recomputed);
}

// The pointer as the last frame stored it is not where readPointer finds it now.
const ViewerState Start = {
    .method = GreyX87, .juliaSeed = {0.3, -0.5}, .pointerPosition = {256, 343}};

// The keys, named and held down from start over frames; then what each frame leaves.
std::string run(const std::string& keys, const ViewerState& start = Start, int frames = 1,
                PointerPosition pointer = {0, 599}) {
    std::memset(KeyTable, 0, sizeof KeyTable);
    std::memset(PaletteTable, 0, sizeof PaletteTable);
    viewerState = start;
    fake.pointerX = pointer.x;
    fake.pointerY = pointer.y;
    std::istringstream names(keys);
    for (std::string name; names >> name;) {
        int key = uint8_t(name[0]);
        for (const auto& [code, known] : KeyNames) key = known == name ? code : key;
        KeyTable[key] = 1;
    }
    recomputation = [] { recomputed += picture(); };
    std::string line = keys;
    for (int frame = 0; frame < frames; ++frame) {
        recomputed.clear();
        applyCommands();
        line += "\n    ->" + stateText();
    }
    recomputation = recomputeImage;
    return line + "\n";
}

using Commands = FakePlatformTest;

// Each key alone from the initial view, without and with Shift; the buttons at both corners.
TEST_F(Commands, EachKeyAlone) {
    std::string out;
    for (std::string shift : {"", " Shift"}) {
        std::istringstream keys(
            "LButton RButton + - Down Up Right Left 1 2 3 4 5 6 7 8 F Space R U "
            "Enter J H");
        for (std::string key; keys >> key;) out += run(key + shift);
        out += "at 511,88: " + run("LButton" + shift, Start, 1, {511, 88});
        out += "at 511,88: " + run("RButton" + shift, Start, 1, {511, 88});
    }
    expectGolden("ui/commands_alone.txt", out);
}

// Else-chains and both arrow chains in a zoomed Julia set over two frames; R, Enter and J from
// there, J held following the pointer in the reset view.
TEST_F(Commands, ChainsAndKindKeys) {
    const ViewerState julia = {
        // clang-format off
        .view = {0.1, 0.2, 0.3, 0.4}, .kind = Julia, .method = PaletteX87, .colourEnabled = 1,
        .juliaSeed = {0.3, -0.5}, .pointerPosition = {256, 343}}; // clang-format on
    std::string out;
    for (const char* keys : {"3 5 8", "+ -", "LButton RButton", "Down Up", "Right Left", "Enter J",
                             "Up Left", "Down Right", "R", "Enter", "J", "LButton Enter"})
        out += run(keys, julia, 2);
    out += "from Mandelbrot: " + run("LButton Enter");
    expectGolden("ui/commands_chains.txt", out);
}

// F carries the method into the other family; Space takes the next one in the family.
TEST_F(Commands, FAndSpaceChooseTheMethod) {
    std::string out;
    for (int c = 0; c < 48; ++c) { // key, colouring, 3DNow! and method before
        char label[50];
        std::snprintf(label, sizeof label, "colour %d 3DNow %d method %d: ", c / 12 % 2, c / 6 % 2,
                      c % 6);
        out += label + run(c < 24 ? "F" : "Space", {.method = ComputeMethod(c % 6),
                                                    .colourEnabled = c / 12 % 2,
                                                    .has3DNow = c / 6 % 2});
    }
    expectGolden("ui/commands_method.txt", out);
}

} // namespace
