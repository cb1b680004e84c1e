#pragma once

#include "gpu/gl_headers.h"

// Each group's entry points, listed once: member, GL name, pointer type, and
// whether the group's check needs it. These lists declare the pointers and
// drive their reset, lookup and required check in the loaders.
// The vertex-buffer trio is what "VBOs not supported!" looks for.
#define VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(ENTRY)                                      \
    ENTRY(glMultiTexCoord1fARB, "glMultiTexCoord1fARB", PFNGLMULTITEXCOORD1FARBPROC, false)      \
    ENTRY(glMultiTexCoord2fARB, "glMultiTexCoord2fARB", PFNGLMULTITEXCOORD2FARBPROC, false)      \
    ENTRY(glMultiTexCoord3fARB, "glMultiTexCoord3fARB", PFNGLMULTITEXCOORD3FARBPROC, false)      \
    ENTRY(glMultiTexCoord4fARB, "glMultiTexCoord4fARB", PFNGLMULTITEXCOORD4FARBPROC, false)      \
    ENTRY(glActiveTextureARB, "glActiveTextureARB", PFNGLACTIVETEXTUREARBPROC, false)            \
    ENTRY(glClientActiveTextureARB, "glClientActiveTextureARB", PFNGLCLIENTACTIVETEXTUREARBPROC, false) \
    ENTRY(glGenBuffersARB, "glGenBuffersARB", PFNGLGENBUFFERSARBPROC, true)                      \
    ENTRY(glBindBufferARB, "glBindBufferARB", PFNGLBINDBUFFERARBPROC, true)                      \
    ENTRY(glBufferDataARB, "glBufferDataARB", PFNGLBUFFERDATAARBPROC, true)                      \
    ENTRY(glDeleteBuffersARB, "glDeleteBuffersARB", PFNGLDELETEBUFFERSARBPROC, false)            \
    ENTRY(glMapBufferARB, "glMapBufferARB", PFNGLMAPBUFFERARBPROC, false)                        \
    ENTRY(glUnmapBufferARB, "glUnmapBufferARB", PFNGLUNMAPBUFFERARBPROC, false)

// framebufferActiveTextureARB is a second copy of glActiveTextureARB fetched
// with this group; the multitexture copy is the one in use.
#define VERDAL_FRAMEBUFFER_ENTRY_POINTS(ENTRY)                                                   \
    ENTRY(glIsRenderbufferEXT, "glIsRenderbufferEXT", PFNGLISRENDERBUFFEREXTPROC, true)          \
    ENTRY(glBindRenderbufferEXT, "glBindRenderbufferEXT", PFNGLBINDRENDERBUFFEREXTPROC, true)    \
    ENTRY(glDeleteRenderbuffersEXT, "glDeleteRenderbuffersEXT", PFNGLDELETERENDERBUFFERSEXTPROC, true) \
    ENTRY(glGenRenderbuffersEXT, "glGenRenderbuffersEXT", PFNGLGENRENDERBUFFERSEXTPROC, true)    \
    ENTRY(glRenderbufferStorageEXT, "glRenderbufferStorageEXT", PFNGLRENDERBUFFERSTORAGEEXTPROC, true) \
    ENTRY(framebufferActiveTextureARB, "glActiveTextureARB", PFNGLACTIVETEXTUREARBPROC, true)    \
    ENTRY(glIsFramebufferEXT, "glIsFramebufferEXT", PFNGLISFRAMEBUFFEREXTPROC, true)             \
    ENTRY(glBindFramebufferEXT, "glBindFramebufferEXT", PFNGLBINDFRAMEBUFFEREXTPROC, true)       \
    ENTRY(glDeleteFramebuffersEXT, "glDeleteFramebuffersEXT", PFNGLDELETEFRAMEBUFFERSEXTPROC, true) \
    ENTRY(glGenFramebuffersEXT, "glGenFramebuffersEXT", PFNGLGENFRAMEBUFFERSEXTPROC, true)       \
    ENTRY(glFramebufferTexture2DEXT, "glFramebufferTexture2DEXT", PFNGLFRAMEBUFFERTEXTURE2DEXTPROC, true) \
    ENTRY(glFramebufferRenderbufferEXT, "glFramebufferRenderbufferEXT",                          \
          PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC, false)                                             \
    ENTRY(glGetFramebufferAttachmentParameterivEXT, "glGetFramebufferAttachmentParameterivEXT",  \
          PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC, true)                                  \
    ENTRY(glGenerateMipmapEXT, "glGenerateMipmapEXT", PFNGLGENERATEMIPMAPEXTPROC, true)          \
    ENTRY(glCheckFramebufferStatusEXT, "glCheckFramebufferStatusEXT", PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC, true)

