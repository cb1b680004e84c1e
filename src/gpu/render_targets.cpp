#include "gpu/render_targets.h"

#include "gpu/gl_extensions.h"
#include "gpu/log.h"

namespace {

using X = GlExtensions;

struct KindFormat {
    GLint internalFormat;
    GLenum format;
    GLenum type;
    GLint wrap;
};

bool knownKind(int32_t kind)
{
    return kind >= RenderTargets::KindRgb && kind <= RenderTargets::KindDepth;
}

KindFormat formatOf(int32_t kind)
{
    switch (kind) {
    case RenderTargets::KindRgb: return {GL_RGB, GL_RGB, GL_UNSIGNED_BYTE, GL_CLAMP_TO_EDGE};
    case RenderTargets::KindRgba: return {GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE, GL_REPEAT};
    case RenderTargets::KindRgbFloat: return {GL_RGB16F_ARB, GL_RGB, GL_FLOAT, GL_CLAMP};
    case RenderTargets::KindRgbaFloat: return {GL_RGBA16F_ARB, GL_RGBA, GL_FLOAT, GL_CLAMP_TO_EDGE};
    default: return {GL_DEPTH_COMPONENT, GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE, GL_CLAMP};
    }
}

void logFramebufferStatus(GLenum status)
{
    const char* text = nullptr;
    switch (status) {
    case GL_FRAMEBUFFER_COMPLETE_EXT: text = "Framebuffer Complete"; break;
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT: text = "Framebuffer Incomplete Attachment"; break;
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT:
        text = "Framebuffer Incomplete Missing Attachment";
        break;
    case GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT: text = "Framebuffer Incomplete Dimensions"; break;
    case GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT: text = "Framebuffer Incomplete Formats"; break;
    case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT: text = "Framebuffer Incomplete Draw Buffer"; break;
    case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT: text = "Framebuffer Incomplete Read Buffer"; break;
    case GL_FRAMEBUFFER_UNSUPPORTED_EXT: text = "Framebuffer unsupported!"; break;
    default: break;  // other values are not reported
    }
    if (text)
        Log::instance()->write(text);
}

} // namespace

bool RenderTargets::init(int32_t count)
{
    count_ = count > 0 ? count : 0;
    const auto slots = static_cast<std::size_t>(count_);
    framebuffers_.assign(slots, 0);
    renderbuffers_.assign(slots, 0);
    textures_.assign(slots, 0);
    sizes_.assign(slots, 0);
    kinds_.assign(slots, 0);
    return GlExtensions::loadFramebufferObject();
}

bool RenderTargets::create(int32_t slot, int32_t size, int32_t kind)
{
    if (!validSlot(slot))
        return false;
    sizes_[slot] = size;
    kinds_[slot] = kind;
    if (!GlExtensions::framebufferObjectReady())
        return false;
    // A slot built twice in one context replaces its objects instead of leaking them.
    deleteSlotObjects(slot);

    glGenTextures(1, &textures_[slot]);
    glBindTexture(GL_TEXTURE_2D, textures_[slot]);
    if (knownKind(kind)) {
        const KindFormat f = formatOf(kind);
        glTexImage2D(GL_TEXTURE_2D, 0, f.internalFormat, size, size, 0, f.format, f.type, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, f.wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, f.wrap);
    }

    X::glGenFramebuffersEXT(1, &framebuffers_[slot]);
    X::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffers_[slot]);
    glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT);
    glReadBuffer(GL_COLOR_ATTACHMENT0_EXT);

    if (kind == KindDepth) {
        // A shadow map has no colour buffer at all.
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
    } else {
        X::glGenRenderbuffersEXT(1, &renderbuffers_[slot]);
        X::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, renderbuffers_[slot]);
        X::glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, size, size);
        if (X::glFramebufferRenderbufferEXT)
            X::glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                            GL_RENDERBUFFER_EXT, renderbuffers_[slot]);
    }

    const GLenum attachment = kind == KindDepth ? GL_DEPTH_ATTACHMENT_EXT : GL_COLOR_ATTACHMENT0_EXT;
    X::glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, attachment, GL_TEXTURE_2D, textures_[slot], 0);

    logFramebufferStatus(X::glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT));
    X::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);

    // One code only: an error left pending by earlier code shows up here too.
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        Log::instance()->write(reinterpret_cast<const char*>(gluErrorString(error)));
        return false;
    }
    return true;
}

void RenderTargets::bind(int32_t slot)
{
    if (GlExtensions::framebufferObjectReady() && validSlot(slot))
        X::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffers_[slot]);
}

void RenderTargets::unbind()
{
    if (GlExtensions::framebufferObjectReady())
        X::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

GLuint RenderTargets::texture(int32_t slot) const { return validSlot(slot) ? textures_[slot] : 0; }
int32_t RenderTargets::size(int32_t slot) const { return validSlot(slot) ? sizes_[slot] : 0; }
int32_t RenderTargets::kind(int32_t slot) const { return validSlot(slot) ? kinds_[slot] : 0; }
GLuint RenderTargets::framebuffer(int32_t slot) const { return validSlot(slot) ? framebuffers_[slot] : 0; }
GLuint RenderTargets::renderbuffer(int32_t slot) const { return validSlot(slot) ? renderbuffers_[slot] : 0; }

void RenderTargets::deleteSlotObjects(int32_t slot)
{
    if (textures_[slot] != 0)
        glDeleteTextures(1, &textures_[slot]);
    if (framebuffers_[slot] != 0)
        X::glDeleteFramebuffersEXT(1, &framebuffers_[slot]);
    if (renderbuffers_[slot] != 0)
        X::glDeleteRenderbuffersEXT(1, &renderbuffers_[slot]);
    textures_[slot] = framebuffers_[slot] = renderbuffers_[slot] = 0;
}

void RenderTargets::release()
{
    if (count_ > 0) {
        // Names that are 0 are ignored by GL, so never-created slots cost nothing.
        glDeleteTextures(count_, textures_.data());
        if (GlExtensions::framebufferObjectReady()) {
            X::glDeleteFramebuffersEXT(count_, framebuffers_.data());
            X::glDeleteRenderbuffersEXT(count_, renderbuffers_.data());
        }
    }
    textures_.assign(textures_.size(), 0);
    framebuffers_.assign(framebuffers_.size(), 0);
    renderbuffers_.assign(renderbuffers_.size(), 0);
}
