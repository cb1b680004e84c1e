#pragma once

#include <cstdint>

#include "demo/instrumentation.h"

// One offscreen pass, from its render target bound to its render target
// unbound: opening binds the slot's target, sets the viewport to its size,
// clears colour and depth and loads the identity modelview; closing unbinds.
// Whatever a pass draws lies inside the lifetime of one of these.
class OffscreenPass {
public:
    OffscreenPass(const char* name, int32_t targetSlot);
    ~OffscreenPass();
    OffscreenPass(const OffscreenPass&) = delete;
    OffscreenPass& operator=(const OffscreenPass&) = delete;

private:
    RenderPassScope scope_;  // ends after the target is unbound
};
