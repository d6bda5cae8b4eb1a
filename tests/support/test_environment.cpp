// test_environment.cpp -- linked into every test program: headless video, the build folder,
// and leak reports that leave out the system's GL and X libraries
#include <cstdlib>

[[maybe_unused]] static const int environmentSet =
    setenv("SDL_VIDEODRIVER", "offscreen", 0) + setenv("ZELVONIA_BUILD", ZELVONIA_BUILD_DIR, 0);

// Read by LeakSanitizer when the program starts; Mesa and SDL keep caches to the end.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libGLX_mesa\nleak:libGL.so\nleak:swrast_dri\nleak:libLLVM\nleak:libSDL2\n"
           "leak:libX11\nleak:libdbus\nleak:libglapi\n";
}
