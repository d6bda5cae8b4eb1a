// test_shell.cpp -- start-up, failures, teardown and main loop as reviewed logs of platform steps;
// SDL's events through windowProc, the pointer, its show counter and message boxes in UTF-8
#include <GL/gl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <utility>

#include "app/app_window.h"
#include "app/main_loop.h"
#include "app/window_proc.h"
#include "engine/viewer_state.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "platform/sdl/sdl_window.h"
#include "tests/fake_platform.h"
#include "tests/support/golden.h"
#include "tests/support/temp_files.h"
#include "ui/heads_up_display.h"
#include "ui/key_table.h"
#include "ui/palette.h"

namespace {

using Shell = FakePlatformTest;

std::string keysDown() {
    std::string keys = " keys down:";
    for (int key = 0; key < 256; ++key) keys += KeyTable[key] ? faking::line("", key) : "";
    return keys;
}

// Words of the scenarios: the shell's calls with their results, and the user's actions. Besides:
// the answers yes and no, the keys esc and f1, "fail=STEP" and "display=RESULT".
const std::map<std::string, std::function<int()>> words = {
    {"window", [] { return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, false); }},
    {"window24", [] { return createAppWindow(AppTitle, AppWidth, AppHeight, 24, false); }},
    {"full", [] { return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, true); }},
    {"destroy", [] { return destroyAppWindow(), -1; }},
    {"main", viewerMain},
    {"loop", runMainLoop},
    {"quit5", [] { return windowSystem->postQuitMessage(5), -1; }},
    {"close2", [] { return fake.closeAfterSwaps = 2, -1; }},
    {"minimise", // as both systems tell it
     [] {
         return faking::post(WM_SIZE, SIZE_MINIMIZED),
                faking::post(WM_ACTIVATE, makeLong(WA_INACTIVE, 1)), -1;
     }},
    {"lateminimise", // as Wine tells it: a deactivation, then the minimised size
     [] {
         return faking::post(WM_ACTIVATE, makeLong(WA_INACTIVE, 0)),
                faking::post(WM_SIZE, SIZE_MINIMIZED), -1;
     }},
    {"resize", [] { return windowProc(nullptr, WM_SIZE, 0, makeLong(1024, 0)), -1; }},
    {"colour", [] { return viewerState.colourEnabled = 1, -1; }},
    {"waitclose", [] { return fake.closeOnWait = true, -1; }},
    // Presses with no frame between them and their releases, the last two without releases,
    // and what takes the releases away.
    {"click", [] { return faking::post(WM_LBUTTONDOWN), faking::post(WM_LBUTTONUP), -1; }},
    {"tapplus",
     [] { return faking::post(WM_KEYDOWN, VK_ADD), faking::post(WM_KEYUP, VK_ADD), -1; }},
    {"tapleft",
     [] { return faking::post(WM_KEYDOWN, VK_LEFT), faking::post(WM_KEYUP, VK_LEFT), -1; }},
    {"rbutton", [] { return faking::post(WM_RBUTTONDOWN), -1; }},
    {"downkey", [] { return faking::post(WM_KEYDOWN, VK_DOWN), -1; }},
    {"capturekept",
     [] { return faking::post(WM_CAPTURECHANGED, 0, intptr_t(&faking::objects[1])), -1; }},
    {"capturelost", [] { return faking::post(WM_CAPTURECHANGED), -1; }},
    {"focuslost", [] { return faking::post(WM_KILLFOCUS), -1; }},
    {"view",
     [] {
         const ViewRegion& v = viewerState.view;
         return fake.log.push_back(faking::line("view", v.x, v.dx, v.y, v.dy)), -1;
     }},
};

