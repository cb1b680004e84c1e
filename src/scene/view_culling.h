#pragma once

#include "camera/vec3.h"
#include "camera/view_matrix.h"

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
    Mat4 clip;              // projection x modelview, planes moved in to the region
    bool nothing = false;   // the region asked for is empty: every box is out
    bool everything = true; // no view known: every box may show

    // Every box may show: what a pass with no view to cull by uses.
    ViewClip() = default;
    // The view of these matrices, its planes moved in to bound the given
    // region of the picture.
    ViewClip(const Mat4& projection, const Mat4& modelview, const ViewRegion& region = {});
};

bool boxOutsideView(const ViewClip& clip, Vec3 lo, Vec3 hi);

// Which groups a draw takes by where they lie against the water plane y = 0.
// The refraction image needs only what reaches below it: its program throws
// away every fragment above the plane. The scene picture draws what lies
// wholly under the water after the water, and the rest before it.
struct WaterSide {
    enum Keep { All, ReachingBelow, Submerged, NotSubmerged };
    Keep keep = All;

    bool leavesOut(Vec3 lo, Vec3 hi) const
    {
        switch (keep) {
        case ReachingBelow: return lo.y > 0.0f;
        case Submerged: return hi.y >= 0.0f;
        case NotSubmerged: return hi.y < 0.0f;
        case All: break;
        }
        return false;
    }
};

// The part of the picture the box can cover, grown by a margin on every side
// and kept within the picture: empty when the box lies beside the picture or
// wholly behind the near plane. The clip must hold a view.
ViewRegion projectedRegion(const ViewClip& clip, Vec3 lo, Vec3 hi, float margin);
