#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gpu/gl_headers.h"

// Every GLSL program of the demo, one per numbered slot, each built from a
// vertex file and a fragment file. Every outcome of a build goes to the log;
// a slot that failed is still usable (it simply draws whatever GL makes of it).
//
// All GL work goes through the ARB shader-object entry points; when they are not
// loaded (GlExtensions::shaderObjectsReady() is false) every operation does
// nothing. Slot indices outside 0..count-1 are ignored.
class ShaderSet {
public:
    // Source files are read whole up to this many bytes; a longer file is
    // refused with a log entry and its shader gets empty text, like a missing file.
    static constexpr std::size_t maxSourceBytes = 99'999;

    // Sizes the set: `count` empty slots. Any slots from before are dropped
    // without touching GL (their context may already be gone); release() is
    // what deletes GL objects.
    bool allocate(int32_t count);

    // Builds the slot's program: read both files, compile vertex then fragment
    // shader, link, validate. Stops at the first failure, logging the driver's
    // info log with the slot as ID. A program that linked is left current.
    void load(int32_t slot, const char* vertexFile, const char* fragmentFile);

    // The file's whole text with CR LF turned into LF, or nothing (after a log
    // entry naming the file) when it can't be opened, read, or is too long.
    static std::optional<std::string> readSource(const char* fileName);

    void use(int32_t slot);
    void unuse();

    // Each setter looks the name up in the slot's program on every call and
    // sets the value in whatever program is current (use() the slot first).
    // A name the program lacks is silently ignored, as GL does with location -1.
    void setUniform1i(int32_t slot, const char* name, int32_t value);
    void setUniform1f(int32_t slot, const char* name, float value);
    void setUniform4f(int32_t slot, const char* name, float x, float y, float z, float w);

    // No program current, every slot's shaders and program deleted, no slots left.
    void release();

    int32_t count() const { return count_; }
    GLhandleARB program(int32_t slot) const;
    GLhandleARB vertexShader(int32_t slot) const;
    GLhandleARB fragmentShader(int32_t slot) const;

private:
    bool validSlot(int32_t slot) const { return slot >= 0 && slot < count_; }
    GLint uniformLocation(int32_t slot, const char* name) const;
    void deleteSlotObjects(int32_t slot);

    std::vector<GLhandleARB> vertexShaders_;
    std::vector<GLhandleARB> fragmentShaders_;
    std::vector<GLhandleARB> programs_;
    int32_t count_ = 0;
};