// Each log is kept in shell/SCRIPT.txt with dashes for spaces. The pixel-format request keeps the
// bits of the process's first call (window24).
const char scenarios[] =
    "window; window destroy window24 destroy; full destroy; fail=registerClass window; "
    "fail=createWindow full; fail=getDeviceContext window; fail=choosePixelFormat full; "
    "fail=setPixelFormat window; fail=createRenderContext full; fail=makeCurrent window; "
    "nofont window; display=1 yes full destroy; display=-4 no full; display=-2 full; "
    "display=-1 no full; display=2 yes full destroy; destroy; window "
    "fail=releaseCurrent,deleteRenderContext,releaseDeviceContext,destroyWindow,unregisterClass "
    "destroy; resize; window resize; no esc main; yes esc main; esc main; display=-2 yes no "
    "main; window quit5 loop; window close2 loop; window minimise esc loop; window minimise "
    "display=-1 no f1 loop; window f1 esc loop; full f1 esc loop; window minimise waitclose loop; "
    "window click tapplus tapleft close2 loop view; "
    "window rbutton capturekept downkey capturelost close2 loop view; "
    "window rbutton downkey focuslost close2 loop view; "
    "window lateminimise waitclose loop; window colour f1 esc loop";

TEST_F(Shell, EachScenarioTakesItsReviewedSteps) {
    useTestGlContext();
    std::istringstream list(scenarios);
    for (std::string script; std::getline(list >> std::ws, script, ';');) {
        SCOPED_TRACE(script);
        startFaking();
        keysRead(), std::memset(KeyTable, 0, sizeof KeyTable);
        std::memset(PaletteTable, 0, sizeof PaletteTable);
        viewerState = ViewerState();
        viewerState.instanceHandle = windowSystem->currentInstance();
        glViewport(1, 2, 3, 4), glShadeModel(GL_SMOOTH), glClearColor(1, 1, 1, 1);
        helpTimer.restart(), fake.counter = 1'000'000'000;
        const TempFolder empty; // "nofont" works there, everything else in the source folder
        ASSERT_EQ(chdir(ZELVONIA_SOURCE_DIR), 0);
        std::istringstream input(script);
        std::string name;
        for (std::string word; input >> word;) {
            name += (name.empty() ? "" : "-") + word;
            const std::string arg = word.substr(word.find('=') + 1);
            std::istringstream names(word.starts_with("fail=") ? arg : "");
            for (std::string step; std::getline(names, step, ',');) fake.failing.insert(step);
            if (word.starts_with("display=")) fake.displayModeResult = std::stoi(arg);
            if (word == "yes" || word == "no")
                fake.answers.push_back(word == "yes" ? AnswerYes : AnswerNo);
            if (word == "esc" || word == "f1") KeyTable[word == "esc" ? VK_ESCAPE : VK_F1] = 1;
            EXPECT_TRUE(word != "nofont" || chdir(empty.path("").c_str()) == 0);
            if (!words.count(word)) continue;
            fake.log.push_back("-- " + word);
            if (const int result = words.at(word)(); result >= 0)
                fake.log.push_back(faking::line("-- returned", result));
        }
        // What is left, and what the scene set ("resize" sends WM_SIZE for 1024x0).
        const ViewerState& s = viewerState;
        GLint flat, v[4];
        GLfloat clear[4];
        glGetIntegerv(GL_SHADE_MODEL, &flat), glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        glGetIntegerv(GL_VIEWPORT, v);
        std::string text;
        for (const std::string& line : fake.log) text += line + "\n";
        text += faking::line("left: class", !!fake.procedure, "window", !!s.mainWindow, "device",
                             !!s.deviceContext, "context", !!s.renderContext, "font", !!s.font,
                             "full screen", int(s.fullScreen), "active", int(s.windowActive),
                             "pointer counter", fake.cursorCounter, "| scene: viewport", v[0], v[1],
                             v[2], v[3], "tiles", glIsTexture(s.tileTextures[3]) == GL_TRUE,
                             "iterated all", s.iterationCount >= 512 * 512, "flat", flat == GL_FLAT,
                             "clear", clear[0], clear[1], clear[2], clear[3], "palette",
                             int(PaletteTable[50].green), "first method",
                             s.method == methodOf(s.colourEnabled, s.has3DNow ? 2 : 1),
                             "help seconds", helpTimer.elapsedSeconds());
        expectGolden("shell/" + name + ".txt", text + keysDown() + "\n");
        if (viewerState.mainWindow) destroyAppWindow();
    }
}

