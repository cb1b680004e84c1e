#pragma once

#include "gpu/gl_headers.h"

// Each group's entry points, listed once: the GL name (which is also the
// pointer's name), its pointer type, and whether the group's check needs it.
// These lists declare the pointers and drive their reset, lookup and required
// check in the loaders. The vertex-buffer trio is what "VBOs not supported!"
// looks for.
#define VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(ENTRY)                  \
    ENTRY(glMultiTexCoord1fARB, PFNGLMULTITEXCOORD1FARBPROC, false)         \
    ENTRY(glMultiTexCoord2fARB, PFNGLMULTITEXCOORD2FARBPROC, false)         \
    ENTRY(glMultiTexCoord3fARB, PFNGLMULTITEXCOORD3FARBPROC, false)         \
    ENTRY(glMultiTexCoord4fARB, PFNGLMULTITEXCOORD4FARBPROC, false)         \
    ENTRY(glActiveTextureARB, PFNGLACTIVETEXTUREARBPROC, false)             \
    ENTRY(glClientActiveTextureARB, PFNGLCLIENTACTIVETEXTUREARBPROC, false) \
    ENTRY(glGenBuffersARB, PFNGLGENBUFFERSARBPROC, true)                    \
    ENTRY(glBindBufferARB, PFNGLBINDBUFFERARBPROC, true)                    \
    ENTRY(glBufferDataARB, PFNGLBUFFERDATAARBPROC, true)                    \
    ENTRY(glDeleteBuffersARB, PFNGLDELETEBUFFERSARBPROC, false)             \
    ENTRY(glMapBufferARB, PFNGLMAPBUFFERARBPROC, false)                     \
    ENTRY(glUnmapBufferARB, PFNGLUNMAPBUFFERARBPROC, false)

#define VERDAL_FRAMEBUFFER_ENTRY_POINTS(ENTRY)                                                             \
    ENTRY(glIsRenderbufferEXT, PFNGLISRENDERBUFFEREXTPROC, true)                                           \
    ENTRY(glBindRenderbufferEXT, PFNGLBINDRENDERBUFFEREXTPROC, true)                                       \
    ENTRY(glDeleteRenderbuffersEXT, PFNGLDELETERENDERBUFFERSEXTPROC, true)                                 \
    ENTRY(glGenRenderbuffersEXT, PFNGLGENRENDERBUFFERSEXTPROC, true)                                       \
    ENTRY(glRenderbufferStorageEXT, PFNGLRENDERBUFFERSTORAGEEXTPROC, true)                                 \
    ENTRY(glIsFramebufferEXT, PFNGLISFRAMEBUFFEREXTPROC, true)                                             \
    ENTRY(glBindFramebufferEXT, PFNGLBINDFRAMEBUFFEREXTPROC, true)                                         \
    ENTRY(glDeleteFramebuffersEXT, PFNGLDELETEFRAMEBUFFERSEXTPROC, true)                                   \
    ENTRY(glGenFramebuffersEXT, PFNGLGENFRAMEBUFFERSEXTPROC, true)                                         \
    ENTRY(glFramebufferTexture2DEXT, PFNGLFRAMEBUFFERTEXTURE2DEXTPROC, true)                               \
    ENTRY(glFramebufferRenderbufferEXT, PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC, false)                        \
    ENTRY(glGetFramebufferAttachmentParameterivEXT, PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC, true) \
    ENTRY(glGenerateMipmapEXT, PFNGLGENERATEMIPMAPEXTPROC, true)                                           \
    ENTRY(glCheckFramebufferStatusEXT, PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC, true)

// Entry points of other groups that the framebuffer group's check needs as
// well: looked up again with the group and checked, but kept only where their
// own group keeps them.
#define VERDAL_FRAMEBUFFER_ALSO_NEEDS(NEED) NEED(glActiveTextureARB)

