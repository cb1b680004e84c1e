#include "scene/view_culling.h"

#include <algorithm>

namespace {

void transform(const ViewClip& clip, const float p[3], float c[4])
{
    for (int row = 0; row < 4; ++row)
        c[row] = clip.clip.m[row] * p[0] + clip.clip.m[4 + row] * p[1] + clip.clip.m[8 + row] * p[2] + clip.clip.m[12 + row];
}

} // namespace

ViewClip::ViewClip(const Mat4& projection, const Mat4& modelview, const ViewRegion& region)
    : clip(projection * modelview), nothing(region.empty()), everything(false)
{
    if (nothing)
        return;
    // Map the region onto -1 to 1: x' = (2x - (right + left) w) / (right - left),
    // and the same for y, so that the usual planes bound the region.
    const float sx = 2.0f / (region.right - region.left), ox = -(region.right + region.left) / (region.right - region.left);
    const float sy = 2.0f / (region.top - region.bottom), oy = -(region.top + region.bottom) / (region.top - region.bottom);
    for (int column = 0; column < 4; ++column) {
        float* c = clip.m + column * 4;
        c[0] = sx * c[0] + ox * c[3];
        c[1] = sy * c[1] + oy * c[3];
    }
}

bool boxOutsideView(const ViewClip& clip, Vec3 lo, Vec3 hi)
{
    if (clip.nothing)
        return true;
    if (clip.everything)
        return false;
    // One bit per clip plane (-w <= x, y, z <= w) that a corner lies beyond;
    // the box is out when some plane has every corner beyond it. Points
    // behind the eye are handled alike: each plane is a plane in the scene.
    unsigned allBeyond = 0x3f;
    for (int corner = 0; corner < 8 && allBeyond != 0; ++corner) {
        const float p[3] = {corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y, corner & 4 ? hi.z : lo.z};
        float c[4];
        transform(clip, p, c);
        unsigned beyond = 0;
        for (int axis = 0; axis < 3; ++axis) {
            if (c[axis] < -c[3])
                beyond |= 1u << (2 * axis);
            if (c[axis] > c[3])
                beyond |= 2u << (2 * axis);
        }
        allBeyond &= beyond;
    }
    return allBeyond != 0;
}

ViewRegion projectedRegion(const ViewClip& clip, Vec3 lo, Vec3 hi, float margin)
{
    // The part of the box in front of the near plane (z >= -w) is what can be
    // seen: its corners there and the points where its edges cross the plane.
    float c[8][4] = {};
    float front[8];
    for (int corner = 0; corner < 8; ++corner) {
        const float p[3] = {corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y, corner & 4 ? hi.z : lo.z};
        transform(clip, p, c[corner]);
        front[corner] = c[corner][2] + c[corner][3];
    }
    constexpr float unbounded = 1e30f;
    ViewRegion r{unbounded, unbounded, -unbounded, -unbounded};
    auto include = [&r](const float* q) {
        if (q[3] <= 0.0f) {  // on the eye's plane: no bounded picture
            r = {-unbounded, -unbounded, unbounded, unbounded};
            return;
        }
        r = {std::min(r.left, q[0] / q[3]), std::min(r.bottom, q[1] / q[3]), std::max(r.right, q[0] / q[3]),
             std::max(r.top, q[1] / q[3])};
    };
    for (int a = 0; a < 8; ++a) {
        if (front[a] < 0.0f)
            continue;
        include(c[a]);
        for (int bit = 1; bit < 8; bit <<= 1) {
            const int b = a ^ bit;
            if (front[b] >= 0.0f)
                continue;
            const float t = front[a] / (front[a] - front[b]);
            float q[4];
            for (int k = 0; k < 4; ++k)
                q[k] = c[a][k] + t * (c[b][k] - c[a][k]);
            include(q);
        }
    }
    return {std::max(r.left - margin, -1.0f), std::max(r.bottom - margin, -1.0f), std::min(r.right + margin, 1.0f),
            std::min(r.top + margin, 1.0f)};
}