#define VERDAL_SHADER_ENTRY_POINTS(ENTRY)                                                        \
    ENTRY(glCreateProgramObjectARB, "glCreateProgramObjectARB", PFNGLCREATEPROGRAMOBJECTARBPROC, true) \
    ENTRY(glCreateShaderObjectARB, "glCreateShaderObjectARB", PFNGLCREATESHADEROBJECTARBPROC, true) \
    ENTRY(glShaderSourceARB, "glShaderSourceARB", PFNGLSHADERSOURCEARBPROC, true)                \
    ENTRY(glCompileShaderARB, "glCompileShaderARB", PFNGLCOMPILESHADERARBPROC, true)             \
    ENTRY(glAttachObjectARB, "glAttachObjectARB", PFNGLATTACHOBJECTARBPROC, true)                \
    ENTRY(glLinkProgramARB, "glLinkProgramARB", PFNGLLINKPROGRAMARBPROC, true)                   \
    ENTRY(glUseProgramObjectARB, "glUseProgramObjectARB", PFNGLUSEPROGRAMOBJECTARBPROC, true)    \
    ENTRY(glDeleteObjectARB, "glDeleteObjectARB", PFNGLDELETEOBJECTARBPROC, true)                \
    ENTRY(glUniform1iARB, "glUniform1iARB", PFNGLUNIFORM1IARBPROC, true)                         \
    ENTRY(glUniform1fARB, "glUniform1fARB", PFNGLUNIFORM1FARBPROC, false)                        \
    ENTRY(glUniform4fARB, "glUniform4fARB", PFNGLUNIFORM4FARBPROC, true)                         \
    ENTRY(glUniform4fvARB, "glUniform4fvARB", PFNGLUNIFORM4FVARBPROC, false)                     \
    ENTRY(glGetUniformLocationARB, "glGetUniformLocationARB", PFNGLGETUNIFORMLOCATIONARBPROC, true) \
    ENTRY(glVertexAttrib4fARB, "glVertexAttrib4fARB", PFNGLVERTEXATTRIB4FARBPROC, true)          \
    ENTRY(glGetAttribLocationARB, "glGetAttribLocationARB", PFNGLGETATTRIBLOCATIONARBPROC, true) \
    ENTRY(glGetObjectParameterivARB, "glGetObjectParameterivARB", PFNGLGETOBJECTPARAMETERIVARBPROC, true) \
    ENTRY(glGetInfoLogARB, "glGetInfoLogARB", PFNGLGETINFOLOGARBPROC, true)                      \
    ENTRY(glValidateProgramARB, "glValidateProgramARB", PFNGLVALIDATEPROGRAMARBPROC, false)

// The extension entry points the demo draws with, fetched by name once a GL
// context is current. They are static members rather than global gl* symbols so
// they never collide with what the system's GL library itself exports.
//
// A group whose loader failed leaves its pointers null; every caller checks the
// pointers (or the *Ready() helpers) before use, so a poor driver costs features,
// never a crash.
class GlExtensions {
public:
    using ProcLookup = void* (*)(const char* name);
    using ExtensionStringSource = const char* (*)();

    // Test seams: a GLX driver hands out non-null addresses even for unknown
    // names, so only an injected lookup can show the missing-entry-point paths.
    // Passing nullptr restores the real source.
    static void setProcLookup(ProcLookup lookup);
    static void setExtensionStringSource(ExtensionStringSource source);

    static bool loadMultitextureAndBuffers();
    static bool loadFramebufferObject();
    static bool loadShaderObjects();

    static bool multitextureReady();
    static bool buffersReady();
    static bool framebufferObjectReady();
    static bool shaderObjectsReady();

    // Plain substring test on the extension string, as drivers have always
    // been probed: a name that starts a longer name also counts.
    static bool hasExtension(const char* extensions, const char* name);

#define VERDAL_DECLARE_ENTRY_POINT(member, name, type, required) static inline type member = nullptr;
    VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(VERDAL_DECLARE_ENTRY_POINT)
    VERDAL_FRAMEBUFFER_ENTRY_POINTS(VERDAL_DECLARE_ENTRY_POINT)
    VERDAL_SHADER_ENTRY_POINTS(VERDAL_DECLARE_ENTRY_POINT)
#undef VERDAL_DECLARE_ENTRY_POINT
};
