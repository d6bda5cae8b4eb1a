// hidden_context.h -- a hidden window with a current OpenGL context, for the programs that draw
// without showing anything: the font sample tool and the tests
#pragma once

// On the first call makes, through the system's own window system, a hidden window whose client
// area is width x height with a double-buffered frame buffer of 24 colour and 16 depth bits; on
// every call makes its context current. Later calls keep the first size. 1 on success.
int makeHiddenContextCurrent(int width, int height);