// Keys, system keys and WM_ACTIVATE's words as windowProc gets them; quit as the loop takes it.
std::string seen;
intptr_t recordingProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        seen += faking::line("", message == WM_KEYDOWN ? "key" : "system key", wParam);
    if (message == WM_ACTIVATE)
        seen += faking::line("", "activate", lowWord(wParam), highWord(wParam));
    return windowProc(window, message, wParam, lParam);
}
void deliver() {
    for (WindowMessage m; sdlPeekMessage(&m);)
        seen += m.message == WM_QUIT ? faking::line("", "quit", m.wParam)
                                     : (sdlDispatchMessage(&m), "");
    keysRead(); // as a pass of the main loop does
}

// Steps: key down or up by SDL's name, button (1 left, 2 middle, 3 right, 4 x1), window event by
// SDL's number, quit, key cleared by a consumer or set, window shown, pointer moved, hidden or
// revealed; "alt:", "repeat:", "other:" window, "held:" to be queued with the next step's event.
const char session[] =
    // The keyboard's repeat sets a key again after a one-shot consumer cleared it.
    "down Keypad +; clear 107; repeat: down Keypad +; up Keypad +; press 1; press 3; release 1; "
    "release 3; "
    // Alt and Alt chords are system keys, which the table leaves alone, as the middle button.
    "alt: down Left Alt; alt: down X; press 2; press 4; set 82; alt: up R; "
    // Losing the keyboard lets every key go; only minimising stops frames.
    "down Left; down Right; held: up Left; window 13 focus lost; up Right; "
    "other: window 7 minimised; window 7 minimised; window 13 focus lost; window 12 focus gained; "
    "window 9 restored; window 12 focus gained; shown; other: window 14 close; window 14 close; "
    "quit; "
    // The pointer shows while its counter is 0 or more.
    "pointer 350 50; pointer 0 299; hide; hide; reveal; reveal; reveal; hide; "
    // The keys the program reads, the ends of the runs of letters and digits, and system keys.
    "down A; down Z; down 0; down 9; down Return; down Keypad Enter; down Left Shift; "
    "down Right Shift; down Escape; down Space; down Up; down Down; down Keypad -; down F1; "
    "down F10; down Right Alt; down Volume Up";

