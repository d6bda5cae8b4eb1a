// commands.cpp -- the commands of runFrame
#include "ui/commands.h"

#include "engine/portable_arithmetic.h"
#include "engine/tile_computation.h"
#include "engine/tile_textures.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "platform/window_system.h"
#include "ui/key_table.h"
#include "ui/palette.h"

void (*recomputation)() = recomputeImage;

namespace {

bool shiftHeld() {
    return KeyTable[VK_SHIFT] != 0;
}

// Held: while a digit is down its palette is loaded and the picture recomputed in every frame.
void applyPaletteKeys() {
    for (int digit = 0; digit < 8; ++digit) {
        if (KeyTable[VK_KEY_1 + digit]) {
            loadPalette(PaletteFiles[digit]);
            recomputation();
            return;
        }
    }
}

// One zoom step: the new corner lies offset old extents from the old one (from the old corner, or
// from the pointer's point less half an extent), and the extents are scaled by scale.
struct ZoomStep {
    double offset, scale;
};

// Each zoom and the pan without and with Shift, which makes every step larger.
constexpr ZoomStep CentreZoomIn[2] = {{0.4, 0.2}, {0.475, 0.05}};
constexpr ZoomStep CentreZoomOut[2] = {{-2.0, 5.0}, {-9.5, 20.0}};
constexpr ZoomStep PointerZoomIn[2] = {{0.25, 0.5}, {0.45, 0.1}};
constexpr ZoomStep PointerZoomOut[2] = {{-0.5, 2.0}, {-4.5, 10.0}};
constexpr double PanStep[2] = {0.1, 0.3};

// The view's arithmetic is IEEE double on every build: an IA-32 one does it on the x87 unit,
// whose registers would keep a product that overflows a double finite.
using D = CompiledDoubles;

// a + b * c, each operation rounded to double.
double addProduct(double a, double b, double c) {
    return double(D::add(a, D::mul(b, c)));
}

ViewRegion zoomed(const ViewRegion& old, double x0, double y0, const ZoomStep& step) {
    return {addProduct(x0, step.offset, old.dx), double(D::mul(old.dx, step.scale)),
            addProduct(y0, step.offset, old.dy), double(D::mul(old.dy, step.scale))};
}

// Numpad + and -, one-shot; the centre stays where it is.
void applyCentreZoom() {
    ViewRegion& view = viewerState.view;
    const bool shift = shiftHeld();
    if (KeyTable[VK_ADD]) {
        view = zoomed(view, view.x, view.y, CentreZoomIn[shift]);
        recomputation();
        KeyTable[VK_ADD] = 0;
    } else if (KeyTable[VK_SUBTRACT]) {
        view = zoomed(view, view.x, view.y, CentreZoomOut[shift]);
        recomputation();
        KeyTable[VK_SUBTRACT] = 0;
    }
}

// The corner (x0, y0) is the view moved so that its centre lies on the pointer's point; the
// mapping's step is 1/511 so that columns 0 and 511 reach both edges.
ViewRegion viewAboutPointer(const ViewRegion& old, const ZoomStep& step) {
    windowSystem->readPointer(&viewerState.pointerPosition.x, &viewerState.pointerPosition.y);
    const PointerPosition pointer = viewerState.pointerPosition;
    const double u = double(D::sub(D::mul(pointer.x, 1.0 / (PictureSide - 1)), 0.5));
    const double v =
        double(D::sub(D::mul(sceneRowOfPointer(pointer.y), 1.0 / (PictureSide - 1)), 0.5));
    return zoomed(old, addProduct(old.x, u, old.dx), addProduct(old.y, v, old.dy), step);
}

// Left button one-shot (one step per click), right button held (one step per frame).
void applyPointerZoom() {
    ViewRegion& view = viewerState.view;
    const bool shift = shiftHeld();
    if (KeyTable[VK_LBUTTON]) {
        view = viewAboutPointer(view, PointerZoomIn[shift]);
        recomputation();
        KeyTable[VK_LBUTTON] = 0;
    } else if (KeyTable[VK_RBUTTON]) {
        view = viewAboutPointer(view, PointerZoomOut[shift]);
        recomputation();
    }
}

// Two chains, each with its own recomputation; arrows are held keys.
void applyPan() {
    ViewRegion& view = viewerState.view;
    const double step = PanStep[shiftHeld()];
    if (KeyTable[VK_DOWN]) {
        view.y = addProduct(view.y, step, view.dy);
        recomputation();
    } else if (KeyTable[VK_UP]) {
        view.y = double(D::sub(view.y, D::mul(step, view.dy)));
        recomputation();
    }
    if (KeyTable[VK_RIGHT]) {
        view.x = addProduct(view.x, step, view.dx);
        recomputation();
    } else if (KeyTable[VK_LEFT]) {
        view.x = double(D::sub(view.x, D::mul(step, view.dx)));
        recomputation();
    }
}

void applyReset() {
    if (!KeyTable[VK_KEY_R]) return;
    viewerState.view = InitialView;
    recomputation();
    KeyTable[VK_KEY_R] = 0;
}

void applyUpdate() {
    if (!KeyTable[VK_KEY_U]) return;
    recomputation();
    KeyTable[VK_KEY_U] = 0;
}

// The method keeps its implementation and moves to the other family.
void applyColouring() {
    if (!KeyTable[VK_KEY_F]) return;
    viewerState.colourEnabled = !viewerState.colourEnabled;
    viewerState.method = methodOf(viewerState.colourEnabled, implementationOf(viewerState.method));
    recomputation();
    KeyTable[VK_KEY_F] = 0;
}

// The next implementation within the family, skipping 3DNow! where the processor lacks it. The
// picture stays until another command recomputes it.
void applyMethodCycle() {
    if (!KeyTable[VK_SPACE]) return;
    const bool palette = viewerState.colourEnabled;
    const ComputeMethod method = viewerState.method;
    int next = 0;
    if (method == methodOf(palette, 0))
        next = 1;
    else if (method == methodOf(palette, 1) && viewerState.has3DNow)
        next = 2;
    viewerState.method = methodOf(palette, next);
    KeyTable[VK_SPACE] = 0;
}

// Enter (one-shot) switches the kind, J (held) makes a Julia set of the point under the pointer;
// both use the pointer as last read and start from the initial view.
void applyKind() {
    if (KeyTable[VK_RETURN]) {
        if (viewerState.kind == Mandelbrot) {
            viewerState.kind = Julia;
            viewerState.juliaSeed = pointOfPointer(viewerState.pointerPosition, viewerState.view);
        } else {
            viewerState.kind = Mandelbrot;
        }
        viewerState.view = InitialView;
        recomputation();
        KeyTable[VK_RETURN] = 0;
    } else if (KeyTable[VK_KEY_J]) {
        viewerState.kind = Julia;
        viewerState.juliaSeed = pointOfPointer(viewerState.pointerPosition, viewerState.view);
        viewerState.view = InitialView;
        recomputation();
    }
}

} // namespace

JuliaSeed pointOfPointer(const PointerPosition& pointer, const ViewRegion& view) {
    constexpr double scale = -1.0 / PictureSide;
    return {double(D::sub(view.x, D::mul(D::mul(pointer.x, view.dx), scale))),
            double(D::sub(view.y, D::mul(D::mul(sceneRowOfPointer(pointer.y), view.dy), scale)))};
}

void applyCommands() {
    applyPaletteKeys();
    applyCentreZoom();
    applyPointerZoom();
    applyPan();
    applyReset();
    applyUpdate();
    applyColouring();
    applyMethodCycle();
    applyKind();
}
