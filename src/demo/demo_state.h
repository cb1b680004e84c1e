#pragma once

#include <cstdint>

#include "camera/camera_path.h"
#include "camera/fly_camera.h"
#include "gpu/bitmap_font.h"
#include "gpu/gl_headers.h"
#include "gpu/render_targets.h"
#include "gpu/shader_set.h"
#include "scene/scene_mesh.h"

struct AppWindow;
struct KeyState;

// The demo's process-wide state. The objects live for the whole run; the GL
// names inside them live one window cycle, from initialize to deinitialize.

// The program slots and what each draws.
namespace ProgramSlot {
constexpr int32_t Lighting = 0;      // main and reflected scenery
constexpr int32_t DepthOfField = 1;  // the full-screen composition
constexpr int32_t Foliage = 2;       // leaves and meadow
constexpr int32_t Water = 3;
constexpr int32_t Refraction = 4;    // scenery under the water
constexpr int32_t Sky = 5;
constexpr int32_t ShadowDepth = 6;   // the light's view
constexpr int32_t Count = 7;
} // namespace ProgramSlot

// The offscreen render targets.
namespace TargetSlot {
constexpr int32_t ShadowMap = 0;     // 2048, depth only
constexpr int32_t Scene = 1;         // 1024, what the composition shows
constexpr int32_t Refraction = 2;    // 512
constexpr int32_t Spare = 3;         // 2048, made but unused
constexpr int32_t Reflection = 4;    // 512
constexpr int32_t Count = 5;
} // namespace TargetSlot

// Camera modes.
namespace CameraMode {
constexpr int32_t DemoTour = 0;
constexpr int32_t FreeFly = 1;
constexpr int32_t FreeFlyRecording = 2;
} // namespace CameraMode

extern AppWindow* activeWindow;
extern KeyState* activeKeys;

extern ShaderSet shaders;
extern FlyCamera camera;
extern SceneMesh mainScene;
extern SceneMesh leavesScene;
extern SceneMesh reflectionScene;
extern SceneMesh meadowScene;
extern BitmapFont font;
extern RenderTargets renderTargets;
extern CameraTour tour;

extern GLuint skyTextures[12];   // first sky set 0..5, second 6..11
extern GLuint skyCubeMap[1];     // the first set as a cube map, for the water
extern GLuint waterNormalMap[1];
extern GLuint crosshairTexture[1];

extern int32_t cameraMode;
