// viewer_state.h -- the program-wide state record and the types it is made of
#pragma once

#include <cstdint>

#include "platform/handles.h"

class BitmapFont;

// A window of the complex plane: (x, y) is its lower-left corner, dx and dy its width and height.
struct ViewRegion {
    double x, dx, y, dy;
};

constexpr ViewRegion InitialView = {-1.25, 2.0, -1.0, 2.0};

enum FractalKind : int32_t { Mandelbrot = 0, Julia = 1 };

// The constant c of the Julia iteration.
struct JuliaSeed {
    double re, im;
};

// Three implementations of one iteration, each in a greyscale and a palette variant.
enum ComputeMethod : int32_t {
    GreyPortable = 0,
    GreyX87 = 1,
    Grey3DNow = 2,
    PalettePortable = 3,
    PaletteX87 = 4,
    Palette3DNow = 5,
};

// A method is its family's first method plus its implementation: 0 portable, 1 x87, 2 3DNow!.
inline int implementationOf(ComputeMethod method) {
    return method % 3;
}
inline ComputeMethod methodOf(bool palette, int implementation) {
    return ComputeMethod((palette ? PalettePortable : GreyPortable) + implementation);
}

// Screen coordinates, y growing downwards.
struct PointerPosition {
    int32_t x, y;
};

struct ViewerState {
    // shell
    uint8_t fullScreen = 1;
    uint8_t windowActive = 1;
    InstanceHandle instanceHandle = nullptr;
    WindowHandle mainWindow = nullptr;
    DeviceContext deviceContext = nullptr;
    RenderContext renderContext = nullptr;
    BitmapFont* font = nullptr;

    // engine
    ViewRegion view = InitialView;
    FractalKind kind = Mandelbrot;
    ComputeMethod method = GreyPortable;
    int32_t colourEnabled = 0;
    int32_t has3DNow = 0;
    JuliaSeed juliaSeed = {0.0, 0.0};
    uint32_t iterationCount = 0;
    float computeSeconds = 0.0f;
    uint32_t tileTextures[4] = {0, 0, 0, 0}; // upper-left, upper-right, lower-left, lower-right

    // frame
    PointerPosition pointerPosition = {0, 0};
    float framesPerSecond = 0.0f;
    uint32_t fontTexture = 0;
};

extern ViewerState viewerState;