#define VERDAL_SHADER_ENTRY_POINTS(ENTRY)                                    \
    ENTRY(glCreateProgramObjectARB, PFNGLCREATEPROGRAMOBJECTARBPROC, true)   \
    ENTRY(glCreateShaderObjectARB, PFNGLCREATESHADEROBJECTARBPROC, true)     \
    ENTRY(glShaderSourceARB, PFNGLSHADERSOURCEARBPROC, true)                 \
    ENTRY(glCompileShaderARB, PFNGLCOMPILESHADERARBPROC, true)               \
    ENTRY(glAttachObjectARB, PFNGLATTACHOBJECTARBPROC, true)                 \
    ENTRY(glLinkProgramARB, PFNGLLINKPROGRAMARBPROC, true)                   \
    ENTRY(glUseProgramObjectARB, PFNGLUSEPROGRAMOBJECTARBPROC, true)         \
    ENTRY(glDeleteObjectARB, PFNGLDELETEOBJECTARBPROC, true)                 \
    ENTRY(glUniform1iARB, PFNGLUNIFORM1IARBPROC, true)                       \
    ENTRY(glUniform1fARB, PFNGLUNIFORM1FARBPROC, false)                      \
    ENTRY(glUniform4fARB, PFNGLUNIFORM4FARBPROC, true)                       \
    ENTRY(glUniform4fvARB, PFNGLUNIFORM4FVARBPROC, false)                    \
    ENTRY(glGetUniformLocationARB, PFNGLGETUNIFORMLOCATIONARBPROC, true)     \
    ENTRY(glVertexAttrib4fARB, PFNGLVERTEXATTRIB4FARBPROC, true)             \
    ENTRY(glGetAttribLocationARB, PFNGLGETATTRIBLOCATIONARBPROC, true)       \
    ENTRY(glGetObjectParameterivARB, PFNGLGETOBJECTPARAMETERIVARBPROC, true) \
    ENTRY(glGetInfoLogARB, PFNGLGETINFOLOGARBPROC, true)                     \
    ENTRY(glValidateProgramARB, PFNGLVALIDATEPROGRAMARBPROC, false)

// What the benchmark and the tests read GL's state with: debug output, timer
// queries, object probes and read-backs. None is required; a caller checks
// the pointer it uses.
#define VERDAL_DIAGNOSTIC_ENTRY_POINTS(ENTRY)                                             \
    ENTRY(glDebugMessageCallback, PFNGLDEBUGMESSAGECALLBACKPROC, false)                   \
    ENTRY(glGenQueries, PFNGLGENQUERIESPROC, false)                                       \
    ENTRY(glDeleteQueries, PFNGLDELETEQUERIESPROC, false)                                 \
    ENTRY(glBeginQuery, PFNGLBEGINQUERYPROC, false)                                       \
    ENTRY(glEndQuery, PFNGLENDQUERYPROC, false)                                           \
    ENTRY(glGetQueryObjectui64v, PFNGLGETQUERYOBJECTUI64VPROC, false)                     \
    ENTRY(glIsBuffer, PFNGLISBUFFERPROC, false)                                           \
    ENTRY(glIsFramebuffer, PFNGLISFRAMEBUFFERPROC, false)                                 \
    ENTRY(glIsRenderbuffer, PFNGLISRENDERBUFFERPROC, false)                               \
    ENTRY(glIsProgram, PFNGLISPROGRAMPROC, false)                                         \
    ENTRY(glIsShader, PFNGLISSHADERPROC, false)                                           \
    ENTRY(glGetBufferSubDataARB, PFNGLGETBUFFERSUBDATAARBPROC, false)                     \
    ENTRY(glGetBufferParameterivARB, PFNGLGETBUFFERPARAMETERIVARBPROC, false)             \
    ENTRY(glGetRenderbufferParameterivEXT, PFNGLGETRENDERBUFFERPARAMETERIVEXTPROC, false)

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
    // Fetches the diagnostic entry points the driver has; needs no extension
    // name, since each pointer is checked where it is used.
    static void loadDiagnostics();

    static bool multitextureReady();
    static bool buffersReady();
    static bool framebufferObjectReady();
    static bool shaderObjectsReady();

    // Plain substring test on the extension string, as drivers have always
    // been probed: a name that starts a longer name also counts.
    static bool hasExtension(const char* extensions, const char* name);

#define VERDAL_DECLARE_ENTRY_POINT(name, type, required) static inline type name = nullptr;
    VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(VERDAL_DECLARE_ENTRY_POINT)
    VERDAL_FRAMEBUFFER_ENTRY_POINTS(VERDAL_DECLARE_ENTRY_POINT)
    VERDAL_SHADER_ENTRY_POINTS(VERDAL_DECLARE_ENTRY_POINT)
    VERDAL_DIAGNOSTIC_ENTRY_POINTS(VERDAL_DECLARE_ENTRY_POINT)
#undef VERDAL_DECLARE_ENTRY_POINT
};
