#pragma once

#include "gpu/gl_headers.h"

// The shadow map of the window cycle: rendered on its first frame, sampled by
// every later one through the light matrices the shadow pass read back.
struct ShadowMapState {
    bool pending = false;  // set by start-up, cleared by every frame
    GLfloat lightProjection[16] = {};
    GLfloat lightModelview[16] = {};
};
extern ShadowMapState shadowMap;

// Every group of every pass drawn, nothing cut away, and the sky first and
// the water last in each pass: the picture the frame's savings must match.
// Set by start-up from the environment variable VERDAL_DRAW_ALL=1, for tests
// and comparisons.
extern bool drawEverything;

// The fixed light of the scene.
namespace Light {
constexpr float x = -0.78f, y = 3.8f, z = 3.8f;
constexpr float centreX = 0.0f, centreY = 0.0f, centreZ = 1.6f;
} // namespace Light
