#pragma once

#include "camera/vec3.h"

// A part of the picture in normalized device coordinates, -1 to 1 each way.
struct ViewRegion {
    float left = -1.0f;
    float bottom = -1.0f;
    float right = 1.0f;
    float top = 1.0f;

    bool empty() const { return right <= left || top <= bottom; }
};

// Which parts of a scene can reach the picture at all. Every program of the
// demo places its vertices with the fixed-function transform, so a box that
// lies wholly beyond one clip plane under projection x modelview holds only
// triangles that clipping would throw away whole: not drawing it leaves every
// pixel as it was and saves the vertex work.
struct ViewClip {
    float m[16];  // column-major, as GL keeps matrices
    bool nothing = false;  // the region asked for is empty: every box is out

    // Projection times modelview of the current GL state, its planes moved in
    // to bound the given region of the picture.
    static ViewClip current(const ViewRegion& region = {});
};

bool boxOutsideView(const ViewClip& clip, Vec3 lo, Vec3 hi);

// Which side of the water plane y = 0 a picture needs. The scene seen from
// above keeps what is above: the water, opaque over -halfSize to halfSize in
// x and z and drawn last, covers whatever lies wholly below it within that
// square. The refraction image keeps only what is below: its program throws
// away every fragment above the plane.
struct WaterSide {
    enum Keep { Both, Above, Below };
    Keep keep = Both;
    float halfSize = 0.0f;

    bool leavesOut(Vec3 lo, Vec3 hi) const
    {
        if (keep == Below)
            return lo.y > 0.0f;
        return keep == Above && hi.y < 0.0f && lo.x >= -halfSize && hi.x <= halfSize && lo.z >= -halfSize
               && hi.z <= halfSize;
    }
};

// The part of the picture the box can cover, grown by a margin on every side
// and kept within the picture: empty when the box lies beside the picture or
// wholly behind the near plane.
ViewRegion projectedRegion(const ViewClip& clip, Vec3 lo, Vec3 hi, float margin);
