#pragma once

#include "gpu/gl_headers.h"

// True until the first frame of a window cycle has rendered the shadow map.
extern bool shadowMapPending;
// The light's projection and view as the shadow pass left them; every later
// frame builds its shadow lookup from them.
extern GLfloat lightProjection[16];
extern GLfloat lightModelview[16];

// The fixed light of the scene.
namespace Light {
constexpr float x = -0.78f, y = 3.8f, z = 3.8f;
constexpr float centreX = 0.0f, centreY = 0.0f, centreZ = 1.6f;
} // namespace Light
