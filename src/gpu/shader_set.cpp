#include "gpu/shader_set.h"

#include "gpu/gl_extensions.h"
#include "gpu/log.h"

namespace {

using X = GlExtensions;

std::string infoLog(GLhandleARB object)
{
    GLint length = 0;  // counts the terminating zero
    X::glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    GLsizei written = 0;
    X::glGetInfoLogARB(object, length, &written, text.data());
    // Trust the zero the driver wrote more than the count it reported.
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

// One entry per outcome; the ID is the slot, which is what a reader can map
// back to a file pair, never the GL handle.
void reportInfoLog(const char* prefix, int32_t slot, GLhandleARB object)
{
    Log::instance()->write(prefix + std::to_string(slot) + ": " + infoLog(object));
}

bool objectStatus(GLhandleARB object, GLenum status)
{
    GLint value = 0;
    X::glGetObjectParameterivARB(object, status, &value);
    return value != 0;
}

void giveSource(GLhandleARB shader, const char* fileName)
{
    // A file that could not be read still gets compiled, as empty text, so the
    // slot reports a compile error of its own rather than vanishing silently.
    const std::string text = ShaderSet::readSource(fileName).value_or(std::string());
    const GLcharARB* strings[1] = {text.c_str()};
    X::glShaderSourceARB(shader, 1, strings, nullptr);
}

} // namespace

bool ShaderSet::allocate(int32_t count)
{
    count_ = count > 0 ? count : 0;
    vertexShaders_.assign(static_cast<std::size_t>(count_), 0);
    fragmentShaders_.assign(static_cast<std::size_t>(count_), 0);
    programs_.assign(static_cast<std::size_t>(count_), 0);
    return true;
}

void ShaderSet::load(int32_t slot, const char* vertexFile, const char* fragmentFile)
{
    if (!GlExtensions::shaderObjectsReady() || !validSlot(slot))
        return;
    // Loading a slot twice in one context must not strand the first objects.
    deleteSlotObjects(slot);

    const GLhandleARB program = X::glCreateProgramObjectARB();
    const GLhandleARB fragment = X::glCreateShaderObjectARB(GL_FRAGMENT_SHADER_ARB);
    const GLhandleARB vertex = X::glCreateShaderObjectARB(GL_VERTEX_SHADER_ARB);
    programs_[slot] = program;
    fragmentShaders_[slot] = fragment;
    vertexShaders_[slot] = vertex;

    // Fragment first, so a missing fragment file is reported before a missing vertex file.
    giveSource(fragment, fragmentFile);
    giveSource(vertex, vertexFile);

    X::glCompileShaderARB(vertex);
    if (!objectStatus(vertex, GL_OBJECT_COMPILE_STATUS_ARB)) {
        reportInfoLog("VS Compiling Error! ID: ", slot, vertex);
        return;
    }
    X::glCompileShaderARB(fragment);
    if (!objectStatus(fragment, GL_OBJECT_COMPILE_STATUS_ARB)) {
        reportInfoLog("PS Compiling Error! ID: ", slot, fragment);
        return;
    }

    X::glAttachObjectARB(program, vertex);
    X::glAttachObjectARB(program, fragment);
    X::glLinkProgramARB(program);
    if (!objectStatus(program, GL_OBJECT_LINK_STATUS_ARB)) {
        reportInfoLog("Shader Linker Error! ID: ", slot, program);
        return;
    }

    X::glUseProgramObjectARB(program);
    if (X::glValidateProgramARB) {
        X::glValidateProgramARB(program);
        // Informative only: the report below is written whatever it says.
        objectStatus(program, GL_OBJECT_VALIDATE_STATUS_ARB);
    }
    reportInfoLog("Shader Validation ID: ", slot, program);
}

void ShaderSet::use(int32_t slot)
{
    if (GlExtensions::shaderObjectsReady() && validSlot(slot))
        X::glUseProgramObjectARB(programs_[slot]);
}

void ShaderSet::unuse()
{
    if (GlExtensions::shaderObjectsReady())
        X::glUseProgramObjectARB(0);
}

GLint ShaderSet::uniformLocation(int32_t slot, const char* name) const
{
    // Looking a name up in program 0 is a GL error, so an empty slot answers -1 itself.
    if (!GlExtensions::shaderObjectsReady() || !validSlot(slot) || programs_[slot] == 0 || !name)
        return -1;
    return X::glGetUniformLocationARB(programs_[slot], name);
}

// A name the program lacks gives location -1, which GL itself ignores.
void ShaderSet::setUniform1i(int32_t slot, const char* name, int32_t value)
{
    if (GlExtensions::shaderObjectsReady())
        X::glUniform1iARB(uniformLocation(slot, name), value);
}

void ShaderSet::setUniform1f(int32_t slot, const char* name, float value)
{
    if (GlExtensions::shaderObjectsReady() && X::glUniform1fARB)
        X::glUniform1fARB(uniformLocation(slot, name), value);
}

void ShaderSet::setUniform4f(int32_t slot, const char* name, float x, float y, float z, float w)
{
    if (GlExtensions::shaderObjectsReady())
        X::glUniform4fARB(uniformLocation(slot, name), x, y, z, w);
}

void ShaderSet::deleteSlotObjects(int32_t slot)
{
    for (GLhandleARB* handle : {&vertexShaders_[slot], &fragmentShaders_[slot], &programs_[slot]}) {
        if (*handle != 0)
            X::glDeleteObjectARB(*handle);
        *handle = 0;
    }
}

void ShaderSet::release()
{
    if (GlExtensions::shaderObjectsReady()) {
        unuse();
        for (int32_t slot = 0; slot < count_; ++slot)
            deleteSlotObjects(slot);
    }
    allocate(0);
    vertexShaders_.shrink_to_fit();
    fragmentShaders_.shrink_to_fit();
    programs_.shrink_to_fit();
}

GLhandleARB ShaderSet::program(int32_t slot) const
{
    return validSlot(slot) ? programs_[slot] : 0;
}

GLhandleARB ShaderSet::vertexShader(int32_t slot) const
{
    return validSlot(slot) ? vertexShaders_[slot] : 0;
}

GLhandleARB ShaderSet::fragmentShader(int32_t slot) const
{
    return validSlot(slot) ? fragmentShaders_[slot] : 0;
}
