#pragma once

// One place that pulls in the GL, GLU and extension declarations, so every file
// sees the same typedefs. Prototypes of extension functions are deliberately not
// declared: they are reached only through GlExtensions.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>
