#include "demo/offscreen_pass.h"

#include "demo/demo_state.h"

OffscreenPass::OffscreenPass(const char* name, int32_t targetSlot) : scope_(name)
{
    renderTargets.bind(targetSlot);
    const int32_t size = renderTargets.size(targetSlot);
    glViewport(0, 0, size, size);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

OffscreenPass::~OffscreenPass()
{
    renderTargets.unbind();
}
