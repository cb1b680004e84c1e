#pragma once

#include "camera/vec3.h"
#include "camera/view_matrix.h"

// Mouse-look state, kept once for the program beside the camera (radians).
// A new start-up places the camera again but leaves these as they are.
struct PitchState {
    float angle = 0.0f;     // vertical turn accumulated since start, within -1.4 ... 1.0
    float previous = 0.0f;  // angle before the latest mouse step
};
extern PitchState pitch;

// A point on the screen, in screen pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The point the cursor is kept at while flying: the middle of the configured
// display resolution (mouseScreenWidth/Height halved by an arithmetic shift).
ScreenPoint mouseCentre();

// The eight movement keys, each true while held right now.
struct FlyKeys {
    bool upArrow = false, w = false;
    bool downArrow = false, s = false;
    bool leftArrow = false, a = false;
    bool rightArrow = false, d = false;
};

// What one camera update reads from the mouse and the keyboard.
struct FlyInput {
    ScreenPoint cursor; // global cursor position
    FlyKeys keys;
};

// Polls the platform. A cursor that cannot be read (no display) reads as the
// centre, so the camera does not spin on a position that is never warped back.
FlyInput readFlyInput();

// The camera of the two free-fly modes: the mouse turns it, the arrow keys or
// W, A, S, D move it at 0.5 world units per second.
class FlyCamera {
public:
    Vec3 position{0.0f, 0.0f, 0.0f};
    Vec3 view{0.0f, 1.0f, 0.5f}; // the point looked at; the direction is view - position
    Vec3 up{0.0f, 0.0f, 1.0f};   // handed to gluLookAt; turning and moving never change it
    Vec3 strafeVector{};         // unit vector to the right, renewed at the start of every update

    // Sets the pose. The view vector is stored scaled to unit length, as a
    // point, and is not added to the position; up is stored as given.
    void place(float px, float py, float pz, float vx, float vy, float vz, float ux, float uy, float uz);

    // One frame of free flight from the real mouse and keyboard; puts the
    // cursor back at the centre when it moved.
    void update();

    // The same frame from given input: strafe vector, mouse look, keys, then a
    // tick of the frame timer. True when the cursor must be put back at the centre.
    bool updateWith(const FlyInput& input);

    // Turns by 0.002 rad per pixel of cursor distance from the centre, the
    // pitch kept within the limits of pitch.angle. True when the cursor moved.
    bool mouseLook(ScreenPoint cursor);

    // Turns the viewing direction about a unit axis by angle radians
    // (right-handed); position, up and the eye-to-view distance stay.
    void rotate(float angle, float x, float y, float z);

    // Moves by the frame timer's interval times 0.5 for each held direction;
    // opposite keys cancel, a forward and a sideways key combine.
    void pollKeys(const FlyKeys& keys);

    // Along the full 3-D viewing direction: looking down and moving forward descends.
    void moveAlongView(float step);

    // Sideways along strafeVector, in x and z only: the height never changes.
    void strafe(float step);

    // gluLookAt(position, view, up) onto the current GL matrix.
    void applyView() const;
    // The matrix applyView multiplies on.
    Mat4 viewMatrix() const { return lookAtMatrix(position, view, up); }
};
