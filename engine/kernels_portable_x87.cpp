// kernels_portable_x87.cpp -- the portable kernels on the x87 unit, for processors without SSE2
//
// The same loops and IEEE double results as kernels_portable.cpp, each operation rounded to double
// through X87Doubles under x87DefaultControlWord.
#include "engine/kernels.h"
#include "engine/kernels_portable_body.h"
#include "platform/x87_control.h"

namespace {

template <bool isJulia, bool isPalette>
void x87Form(TileImage& tile, double x0, double dx, double y0, double dy) {
    underX87ControlWord(x87DefaultControlWord, [&] {
        portableKernel<X87Doubles, isJulia, isPalette>(tile, x0, dx, y0, dy);
        return 0;
    });
}

} // namespace

void mandelbrotGreyPortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Form<false, false>(tile, x0, dx, y0, dy);
}

void mandelbrotPalettePortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Form<false, true>(tile, x0, dx, y0, dy);
}

void juliaGreyPortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Form<true, false>(tile, x0, dx, y0, dy);
}

void juliaPalettePortableOnX87(TileImage& tile, double x0, double dx, double y0, double dy) {
    x87Form<true, true>(tile, x0, dx, y0, dy);
}
