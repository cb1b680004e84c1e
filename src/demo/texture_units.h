#pragma once

#include "gpu/gl_extensions.h"

// Makes a texture unit active (and with it the unit whose texture matrix and
// bindings later calls address). Without multitexture support only unit 0
// exists, and it is always the active one.
inline void selectTextureUnit(GLenum unit)
{
    if (GlExtensions::glActiveTextureARB)
        GlExtensions::glActiveTextureARB(unit);
}
