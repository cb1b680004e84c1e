#pragma once

#include <cstdint>
#include <vector>

#include "gpu/gl_headers.h"

// The offscreen targets the frame passes render into: per numbered slot one
// framebuffer object with a square texture attached, either as its colour
// buffer (with a depth renderbuffer beside it) or as its depth buffer.
//
// Without framebuffer-object support nothing is created and bind/unbind do
// nothing. Slot indices outside 0..count-1 are ignored (texture/size answer 0).
class RenderTargets {
public:
    // Kind codes for create().
    static constexpr int32_t KindRgb = 0;        // GL_RGB colour, clamp to edge
    static constexpr int32_t KindRgba = 1;       // GL_RGBA colour, repeat
    static constexpr int32_t KindRgbFloat = 2;   // GL_RGB16F colour, clamp
    static constexpr int32_t KindRgbaFloat = 3;  // GL_RGBA16F colour, clamp to edge
    static constexpr int32_t KindDepth = 4;      // depth texture only, clamp

    // Fresh slot tables with every name 0, then loads the framebuffer-object
    // entry points; the loader's result is the result. Tables of an earlier
    // window cycle are dropped without touching GL: release() deletes objects.
    bool init(int32_t count);

    // Builds the slot's target and logs its framebuffer status. Afterwards
    // framebuffer 0 is bound, the new texture stays bound to GL_TEXTURE_2D on
    // the active unit and, for colour kinds, the new renderbuffer stays bound.
    // False if GL reported an error (its text is logged) or nothing was built.
    bool create(int32_t slot, int32_t size, int32_t kind);

    // Only binds the framebuffer: viewport and clearing are the caller's.
    void bind(int32_t slot);
    void unbind();

    GLuint texture(int32_t slot) const;  // colour texture, or the depth texture of KindDepth
    int32_t size(int32_t slot) const;
    int32_t kind(int32_t slot) const;
    int32_t count() const { return count_; }
    GLuint framebuffer(int32_t slot) const;
    GLuint renderbuffer(int32_t slot) const;

    // Deletes every slot's texture, framebuffer and renderbuffer and forgets
    // the names, so a second release can't delete objects that reuse them.
    void release();

private:
    bool validSlot(int32_t slot) const { return slot >= 0 && slot < count_; }
    void deleteSlotObjects(int32_t slot);

    int32_t count_ = 0;
    std::vector<GLuint> framebuffers_;
    std::vector<GLuint> renderbuffers_;
    std::vector<GLuint> textures_;
    std::vector<int32_t> sizes_;
    std::vector<int32_t> kinds_;
};
