// OpenGL 1.1 and GLU as each platform's headers give them. The Windows SDK's (and mingw-w64's)
// headers need two of <windows.h>'s macros, WINGDIAPI and APIENTRY; they are given here and taken
// back afterwards, so the show's own code sees no more of Windows than the GL functions. Mesa's
// headers stand alone. The show's own code includes this.
#pragma once

#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#define LQ_DEFINED_APIENTRY
#endif
#if defined(_WIN32) && !defined(WINGDIAPI)
#define WINGDIAPI __declspec(dllimport)
#define LQ_DEFINED_WINGDIAPI
#endif
#if defined(_WIN32) && !defined(CALLBACK)
#define CALLBACK __stdcall
#define LQ_DEFINED_CALLBACK
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef LQ_DEFINED_APIENTRY
#undef APIENTRY
#undef LQ_DEFINED_APIENTRY
#endif
#ifdef LQ_DEFINED_WINGDIAPI
#undef WINGDIAPI
#undef LQ_DEFINED_WINGDIAPI
#endif
#ifdef LQ_DEFINED_CALLBACK
#undef CALLBACK
#undef LQ_DEFINED_CALLBACK
#endif
