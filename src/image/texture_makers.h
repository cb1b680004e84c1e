#pragma once

#include "gpu/gl_headers.h"

// Texture makers. Each writes the texture it makes into names[index] and
// leaves it bound on the active unit. A null file name does nothing more (the
// cube-map face maker still binds and sets up the cube texture). A bitmap that
// cannot be decoded ends the program with status 1 after the decoder's message.
// Pixel rows are uploaded tightly packed; GL_UNPACK_ALIGNMENT is as before.

// Mipmapped RGB 2D texture, filters linear-mipmap-linear / linear, wrap left as is.
void loadTexture(GLuint* names, const char* fileName, int index);
// Mipmapped RGBA 2D texture whose exact-black pixels are transparent (alpha 0,
// every other pixel 255); same filters as loadTexture.
void loadColorKeyTexture(GLuint* names, const char* fileName, int index);
// One face (level 0 only) of the cube texture names[index], which the caller has
// generated. Every call, null name or not, binds it and sets linear filters and
// clamp-to-edge wrapping on S, T and R.
void loadCubeMapFace(GLuint* names, const char* fileName, int index, GLenum face);
