#pragma once

// Optional hooks for automated runs, benchmarks and tests: told when a start-up
// step or a render pass begins and ends, and before each scene mesh a pass
// draws. Unset (the normal case) they cost a test of a null pointer and
// nothing else. A start-up step named null means start-up is complete.
struct DemoInstrumentation {
    void (*stepBegins)(const char* step) = nullptr;
    void (*passBegins)(const char* pass) = nullptr;
    void (*passEnds)(const char* pass) = nullptr;
    void (*meshDrawBegins)(const char* mesh) = nullptr;
};

extern DemoInstrumentation demoInstrumentation;

inline void markStartupStep(const char* step)
{
    if (demoInstrumentation.stepBegins)
        demoInstrumentation.stepBegins(step);
}

inline void markMeshDraw(const char* mesh)
{
    if (demoInstrumentation.meshDrawBegins)
        demoInstrumentation.meshDrawBegins(mesh);
}

class RenderPassScope {
public:
    explicit RenderPassScope(const char* pass) : pass_(pass)
    {
        if (demoInstrumentation.passBegins)
            demoInstrumentation.passBegins(pass_);
    }
    ~RenderPassScope()
    {
        if (demoInstrumentation.passEnds)
            demoInstrumentation.passEnds(pass_);
    }
    RenderPassScope(const RenderPassScope&) = delete;
    RenderPassScope& operator=(const RenderPassScope&) = delete;

private:
    const char* pass_;
};