TEST(WindowProc, SdlEventsReachTheKeyTableAndWindowActiveAsReviewed) {
    const std::map<std::string, Uint32> types = {
        {"down", SDL_KEYDOWN},          {"up", SDL_KEYUP},  {"press", SDL_MOUSEBUTTONDOWN},
        {"release", SDL_MOUSEBUTTONUP}, {"quit", SDL_QUIT}, {"window", SDL_WINDOWEVENT}};
    useTestGlContext(); // its hidden window is the process's one window
    PlatformWindow* window = liveWindow();
    ASSERT_NE(window, nullptr);
    const WindowProcedure procedure = std::exchange(window->procedure, recordingProc);
    windowSystem = &systemWindowSystem;
    SDL_SetWindowSize(window->surface, 400, 300); // the pointer's points twice as far apart
    std::memset(KeyTable, 0, sizeof KeyTable);
    viewerState = ViewerState();
    deliver();
    std::string log;
    std::istringstream steps(session);
    for (std::string step; std::getline(steps >> std::ws, step, ';');) {
        std::istringstream words(step);
        std::string flag, kind, arg;
        seen.clear();
        words >> flag;
        if (flag.ends_with(':')) words >> kind;
        if (kind.empty()) kind = flag;
        std::getline(words >> std::ws, arg);
        SDL_Event event = {};
        event.type = types.count(kind) ? types.at(kind) : 0;
        const int number = std::atoi(arg.c_str());
        if (kind == "window") event.window.event = Uint8(number);
        event.window.windowID = SDL_GetWindowID(window->surface) + (flag == "other:" ? 100 : 0);
        if (kind == "press" || kind == "release") event.button.button = Uint8(number);
        if (kind == "down" || kind == "up")
            event.key.keysym = {SDL_SCANCODE_UNKNOWN, SDL_GetKeyFromName(arg.c_str()),
                                Uint16(flag == "alt:" ? KMOD_LALT : 0), 0},
            event.key.repeat = flag == "repeat:";
        if (kind == "clear" || kind == "set") KeyTable[number] = kind == "set";
        if (kind == "shown") viewerState.windowActive = 0, sdlShowWindow(window);
        if (kind == "hide" || kind == "reveal")
            sdlShowCursor(kind == "reveal"),
                seen += faking::line("", "shows", SDL_ShowCursor(SDL_QUERY));
        int32_t scene[2] = {-1, -1};
        if (kind == "pointer")
            SDL_WarpMouseInWindow(window->surface, number, std::atoi(&arg[arg.find(' ')])),
                sdlReadPointer(scene, scene + 1), seen += faking::line("", scene[0], scene[1]);
        EXPECT_TRUE(!event.type || SDL_PushEvent(&event) == 1) << step;
        if (flag != "held:") deliver();
        log += step + " ->" + seen + " |" + keysDown() +
               faking::line(" | active", int(viewerState.windowActive)) + "\n";
    }
    window->procedure = procedure;
    SDL_SetWindowSize(window->surface, 800, 600);
    expectGolden("shell/sdl-events.txt", log);
}

// Points past the client area stay past the scene (rounding down); no client area, no scaling.
TEST(Pointer, ClientPointsAreStretchedOntoTheScene) {
    // x, y in a client area of width x height, and the scene x, y
    const int32_t cases[][6] = {{900, 700, 800, 600, 900, 700}, {1599, 1199, 1600, 1200, 799, 599},
                                {1, 1, 1600, 1200, 0, 0},       {-1, -1, 1600, 1200, -1, -1},
                                {399, 299, 400, 300, 798, 598}, {10, 10, 0, 0, 10, 10}};
    int32_t x = 5, y = 5;
    for (const auto& [clientX, clientY, width, height, sceneX, sceneY] : cases) {
        scaleToScene(clientX, clientY, width, height, &x, &y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(sceneX, sceneY)) << clientX << " " << width;
    }
}

// The upper half of the code page, reviewed against the code page's table; output cut only
// between whole characters. Without a display the message is printed instead of shown.
TEST(MessageBox, TextsAreShownInUtf8AndPrintedWithoutADisplay) {
    std::string table;
    for (int byte = 0x80; byte < 0x100; ++byte)
        table +=
            (byte % 16 ? "" : faking::hex(byte) + " ") + char(byte) + (byte % 16 < 15 ? "" : "\n");
    expectGolden("shell/cp1250-upper-half.txt", faking::line(table));
    const std::pair<int, const char*> cuts[] = {{3, "a"}, {6, "ač"}, {7, "ač€"}};
    for (const auto& [size, text] : cuts) {
        char out[8];
        EXPECT_EQ(convertCp1250ToUtf8("a\xe8\x80", out, size), int(std::strlen(text))) << size;
        EXPECT_STREQ(out, text);
    }
    unsetenv("DISPLAY"); // the tests' windows need none
    testing::internal::CaptureStderr();
    EXPECT_EQ(
        systemMessageBox("Chyba na\xe8\xedtania obr\xe1zka.", "Chyba", IconError, ButtonsYesNo),
        AnswerClosed);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Chyba: Chyba načítania obrázka.\n");
}

} // namespace
