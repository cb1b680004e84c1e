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

// Expansions of the entry-point lists of the header.
#define RESET_ENTRY_POINT(name, type, required) GlExtensions::name = nullptr;
#define FETCH_ENTRY_POINT(name, type, required) GlExtensions::name = fetch<type>(#name);
#define MISSING_REQUIRED(name, type, required) || ((required) && !GlExtensions::name)
#define MISSING_ELSEWHERE_KEPT(name) || !fetch<void*>(#name)

} // namespace

void GlExtensions::setProcLookup(ProcLookup lookup) { procLookup = lookup; }
void GlExtensions::setExtensionStringSource(ExtensionStringSource source) { extensionSource = source; }

bool GlExtensions::hasExtension(const char* extensions, const char* name)
{
    return extensions && name && std::strstr(extensions, name) != nullptr;
}

bool GlExtensions::loadMultitextureAndBuffers()
{
    // Pointers of an earlier window cycle belong to a context that is gone.
    VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(RESET_ENTRY_POINT)
    if (!hasExtension(extensionString(), "GL_ARB_multitexture")) {
        platform::showError("Multitexturing not supported!");
        return false;
    }
    VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(FETCH_ENTRY_POINT)
    if (false VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(MISSING_REQUIRED))
        platform::showError("VBOs not supported!");
    return true;
}

bool GlExtensions::loadFramebufferObject()
{
    framebufferLoaded = false;
    VERDAL_FRAMEBUFFER_ENTRY_POINTS(RESET_ENTRY_POINT)
    if (!hasExtension(extensionString(), "GL_EXT_framebuffer_object")) {
        Log::instance()->write("Error: EXT_framebuffer_object not supported!");
        return false;
    }
    VERDAL_FRAMEBUFFER_ENTRY_POINTS(FETCH_ENTRY_POINT)
    if (false VERDAL_FRAMEBUFFER_ENTRY_POINTS(MISSING_REQUIRED) VERDAL_FRAMEBUFFER_ALSO_NEEDS(MISSING_ELSEWHERE_KEPT)) {
        Log::instance()->write("Error: EXT_framebuffer_object entrypoints not found!");
        return false;
    }
    framebufferLoaded = true;
    return true;
}

bool GlExtensions::loadShaderObjects()
{
    shadersLoaded = false;
    VERDAL_SHADER_ENTRY_POINTS(RESET_ENTRY_POINT)
    const char* extensions = extensionString();
    if (!hasExtension(extensions, "GL_ARB_vertex_shader")
        || !hasExtension(extensions, "GL_ARB_fragment_shader")
        || !hasExtension(extensions, "GL_ARB_shader_objects")
        || !hasExtension(extensions, "GL_ARB_shading_language_100")) {
        Log::instance()->write("OpenGL Shading Language not supported!");
        return false;
    }
    VERDAL_SHADER_ENTRY_POINTS(FETCH_ENTRY_POINT)
    if (false VERDAL_SHADER_ENTRY_POINTS(MISSING_REQUIRED)) {
        Log::instance()->write("Not all entrypoints available!");
        return false;
    }
    shadersLoaded = true;
    return true;
}

void GlExtensions::loadDiagnostics()
{
    VERDAL_DIAGNOSTIC_ENTRY_POINTS(FETCH_ENTRY_POINT)
}

bool GlExtensions::multitextureReady()
{
    return glActiveTextureARB && glClientActiveTextureARB;
}

bool GlExtensions::buffersReady()
{
    return glGenBuffersARB && glBindBufferARB && glBufferDataARB;
}

bool GlExtensions::framebufferObjectReady() { return framebufferLoaded; }
bool GlExtensions::shaderObjectsReady() { return shadersLoaded; }
