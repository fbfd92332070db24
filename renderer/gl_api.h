// OpenGL 1.1 and GLU as each platform's headers give them: the Windows SDK's GL headers need
// <windows.h> (WINGDIAPI, APIENTRY) first; Mesa's stand alone. The show's own code includes this.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
