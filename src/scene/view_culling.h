#pragma once

#include "camera/vec3.h"

// Which parts of a scene can reach the picture at all. Every program of the
// demo places its vertices with the fixed-function transform, so a box that
// lies wholly beyond one clip plane under projection x modelview holds only
// triangles that clipping would throw away whole: not drawing it leaves every
// pixel as it was and saves the vertex work.
struct ViewClip {
    float m[16];  // column-major, as GL keeps matrices

    // Projection times modelview of the current GL state.
    static ViewClip current();
};

bool boxOutsideView(const ViewClip& clip, Vec3 lo, Vec3 hi);
