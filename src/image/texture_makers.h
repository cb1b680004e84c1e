#pragma once

#include "gpu/gl_headers.h"

// Texture makers. Each writes the texture it makes into names[index] and
// leaves it bound on the active unit. A null file name does nothing more (the
// cube-map face maker still binds and sets up the cube texture). A bitmap that
// cannot be decoded ends the program with status 1 after the decoder's message.

// Mipmapped RGB 2D texture.
void loadTexture(GLuint* names, const char* fileName, int index);
// Mipmapped RGBA 2D texture whose exact-black pixels are transparent.
void loadColorKeyTexture(GLuint* names, const char* fileName, int index);
// One face of the cube texture names[index], which the caller has generated.
void loadCubeMapFace(GLuint* names, const char* fileName, int index, GLenum face);
