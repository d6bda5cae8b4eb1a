// test_shell.cpp -- the window shell over the fake platform: start-up, its failures, teardown and
// the main loop, as logs kept in reviewed files; and the SDL platform under it: SDL's events
// through windowProc, the pointer and its show counter, and message boxes in UTF-8
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

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

// The words of the scenarios besides "fail=STEP" and "display=RESULT": the shell's calls with
// their results, the platform's answers, the user's actions.
const std::map<std::string, std::function<int()>> words = {
    {"window", [] { return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, false); }},
    {"window24", [] { return createAppWindow(AppTitle, AppWidth, AppHeight, 24, false); }},
    {"full", [] { return createAppWindow(AppTitle, AppWidth, AppHeight, AppBits, true); }},
    {"destroy", [] { return destroyAppWindow(), -1; }},
    {"main", viewerMain},
    {"loop", runMainLoop},
    {"yes", [] { return fake.answers.push_back(AnswerYes), -1; }},
    {"no", [] { return fake.answers.push_back(AnswerNo), -1; }},
    {"esc", [] { return KeyTable[VK_ESCAPE] = 1, -1; }},
    {"f1", [] { return KeyTable[VK_F1] = 1, -1; }},
    {"quit5", [] { return windowSystem->postQuitMessage(5), -1; }},
    {"close2", [] { return fake.closeAfterSwaps = 2, -1; }},
    {"minimise", // as both systems tell it
     [] { return faking::post(WM_SIZE, SIZE_MINIMIZED), faking::post(WM_ACTIVATE, 0x10000), -1; }},
    {"resize", [] { return windowProc(nullptr, WM_SIZE, 0, makeLong(1024, 0)), -1; }},
};

// Each log is kept in shell/SCRIPT.txt with dashes for spaces. The pixel-format request keeps the
// bits of the process's first call (window24); "nofont" works in a folder without the font sheet.
const char scenarios[] = "window; window destroy window24 destroy; full destroy; "
                         "fail=registerClass window; fail=createWindow full; "
                         "fail=getDeviceContext window; fail=choosePixelFormat full; "
                         "fail=setPixelFormat window; fail=createRenderContext full; "
                         "fail=makeCurrent window; nofont window; display=1 yes full destroy; "
                         "display=-4 no full; display=-2 full; display=-1 no full; "
                         "display=2 yes full destroy; failreleases window destroy; destroy; "
                         "resize; window resize; no esc main; yes esc main; esc main; "
                         "display=-2 yes no main; window quit5 loop; window close2 loop; "
                         "window minimise esc loop; window minimise display=-1 no f1 loop; "
                         "window f1 esc loop; full f1 esc loop";

TEST_F(Shell, EachScenarioTakesItsReviewedSteps) {
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    useTestGlContext();
    std::istringstream list(scenarios);
    for (std::string script; std::getline(list >> std::ws, script, ';');) {
        SCOPED_TRACE(script);
        startFaking();
        std::memset(KeyTable, 0, sizeof KeyTable);
        std::memset(PaletteTable, 0, sizeof PaletteTable);
        viewerState = ViewerState();
        viewerState.instanceHandle = windowSystem->currentInstance();
        glViewport(1, 2, 3, 4), glShadeModel(GL_SMOOTH), glClearColor(1, 1, 1, 1);
        helpTimer.restart(), fake.counter = 1'000'000'000;
        const TempFolder empty;
        std::istringstream input(script);
        for (std::string word; input >> word;) {
            const std::string arg = word.substr(word.find('=') + 1);
            if (word.starts_with("fail=")) fake.failing.insert(arg);
            if (word == "failreleases")
                fake.failing = {"releaseCurrent", "deleteRenderContext", "releaseDeviceContext",
                                "destroyWindow", "unregisterClass"};
            if (word.starts_with("display=")) fake.displayModeResult = std::stoi(arg);
            EXPECT_TRUE(word != "nofont" || chdir(empty.path("").c_str()) == 0);
            if (!words.count(word)) continue;
            fake.log.push_back("-- " + word);
            if (const int result = words.at(word)(); result >= 0)
                fake.log.push_back(faking::line("-- returned", result));
        }
        ASSERT_EQ(chdir(here), 0);
        // What is left, and what the scene set: viewport (WM_SIZE 1024x0 with "resize"),
        // pictures, shading, clear colour, palette, the first method and the help timer.
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
                             "pointer counter", fake.cursorCounter) +
                "\n";
        text +=
            faking::line("scene: viewport", v[0], v[1], v[2], v[3], "tiles",
                         glIsTexture(s.tileTextures[3]) == GL_TRUE, "iterated all",
                         s.iterationCount >= 512 * 512, "flat", flat == GL_FLAT, "clear", clear[0],
                         clear[1], clear[2], clear[3], "palette", int(PaletteTable[50].green),
                         "first method", s.method == (s.has3DNow ? Grey3DNow : GreyX87),
                         "help seconds", helpTimer.elapsedSeconds());
        std::string name = script;
        std::replace(name.begin(), name.end(), ' ', '-');
        expectGolden("shell/" + name + ".txt", text + keysDown() + "\n");
        if (viewerState.mainWindow) destroyAppWindow();
    }
}

