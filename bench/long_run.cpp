// Long runs without a display: many frames, then many start-ups, watching for
// what grows. Prints resident memory after chosen frames, and after each
// teardown the GL objects still alive in the context and resident memory.
//   long_run --data DIR [--frames 3000] [--memory-at 300,3000] [--cycles 20]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "app/app_window.h"
#include "app/entry.h"
#include "app/frame_hooks.h"
#include "camera/mouse_screen.h"
#include "gpu/gl_extensions.h"
#include "platform/headless_context.h"
#include "platform/platform.h"

namespace {

uint32_t simulatedMilliseconds = 0;
uint32_t simulatedClock() { return simulatedMilliseconds; }

platform::MessageBoxResult reportBox(const char* text, const char* caption, platform::MessageBoxStyle)
{
    std::fprintf(stderr, "long_run: %s: %s\n", caption, text);
    return platform::MessageBoxResult::No;
}

// GL names alive of every kind the demo makes, probed over a generous range.
int liveGlObjects()
{
    using IsName = GLboolean (*)(GLuint);
    auto lookup = [](const char* name) { return reinterpret_cast<IsName>(platform::getGlProcAddress(name)); };
    const IsName probes[] = {lookup("glIsTexture"), lookup("glIsBuffer"), lookup("glIsList"),
                             lookup("glIsFramebuffer"), lookup("glIsRenderbuffer"), lookup("glIsProgram"),
                             lookup("glIsShader")};
    int live = 0;
    for (IsName probe : probes) {
        for (GLuint name = 1; probe && name < 20000; ++name)
            live += probe(name) ? 1 : 0;
    }
    return live;
}

long residentKilobytes() { return static_cast<long>(platform::residentBytes() / 1024); }

void renderFrames(int frames, const std::set<int>& memoryAt)
{
    for (int frame = 1; frame <= frames; ++frame) {
        simulatedMilliseconds += 16;
        update(16);
        render();
        glFinish();
        if (memoryAt.count(frame))
            std::printf("resident_kb_frame_%d: %ld\n", frame, residentKilobytes());
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string data;
    int frames = 3000, cycles = 1;
    std::set<int> memoryAt;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--data") == 0) {
            data = argv[i + 1];
        } else if (std::strcmp(argv[i], "--frames") == 0) {
            frames = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--cycles") == 0) {
            cycles = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--memory-at") == 0) {
            for (char* item = std::strtok(argv[i + 1], ","); item; item = std::strtok(nullptr, ","))
                memoryAt.insert(std::atoi(item));
        }
    }
    if (!data.empty())
        std::filesystem::current_path(data);
    screenWidth = mouseScreenWidth = 320;
    screenHeight = mouseScreenHeight = 240;
    platform::setMessageBoxHandler(reportBox);
    platform::setClockSource(simulatedClock);
    platform::HeadlessContext* context = platform::createHeadlessContext(screenWidth, screenHeight);
    if (!context)
        return 1;

    KeyState keys{};
    AppWindow window{};
    window.keys = &keys;
    window.hDC = platform::headlessDeviceContext(context);
    window.width = screenWidth;
    window.height = screenHeight;
    window.isVisible = 1;
    std::printf("gl_objects_before: %d\n", liveGlObjects());
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        initialize(&window, &keys);
        renderFrames(frames, memoryAt);
        deinitialize();
        std::printf("gl_objects_after_cycle_%d: %d\n", cycle, liveGlObjects());
        std::printf("resident_kb_after_cycle_%d: %ld\n", cycle, residentKilobytes());
        std::fflush(stdout);
    }
    platform::destroyHeadlessContext(context);
    return 0;
}
