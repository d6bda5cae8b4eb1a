// gl.h -- OpenGL 1.1 for the code above the platform layer
//
// MinGW's GL/gl.h pulls in all of windows.h unless the two macros that its declarations need
// already exist; they are given here and taken back, so that no Windows name leaks upwards.
#pragma once

#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#include <GL/gl.h>
#undef APIENTRY
#undef WINGDIAPI
#else
#include <GL/gl.h>
#endif