// A hidden window of its own class with this procedure, and a surface of width x height.
WindowHandle makeWindow(int width, int height, WindowProcedure procedure) {
    const WindowClass windowClass = {0, procedure, sdlCurrentInstance(), "test"};
    EXPECT_TRUE(sdlRegisterClass(&windowClass)) << SDL_GetError();
    WindowHandle window =
        sdlCreateWindow(0, "test", "", 0, 0, 0, width, height, sdlCurrentInstance());
    DeviceContext device = sdlGetDeviceContext(window);
    const PixelFormatRequest request = {PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL, 16, 16};
    EXPECT_TRUE(sdlSetPixelFormat(device, sdlChoosePixelFormat(device, &request), &request));
    sdlReleaseDeviceContext(window, device);
    return window;
}

// The keys and system keys that reach windowProc, WM_ACTIVATE's activation (low word) and
// minimised state (high word), and the quit message as the main loop takes it.
std::string seen;
intptr_t recordingProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        seen += faking::line("", message == WM_KEYDOWN ? "key" : "system key", wParam);
    if (message == WM_ACTIVATE)
        seen += faking::line("", "activate", lowWord(wParam), highWord(wParam));
    return windowProc(window, message, wParam, lParam);
}
void deliver() {
    for (WindowMessage m; sdlPeekMessage(&m);) {
        if (m.message == WM_QUIT) seen += faking::line("", "quit", m.wParam);
        if (m.message != WM_QUIT) sdlDispatchMessage(&m);
    }
}

// A session of steps: a key down or up by SDL's name, a button (1 left, 2 middle, 3 right, 4 x1)
// pressed or released, a window event, SDL's quit, a key cleared by a one-shot consumer or set,
// the window shown; "alt:" holds Alt, "repeat:" repeats, "other:" is for another window, and
// "held:" queues the event with the next step's.
const char session[] =
    // The keyboard's repeat sets a key again after a one-shot consumer cleared it.
    "down Keypad +; clear 107; repeat: down Keypad +; up Keypad +; press 1; press 3; release 1; "
    "release 3; "
    // Alt and Alt chords are system keys, which the table leaves alone, as the middle button.
    "alt: down Left Alt; alt: down X; press 2; press 4; set 82; alt: up R; "
    // SDL lets go of every held key when the window loses the keyboard; here a key stays down
    // until its own release reaches the window. Only minimising stops the frames.
    "down Left; down Right; held: up Left; window focus-lost; up Right; other: window minimised; "
    "window minimised; window focus-lost; window focus-gained; window restored; "
    "window focus-gained; show; other: window close; window close; quit; "
    // The keys the program reads, the ends of the runs of letters and digits, and system keys.
    "down A; down Z; down 0; down 9; down Return; down Keypad Enter; down Left Shift; "
    "down Right Shift; down Escape; down Space; down Up; down Down; down Keypad -; down F1; "
    "down F10; down Right Alt; down Volume Up";

