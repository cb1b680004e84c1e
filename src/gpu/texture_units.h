#pragma once

#include <cstdint>

#include "gpu/gl_extensions.h"

// The texture units of the lit passes, by role. The lighting programs sample
// them as "baseMap", "normalMap", "depthMap" and "detailMap"; the water and
// the sky reuse the first three for their own pictures.
namespace TextureUnit {
constexpr GLenum Base = GL_TEXTURE0_ARB;    // material colour
constexpr GLenum Normal = GL_TEXTURE1_ARB;  // material normals
constexpr GLenum Shadow = GL_TEXTURE2_ARB;  // shadow map, with the lookup in its texture matrix
constexpr GLenum Detail = GL_TEXTURE3_ARB;  // detail normals

// The number a sampler uniform takes for the unit.
constexpr int32_t samplerIndex(GLenum unit) { return static_cast<int32_t>(unit - GL_TEXTURE0_ARB); }
} // namespace TextureUnit

// Makes a texture unit active (and with it the unit whose texture matrix and
// bindings later calls address). Without multitexture support only unit 0
// exists, and it is always the active one.
inline void selectTextureUnit(GLenum unit)
{
    if (GlExtensions::glActiveTextureARB)
        GlExtensions::glActiveTextureARB(unit);
}

inline void bindOnUnit(GLenum unit, GLenum target, GLuint texture)
{
    selectTextureUnit(unit);
    glBindTexture(target, texture);
}
