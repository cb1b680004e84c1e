#include "demo/demo_state.h"

#include "demo/instrumentation.h"

// Defined in one place so they are constructed in this order before main runs.
AppWindow* activeWindow = nullptr;
KeyState* activeKeys = nullptr;

ShaderSet shaders;
FlyCamera camera;
SceneMesh mainScene;
SceneMesh leavesScene;
SceneMesh reflectionScene;
SceneMesh meadowScene;
BitmapFont font;
RenderTargets renderTargets;
CameraTour tour;

GLuint skyTextures[12] = {};
GLuint skyCubeMap[1] = {};
GLuint waterNormalMap[1] = {};
GLuint crosshairTexture[1] = {};

int32_t cameraMode = CameraMode::DemoTour;

DemoInstrumentation demoInstrumentation;
