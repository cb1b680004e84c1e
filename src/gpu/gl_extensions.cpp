#include "gpu/gl_extensions.h"

#include <cstring>

#include "gpu/log.h"
#include "platform/platform.h"

namespace {

GlExtensions::ProcLookup procLookup = nullptr;
GlExtensions::ExtensionStringSource extensionSource = nullptr;

// Whether the last run of each loader succeeded; a failed or missing run keeps
// the features that need the group switched off.
bool framebufferLoaded = false;
bool shadersLoaded = false;

const char* extensionString()
{
    if (extensionSource)
        return extensionSource();
    return platform::getGlExtensions();
}

template <typename Fn>
Fn fetch(const char* name)
{
    void* address = procLookup ? procLookup(name) : platform::getGlProcAddress(name);
    return reinterpret_cast<Fn>(address);
}

#define FETCH(member, name) member = fetch<decltype(member)>(name)

void showError(const char* text)
{
    platform::messageBox(text, "Error", platform::MessageBoxStyle::ErrorOk);
}

} // namespace

using X = GlExtensions;

void GlExtensions::setProcLookup(ProcLookup lookup) { procLookup = lookup; }
void GlExtensions::setExtensionStringSource(ExtensionStringSource source) { extensionSource = source; }

bool GlExtensions::hasExtension(const char* extensions, const char* name)
{
    return extensions && name && std::strstr(extensions, name) != nullptr;
}

bool GlExtensions::loadMultitextureAndBuffers()
{
    // Pointers of an earlier window cycle belong to a context that is gone.
    X::glMultiTexCoord1fARB = nullptr; X::glMultiTexCoord2fARB = nullptr;
    X::glMultiTexCoord3fARB = nullptr; X::glMultiTexCoord4fARB = nullptr;
    X::glActiveTextureARB = nullptr; X::glClientActiveTextureARB = nullptr;
    X::glGenBuffersARB = nullptr; X::glBindBufferARB = nullptr; X::glBufferDataARB = nullptr;
    X::glDeleteBuffersARB = nullptr; X::glMapBufferARB = nullptr; X::glUnmapBufferARB = nullptr;

    if (!hasExtension(extensionString(), "GL_ARB_multitexture")) {
        showError("Multitexturing not supported!");
        return false;
    }
    FETCH(X::glMultiTexCoord1fARB, "glMultiTexCoord1fARB");
    FETCH(X::glMultiTexCoord2fARB, "glMultiTexCoord2fARB");
    FETCH(X::glMultiTexCoord3fARB, "glMultiTexCoord3fARB");
    FETCH(X::glMultiTexCoord4fARB, "glMultiTexCoord4fARB");
    FETCH(X::glActiveTextureARB, "glActiveTextureARB");
    FETCH(X::glClientActiveTextureARB, "glClientActiveTextureARB");
    FETCH(X::glGenBuffersARB, "glGenBuffersARB");
    FETCH(X::glBindBufferARB, "glBindBufferARB");
    FETCH(X::glBufferDataARB, "glBufferDataARB");
    FETCH(X::glDeleteBuffersARB, "glDeleteBuffersARB");
    FETCH(X::glMapBufferARB, "glMapBufferARB");
    FETCH(X::glUnmapBufferARB, "glUnmapBufferARB");

    if (!X::glGenBuffersARB || !X::glBindBufferARB || !X::glBufferDataARB)
        showError("VBOs not supported!");
    return true;
}

bool GlExtensions::loadFramebufferObject()
{
    framebufferLoaded = false;
    X::glIsRenderbufferEXT = nullptr; X::glBindRenderbufferEXT = nullptr;
    X::glDeleteRenderbuffersEXT = nullptr; X::glGenRenderbuffersEXT = nullptr;
    X::glRenderbufferStorageEXT = nullptr; X::framebufferActiveTextureARB = nullptr;
    X::glIsFramebufferEXT = nullptr; X::glBindFramebufferEXT = nullptr;
    X::glDeleteFramebuffersEXT = nullptr; X::glGenFramebuffersEXT = nullptr;
    X::glFramebufferTexture2DEXT = nullptr; X::glFramebufferRenderbufferEXT = nullptr;
    X::glGetFramebufferAttachmentParameterivEXT = nullptr; X::glGenerateMipmapEXT = nullptr;
    X::glCheckFramebufferStatusEXT = nullptr;

    if (!hasExtension(extensionString(), "GL_EXT_framebuffer_object")) {
        Log::instance()->write("Error: EXT_framebuffer_object not supported!");
        return false;
    }
    FETCH(X::glIsRenderbufferEXT, "glIsRenderbufferEXT");
    FETCH(X::glBindRenderbufferEXT, "glBindRenderbufferEXT");
    FETCH(X::glDeleteRenderbuffersEXT, "glDeleteRenderbuffersEXT");
    FETCH(X::glGenRenderbuffersEXT, "glGenRenderbuffersEXT");
    FETCH(X::glRenderbufferStorageEXT, "glRenderbufferStorageEXT");
    FETCH(X::framebufferActiveTextureARB, "glActiveTextureARB");
    FETCH(X::glIsFramebufferEXT, "glIsFramebufferEXT");
    FETCH(X::glBindFramebufferEXT, "glBindFramebufferEXT");
    FETCH(X::glDeleteFramebuffersEXT, "glDeleteFramebuffersEXT");
    FETCH(X::glGenFramebuffersEXT, "glGenFramebuffersEXT");
    FETCH(X::glFramebufferTexture2DEXT, "glFramebufferTexture2DEXT");
    FETCH(X::glFramebufferRenderbufferEXT, "glFramebufferRenderbufferEXT");
    FETCH(X::glGetFramebufferAttachmentParameterivEXT, "glGetFramebufferAttachmentParameterivEXT");
    FETCH(X::glGenerateMipmapEXT, "glGenerateMipmapEXT");
    FETCH(X::glCheckFramebufferStatusEXT, "glCheckFramebufferStatusEXT");

    const bool required = X::glIsRenderbufferEXT && X::glBindRenderbufferEXT
        && X::glDeleteRenderbuffersEXT && X::glGenRenderbuffersEXT
        && X::glRenderbufferStorageEXT && X::framebufferActiveTextureARB
        && X::glIsFramebufferEXT && X::glBindFramebufferEXT && X::glDeleteFramebuffersEXT
        && X::glGenFramebuffersEXT && X::glFramebufferTexture2DEXT
        && X::glGetFramebufferAttachmentParameterivEXT && X::glGenerateMipmapEXT
        && X::glCheckFramebufferStatusEXT;
    if (!required) {
        Log::instance()->write("Error: EXT_framebuffer_object entrypoints not found!");
        return false;
    }
    framebufferLoaded = true;
    return true;
}

