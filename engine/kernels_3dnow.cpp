// kernels_3dnow.cpp -- the escape-time kernels on the 3DNow! unit, in single precision
//
// Each kernel is one block of inline assembly from the first FEMMS to the last, since the MMX
// registers alias the x87 stack and must not meet compiled code in between. The twin in
// kernels_3dnow_layer.cpp takes the same steps over the packed-pair layer; keep the two in step.
//
// Registers for the whole tile: mm0 z, mm1 c, mm2 bound (4, 4), mm3 zero (0, 0), mm4 to mm6
// scratch, mm7 the point P; each pair is (imaginary, real) from low lane to high.
#include "engine/escape_time.h"
#include "engine/kernels.h"
#include "engine/kernels_3dnow_frame.h"
#include "engine/palette_table.h"

namespace {

// The Julia kernels hold the seed in mm1 for the whole tile; Mandelbrot takes c = P per pixel.
#define SEED_LOAD_JULIA "movq %[seed], %%mm1\n\t"
#define SEED_LOAD_MANDELBROT ""
#define PIXEL_START_JULIA "movq %%mm7, %%mm0\n\t"
#define PIXEL_START_MANDELBROT                                                                     \
    "movq %%mm7, %%mm1\n\t"                                                                        \
    "movq %%mm7, %%mm0\n\t"

// The low byte of -n is 256 - n for a countdown n of 1 to IterationLimit and 0 for a point that
// stayed.
#define PIXEL_WRITE_GREY                                                                           \
    "movl %[n], %k[scratch]\n\t"                                                                   \
    "negl %k[scratch]\n\t"                                                                         \
    "movb %b[scratch], (%[pixel])\n\t"                                                             \
    "movb %b[scratch], 1(%[pixel])\n\t"                                                            \
    "movb %b[scratch], 2(%[pixel])\n\t"

// Entry LastPaletteEntry - n, whose spare byte stays out; black when the point stayed.
#define PIXEL_WRITE_PALETTE                                                                        \
    "xorl %k[scratch], %k[scratch]\n\t"                                                            \
    "testl %[n], %[n]\n\t"                                                                         \
    "jz 5f\n\t"                                                                                    \
    "movl %[lastEntry], %k[scratch]\n\t"                                                           \
    "subl %[n], %k[scratch]\n\t"                                                                   \
    "movl (%[palette], %[scratch], 4), %k[scratch]\n"                                              \
    "5:\n\t"                                                                                       \
    "movw %w[scratch], (%[pixel])\n\t"                                                             \
    "shrl $16, %k[scratch]\n\t"                                                                    \
    "movb %b[scratch], 2(%[pixel])\n\t"

// One tile. The iteration follows the table of one step: S = z*z; Q = (zr, 0)*z, spread to both
// lanes; A = (Q, high of S); N = 0 - S; B = (Q, low of N); z = (A + B) + c; then m = the lane sum
// of z*z, compared with 4. The counter counts every iteration, the escaping one too.
#define THREEDNOW_KERNEL(seedLoad, pixelStart, pixelWrite)                                         \
    asm volatile(                                                                                  \
        "femms\n\t"                                                                                \
        "movq %[bound], %%mm2\n\t"                                                                 \
        "movq %[zero], %%mm3\n\t" seedLoad "movd %[y0f], %%mm7\n\t"                                \
        "movl %[side], %[rows]\n"                                                                  \
        "1:\n\t"                                                                                   \
        "punpckldq %%mm3, %%mm7\n\t"                                                               \
        "pfadd %[start], %%mm7\n\t"                                                                \
        "movl %[side], %[columns]\n"                                                               \
        "2:\n\t" pixelStart "movl %[limit], %[n]\n"                                                \
        "3:\n\t"                                                                                   \
        "movq %%mm0, %%mm4\n\t"                                                                    \
        "pfmul %%mm0, %%mm4\n\t"                                                                   \
        "movq %%mm0, %%mm5\n\t"                                                                    \
        "punpckhdq %%mm3, %%mm5\n\t"                                                               \
        "pfmul %%mm0, %%mm5\n\t"                                                                   \
        "punpckldq %%mm5, %%mm5\n\t"                                                               \
        "movq %%mm5, %%mm6\n\t"                                                                    \
        "punpckhdq %%mm4, %%mm6\n\t"                                                               \
        "pfsubr %%mm3, %%mm4\n\t"                                                                  \
        "punpckldq %%mm4, %%mm5\n\t"                                                               \
        "pfadd %%mm5, %%mm6\n\t"                                                                   \
        "pfadd %%mm1, %%mm6\n\t"                                                                   \
        "movq %%mm6, %%mm0\n\t"                                                                    \
        "movq %%mm0, %%mm4\n\t"                                                                    \
        "pfmul %%mm0, %%mm4\n\t"                                                                   \
        "pfacc %%mm4, %%mm4\n\t"                                                                   \
        "pfcmpgt %%mm2, %%mm4\n\t"                                                                 \
        "movd %%mm4, %k[scratch]\n\t"                                                              \
        "incl %[count]\n\t"                                                                        \
        "testl %k[scratch], %k[scratch]\n\t"                                                       \
        "jnz 4f\n\t"                                                                               \
        "decl %[n]\n\t"                                                                            \
        "jnz 3b\n"                                                                                 \
        "4:\n\t" pixelWrite "add $3, %[pixel]\n\t"                                                 \
        "pfadd %[columnStep], %%mm7\n\t"                                                           \
        "decl %[columns]\n\t"                                                                      \
        "jnz 2b\n\t"                                                                               \
        "pfadd %[rowStep], %%mm7\n\t"                                                              \
        "decl %[rows]\n\t"                                                                         \
        "jnz 1b\n\t"                                                                               \
        "femms"                                                                                    \
        : [pixel] "+r"(pixel), [count] "+r"(count), [rows] "=m"(rows), [columns] "=m"(columns),    \
          [n] "=&r"(n), [scratch] "=&q"(scratch)                                                   \
        : [y0f] "m"(frame.y0f), [start] "m"(frame.start), [columnStep] "m"(frame.columnStep),      \
          [rowStep] "m"(frame.rowStep), [bound] "m"(frame.bound), [zero] "m"(frame.zero),          \
          [seed] "m"(frame.juliaSeed), [palette] "r"(PaletteTable), [limit] "i"(IterationLimit),   \
          [lastEntry] "i"(LastPaletteEntry), [side] "i"(TileSide)                                  \
        : "cc", "memory", "mm0", "mm1", "mm2", "mm3", "mm4", "mm5", "mm6", "mm7", "st", "st(1)",   \
          "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)")

template <bool isJulia, bool isPalette>
void threeDNowKernel(TileImage& tile, double x0, double dx, double y0, double dy) {
    const ThreeDNowFrame frame = threeDNowFrame(x0, dx, y0, dy);
    uint32_t count = viewerState.iterationCount;
    uint8_t* pixel = tile.pixels;
    // IA-32 has too few registers for the loop counters too; they count in memory.
    uint32_t rows, columns, n;
    uintptr_t scratch; // a palette index, so as wide as an address
    if constexpr (isJulia && isPalette)
        THREEDNOW_KERNEL(SEED_LOAD_JULIA, PIXEL_START_JULIA, PIXEL_WRITE_PALETTE);
    else if constexpr (isJulia)
        THREEDNOW_KERNEL(SEED_LOAD_JULIA, PIXEL_START_JULIA, PIXEL_WRITE_GREY);
    else if constexpr (isPalette)
        THREEDNOW_KERNEL(SEED_LOAD_MANDELBROT, PIXEL_START_MANDELBROT, PIXEL_WRITE_PALETTE);
    else
        THREEDNOW_KERNEL(SEED_LOAD_MANDELBROT, PIXEL_START_MANDELBROT, PIXEL_WRITE_GREY);
    viewerState.iterationCount = count;
}

} // namespace

void mandelbrotGrey3DNow(TileImage& tile, double x0, double dx, double y0, double dy) {
    threeDNowKernel<false, false>(tile, x0, dx, y0, dy);
}

void mandelbrotPalette3DNow(TileImage& tile, double x0, double dx, double y0, double dy) {
    threeDNowKernel<false, true>(tile, x0, dx, y0, dy);
}

void juliaGrey3DNow(TileImage& tile, double x0, double dx, double y0, double dy) {
    threeDNowKernel<true, false>(tile, x0, dx, y0, dy);
}

void juliaPalette3DNow(TileImage& tile, double x0, double dx, double y0, double dy) {
    threeDNowKernel<true, true>(tile, x0, dx, y0, dy);
}
