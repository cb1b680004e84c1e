#pragma once

#include "gpu/gl_headers.h"

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

    // Multitexture.
    static inline PFNGLMULTITEXCOORD1FARBPROC glMultiTexCoord1fARB = nullptr;
    static inline PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
    static inline PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB = nullptr;
    static inline PFNGLMULTITEXCOORD4FARBPROC glMultiTexCoord4fARB = nullptr;
    static inline PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
    static inline PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;

    // Vertex buffer objects.
    static inline PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
    static inline PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
    static inline PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
    static inline PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
    static inline PFNGLMAPBUFFERARBPROC glMapBufferARB = nullptr;
    static inline PFNGLUNMAPBUFFERARBPROC glUnmapBufferARB = nullptr;

    // Framebuffer objects.
    static inline PFNGLISRENDERBUFFEREXTPROC glIsRenderbufferEXT = nullptr;
    static inline PFNGLBINDRENDERBUFFEREXTPROC glBindRenderbufferEXT = nullptr;
    static inline PFNGLDELETERENDERBUFFERSEXTPROC glDeleteRenderbuffersEXT = nullptr;
    static inline PFNGLGENRENDERBUFFERSEXTPROC glGenRenderbuffersEXT = nullptr;
    static inline PFNGLRENDERBUFFERSTORAGEEXTPROC glRenderbufferStorageEXT = nullptr;
    // A second copy fetched with the framebuffer group; the multitexture copy
    // above is the one in use.
    static inline PFNGLACTIVETEXTUREARBPROC framebufferActiveTextureARB = nullptr;
    static inline PFNGLISFRAMEBUFFEREXTPROC glIsFramebufferEXT = nullptr;
    static inline PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
    static inline PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT = nullptr;
    static inline PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT = nullptr;
    static inline PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT = nullptr;
    static inline PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC glFramebufferRenderbufferEXT = nullptr;
    static inline PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC
        glGetFramebufferAttachmentParameterivEXT = nullptr;
    static inline PFNGLGENERATEMIPMAPEXTPROC glGenerateMipmapEXT = nullptr;
    static inline PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT = nullptr;

    // Shader objects.
    static inline PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB = nullptr;
    static inline PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB = nullptr;
    static inline PFNGLSHADERSOURCEARBPROC glShaderSourceARB = nullptr;
    static inline PFNGLCOMPILESHADERARBPROC glCompileShaderARB = nullptr;
    static inline PFNGLATTACHOBJECTARBPROC glAttachObjectARB = nullptr;
    static inline PFNGLLINKPROGRAMARBPROC glLinkProgramARB = nullptr;
    static inline PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB = nullptr;
    static inline PFNGLDELETEOBJECTARBPROC glDeleteObjectARB = nullptr;
    static inline PFNGLUNIFORM1IARBPROC glUniform1iARB = nullptr;
    static inline PFNGLUNIFORM1FARBPROC glUniform1fARB = nullptr;
    static inline PFNGLUNIFORM4FARBPROC glUniform4fARB = nullptr;
    static inline PFNGLUNIFORM4FVARBPROC glUniform4fvARB = nullptr;
    static inline PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB = nullptr;
    static inline PFNGLVERTEXATTRIB4FARBPROC glVertexAttrib4fARB = nullptr;
    static inline PFNGLGETATTRIBLOCATIONARBPROC glGetAttribLocationARB = nullptr;
    static inline PFNGLGETOBJECTPARAMETERIVARBPROC glGetObjectParameterivARB = nullptr;
    static inline PFNGLGETINFOLOGARBPROC glGetInfoLogARB = nullptr;
    static inline PFNGLVALIDATEPROGRAMARBPROC glValidateProgramARB = nullptr;
};