bool GlExtensions::loadShaderObjects()
{
    shadersLoaded = false;
    X::glCreateProgramObjectARB = nullptr; X::glCreateShaderObjectARB = nullptr;
    X::glShaderSourceARB = nullptr; X::glCompileShaderARB = nullptr;
    X::glAttachObjectARB = nullptr; X::glLinkProgramARB = nullptr;
    X::glUseProgramObjectARB = nullptr; X::glDeleteObjectARB = nullptr;
    X::glUniform1iARB = nullptr; X::glUniform1fARB = nullptr; X::glUniform4fARB = nullptr;
    X::glUniform4fvARB = nullptr; X::glGetUniformLocationARB = nullptr;
    X::glVertexAttrib4fARB = nullptr; X::glGetAttribLocationARB = nullptr;
    X::glGetObjectParameterivARB = nullptr; X::glGetInfoLogARB = nullptr;
    X::glValidateProgramARB = nullptr;

    const char* extensions = extensionString();
    if (!hasExtension(extensions, "GL_ARB_vertex_shader")
        || !hasExtension(extensions, "GL_ARB_fragment_shader")
        || !hasExtension(extensions, "GL_ARB_shader_objects")
        || !hasExtension(extensions, "GL_ARB_shading_language_100")) {
        Log::instance()->write("OpenGL Shading Language not supported!");
        return false;
    }
    FETCH(X::glCreateProgramObjectARB, "glCreateProgramObjectARB");
    FETCH(X::glCreateShaderObjectARB, "glCreateShaderObjectARB");
    FETCH(X::glShaderSourceARB, "glShaderSourceARB");
    FETCH(X::glCompileShaderARB, "glCompileShaderARB");
    FETCH(X::glAttachObjectARB, "glAttachObjectARB");
    FETCH(X::glLinkProgramARB, "glLinkProgramARB");
    FETCH(X::glUseProgramObjectARB, "glUseProgramObjectARB");
    FETCH(X::glDeleteObjectARB, "glDeleteObjectARB");
    FETCH(X::glUniform1iARB, "glUniform1iARB");
    FETCH(X::glUniform1fARB, "glUniform1fARB");
    FETCH(X::glUniform4fARB, "glUniform4fARB");
    FETCH(X::glUniform4fvARB, "glUniform4fvARB");
    FETCH(X::glGetUniformLocationARB, "glGetUniformLocationARB");
    FETCH(X::glVertexAttrib4fARB, "glVertexAttrib4fARB");
    FETCH(X::glGetAttribLocationARB, "glGetAttribLocationARB");
    FETCH(X::glGetObjectParameterivARB, "glGetObjectParameterivARB");
    FETCH(X::glGetInfoLogARB, "glGetInfoLogARB");
    FETCH(X::glValidateProgramARB, "glValidateProgramARB");

    const bool required = X::glCreateProgramObjectARB && X::glCreateShaderObjectARB
        && X::glShaderSourceARB && X::glCompileShaderARB && X::glAttachObjectARB
        && X::glLinkProgramARB && X::glUseProgramObjectARB && X::glDeleteObjectARB
        && X::glUniform1iARB && X::glUniform4fARB && X::glGetUniformLocationARB
        && X::glVertexAttrib4fARB && X::glGetAttribLocationARB
        && X::glGetObjectParameterivARB && X::glGetInfoLogARB;
    if (!required) {
        Log::instance()->write("Not all entrypoints available!");
        return false;
    }
    shadersLoaded = true;
    return true;
}

bool GlExtensions::multitextureReady()
{
    return X::glActiveTextureARB && X::glClientActiveTextureARB;
}

bool GlExtensions::buffersReady()
{
    return X::glGenBuffersARB && X::glBindBufferARB && X::glBufferDataARB;
}

bool GlExtensions::framebufferObjectReady() { return framebufferLoaded; }
bool GlExtensions::shaderObjectsReady() { return shadersLoaded; }
