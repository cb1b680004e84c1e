#include "camera/fly_camera.h"

#include <cmath>

#include "camera/frame_timer.h"
#include "camera/mouse_screen.h"
#include "gpu/gl_headers.h"
#include "platform/platform.h"

PitchState pitch;

namespace {
constexpr double radiansPerPixel = 0.002;
constexpr float pitchUpLimit = 1.0f;
constexpr float pitchDownLimit = -1.4f;
constexpr float unitsPerSecond = 0.5f;
} // namespace

ScreenPoint mouseCentre()
{
    return {mouseScreenWidth >> 1, mouseScreenHeight >> 1};
}

FlyInput readFlyInput()
{
    FlyInput input;
    if (!platform::getCursorPos(input.cursor.x, input.cursor.y))
        input.cursor = mouseCentre();
    FlyKeys& keys = input.keys;
    keys.upArrow = platform::isKeyHeld(VK_UP);
    keys.w = platform::isKeyHeld('W');
    keys.downArrow = platform::isKeyHeld(VK_DOWN);
    keys.s = platform::isKeyHeld('S');
    keys.leftArrow = platform::isKeyHeld(VK_LEFT);
    keys.a = platform::isKeyHeld('A');
    keys.rightArrow = platform::isKeyHeld(VK_RIGHT);
    keys.d = platform::isKeyHeld('D');
    return input;
}

void FlyCamera::place(float px, float py, float pz, float vx, float vy, float vz, float ux, float uy, float uz)
{
    position = {px, py, pz};
    const float scale = 1.0f / std::sqrt(vx * vx + vy * vy + vz * vz);
    view = {vx * scale, vy * scale, vz * scale};
    up = {ux, uy, uz};
}

void FlyCamera::update()
{
    if (updateWith(readFlyInput())) {
        const ScreenPoint centre = mouseCentre();
        platform::setCursorPos(centre.x, centre.y);
    }
}

bool FlyCamera::updateWith(const FlyInput& input)
{
    // Sideways movement therefore uses the right vector from before this
    // update's turn, and all movement the interval measured by the previous tick.
    strafeVector = normalize(cross(view - position, up));
    const bool cursorMoved = mouseLook(input.cursor);
    pollKeys(input.keys);
    frameTimer.tick();
    return cursorMoved;
}

bool FlyCamera::mouseLook(ScreenPoint cursor)
{
    const ScreenPoint centre = mouseCentre();
    if (cursor.x == centre.x && cursor.y == centre.y)
        return false;

    const float yaw = static_cast<float>((centre.x - cursor.x) * radiansPerPixel);
    const float pitchStep = static_cast<float>((centre.y - cursor.y) * radiansPerPixel);

    pitch.previous = pitch.angle;
    pitch.angle += pitchStep;

    // The limits count from the start direction, not from the horizon, and a
    // pitch exactly at a limit is still inside it.
    const Vec3 right = normalize(cross(view - position, up));
    if (pitch.angle > pitchUpLimit) {
        pitch.angle = pitchUpLimit;
        if (pitch.previous != pitchUpLimit)
            rotate(pitchUpLimit - pitch.previous, right.x, right.y, right.z);
    } else if (pitch.angle < pitchDownLimit) {
        pitch.angle = pitchDownLimit;
        if (pitch.previous != pitchDownLimit)
            rotate(pitchDownLimit - pitch.previous, right.x, right.y, right.z);
    } else {
        rotate(pitchStep, right.x, right.y, right.z);
    }

    // Yaw about the world vertical, whatever up holds.
    rotate(yaw, 0.0f, 1.0f, 0.0f);
    return true;
}

void FlyCamera::rotate(float angle, float x, float y, float z)
{
    const Vec3 d = view - position;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float k = 1.0f - c;

    Vec3 turned;
    turned.x = (c + k * x * x) * d.x + (k * x * y - z * s) * d.y + (k * x * z + y * s) * d.z;
    turned.y = (k * x * y + z * s) * d.x + (c + k * y * y) * d.y + (k * y * z - x * s) * d.z;
    turned.z = (k * x * z - y * s) * d.x + (k * y * z + x * s) * d.y + (c + k * z * z) * d.z;
    view = position + turned;
}

void FlyCamera::pollKeys(const FlyKeys& keys)
{
    const float step = frameTimer.frameInterval * unitsPerSecond;
    if (keys.upArrow || keys.w)
        moveAlongView(step);
    if (keys.downArrow || keys.s)
        moveAlongView(-step);
    if (keys.leftArrow || keys.a)
        strafe(-step);
    if (keys.rightArrow || keys.d)
        strafe(step);
}

void FlyCamera::moveAlongView(float step)
{
    const Vec3 offset = normalize(view - position) * step;
    position = position + offset;
    view = view + offset;
}

void FlyCamera::strafe(float step)
{
    position.x += strafeVector.x * step;
    position.z += strafeVector.z * step;
    view.x += strafeVector.x * step;
    view.z += strafeVector.z * step;
}

void FlyCamera::applyView() const
{
    gluLookAt(position.x, position.y, position.z, view.x, view.y, view.z, up.x, up.y, up.z);
}