TEST(WindowProc, SdlEventsReachTheKeyTableAndWindowActiveAsReviewed) {
    const std::map<std::string, Uint32> types = {
        {"down", SDL_KEYDOWN},          {"up", SDL_KEYUP},  {"press", SDL_MOUSEBUTTONDOWN},
        {"release", SDL_MOUSEBUTTONUP}, {"quit", SDL_QUIT}, {"window", SDL_WINDOWEVENT}};
    const std::map<std::string, Uint8> windowEvents = {
        {"close", SDL_WINDOWEVENT_CLOSE},
        {"minimised", SDL_WINDOWEVENT_MINIMIZED},
        {"restored", SDL_WINDOWEVENT_RESTORED},
        {"focus-gained", SDL_WINDOWEVENT_FOCUS_GAINED},
        {"focus-lost", SDL_WINDOWEVENT_FOCUS_LOST}};
    WindowHandle window = makeWindow(800, 600, recordingProc);
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
        if (flag.ends_with(':'))
            words >> kind;
        else
            kind = flag;
        std::getline(words >> std::ws, arg);
        SDL_Event event = {};
        event.type = types.count(kind) ? types.at(kind) : 0;
        if (kind == "window") event.window.event = windowEvents.at(arg);
        event.window.windowID = SDL_GetWindowID(window->surface) + (flag == "other:" ? 100 : 0);
        if (kind == "press" || kind == "release")
            event.button.button = Uint8(std::atoi(arg.c_str()));
        if (kind == "down" || kind == "up")
            event.key.keysym = {SDL_SCANCODE_UNKNOWN, SDL_GetKeyFromName(arg.c_str()),
                                Uint16(flag == "alt:" ? KMOD_LALT : 0), 0},
            event.key.repeat = flag == "repeat:";
        if (kind == "clear" || kind == "set") KeyTable[std::atoi(arg.c_str())] = kind == "set";
        if (kind == "show") viewerState.windowActive = 0, sdlShowWindow(window);
        EXPECT_TRUE(!event.type || SDL_PushEvent(&event) == 1) << step;
        if (flag != "held:") deliver();
        log += step + " ->" + seen + " |" + keysDown() +
               faking::line(" | active", int(viewerState.windowActive)) + "\n";
    }
    EXPECT_TRUE(sdlDestroyWindow(window) && sdlUnregisterClass("test", sdlCurrentInstance()));
    expectGolden("shell/sdl-events.txt", log);
}

// Points past the client area stay past the scene (rounded towards minus infinity), and without
// a client area they are left as they are. The pointer shows while its counter is 0 or more.
TEST(Pointer, PositionIsScaledToTheSceneAndVisibilityFollowsTheShowCounter) {
    // x, y in a client area of width x height, and the scene x, y
    const int32_t cases[][6] = {{900, 700, 800, 600, 900, 700}, {1599, 1199, 1600, 1200, 799, 599},
                                {1, 1, 1600, 1200, 0, 0},       {-1, -1, 1600, 1200, -1, -1},
                                {399, 299, 400, 300, 798, 598}, {10, 10, 0, 0, 10, 10}};
    int32_t x = 5, y = 5;
    for (const auto& [clientX, clientY, width, height, sceneX, sceneY] : cases) {
        scaleToScene(clientX, clientY, width, height, &x, &y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(sceneX, sceneY)) << clientX << " " << width;
    }
    sdlReadPointer(&x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0)) << "the origin without a window";
    WindowHandle window = makeWindow(400, 300, sdlDefWindowProc);
    SDL_WarpMouseInWindow(window->surface, 350, 50);
    sdlReadPointer(&x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(700, 100));
    int counter = sdlShowCursor(1) - 1;
    sdlShowCursor(0);
    for (int show : {0, 0, 1, 1, 1, 0}) {
        counter += show ? 1 : -1;
        EXPECT_EQ(sdlShowCursor(show), counter);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), counter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    EXPECT_TRUE(sdlDestroyWindow(window) && sdlUnregisterClass("test", sdlCurrentInstance()));
}

// The upper half of the code page, reviewed against the code page's table; output cut only
// between whole characters. Without a display the message is printed instead of shown.
TEST(MessageBox, TextsAreShownInUtf8AndPrintedWithoutADisplay) {
    std::string table;
    for (int row = 0x80; row < 0x100; row += 16) {
        std::string bytes;
        for (int i = 0; i < 16; ++i) bytes += char(row + i);
        table += faking::line(faking::hex(row), bytes) + "\n";
    }
    expectGolden("shell/cp1250-upper-half.txt", table);
    for (auto [size, text] : {std::pair{3, "a"}, {6, "ač"}, {7, "ač€"}}) {
        char out[8];
        EXPECT_EQ(convertCp1250ToUtf8("a\xe8\x80", out, size), int(std::strlen(text)));
        EXPECT_STREQ(out, text);
    }
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    EXPECT_EQ(
        systemMessageBox("Chyba na\xe8\xedtania obr\xe1zka.", "Chyba", IconError, ButtonsYesNo),
        AnswerClosed);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Chyba: Chyba načítania obrázka.\n");
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
}

} // namespace
