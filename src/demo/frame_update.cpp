// The per-frame update: keys to actions, the frame counter, the camera that
// is active, and the water and sky clocks.
#include "demo/frame_update.h"

#include <cstring>

#include "app/app_window.h"
#include "app/frame_hooks.h"
#include "camera/waypoint_file.h"
#include "demo/demo_state.h"

FrameUpdateState frameState;

namespace {

constexpr int keyQuit = VK_ESCAPE;
constexpr int keyToggle = VK_F1;
constexpr int keyRecord = 'Q';

// Down now, or pressed (and perhaps released already) since the last update.
bool held(int virtualKey)
{
    return activeKeys && (activeKeys->keyDown[virtualKey] == 1 || activeKeys->pressedSinceUpdate[virtualKey] == 1);
}

void forgetPresses()
{
    if (activeKeys)
        std::memset(activeKeys->pressedSinceUpdate, 0, sizeof activeKeys->pressedSinceUpdate);
}

void handleKeys()
{
    if (held(keyQuit) && activeWindow)
        requestQuit(*activeWindow);
    if (held(keyToggle) && activeWindow)
        requestFullscreenToggle(*activeWindow);
    // Tested in order, so with several held the highest digit wins.
    if (held('1'))
        cameraMode = CameraMode::DemoTour;
    if (held('2'))
        cameraMode = CameraMode::FreeFly;
    if (held('3'))
        cameraMode = CameraMode::FreeFlyRecording;
}

// One waypoint per press of Q, only while recording; the latch is kept as it
// is in the other modes.
void recordWaypoint()
{
    if (cameraMode != CameraMode::FreeFlyRecording)
        return;
    if (held(keyRecord) && !frameState.recordLatch) {
        frameState.recordLatch = true;
        appendWaypoint(camera.position, camera.view);
    }
    if (!held(keyRecord) && frameState.recordLatch)
        frameState.recordLatch = false;
}

void countFrame(float elapsed)
{
    frameState.fpsFrameCount += 1;
    frameState.fpsMilliseconds += elapsed;
    if (frameState.fpsMilliseconds > 1000.0f) {
        frameState.framesPerSecond = frameState.fpsFrameCount;
        frameState.fpsFrameCount = 0;
        frameState.fpsMilliseconds = 0.0f;
    }
}

// A triangle wave that may overshoot either end by one step before it turns.
void advanceSkyBlend(float elapsed)
{
    const float step = elapsed * 0.00004f;
    if (frameState.skyBlend >= 1.0f)
        frameState.skyBlendFalling = true;
    if (frameState.skyBlend <= 0.0f) {
        frameState.skyBlendFalling = false;
        frameState.skyBlend += step;
    } else if (frameState.skyBlendFalling) {
        frameState.skyBlend -= step;
    } else {
        frameState.skyBlend += step;
    }
}

} // namespace

void update(uint32_t elapsedMilliseconds)
{
    const float elapsed = static_cast<float>(elapsedMilliseconds);
    handleKeys();
    recordWaypoint();
    forgetPresses();
    countFrame(elapsed);
    if (cameraMode == CameraMode::FreeFly || cameraMode == CameraMode::FreeFlyRecording)
        camera.update();
    else
        advanceTour(tour, elapsed);
    frameState.waterTime += elapsed * 0.00001f;
    advanceSkyBlend(elapsed);
}
