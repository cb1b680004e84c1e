#include "scene/view_culling.h"

#include "gpu/gl_headers.h"

ViewClip ViewClip::current()
{
    float projection[16];
    float modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    ViewClip clip{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += projection[k * 4 + row] * modelview[column * 4 + k];
            clip.m[column * 4 + row] = sum;
        }
    return clip;
}

bool boxOutsideView(const ViewClip& clip, Vec3 lo, Vec3 hi)
{
    // One bit per clip plane (-w <= x, y, z <= w) that a corner lies beyond;
    // the box is out when some plane has every corner beyond it. Points
    // behind the eye are handled alike: each plane is a plane in the scene.
    unsigned allBeyond = 0x3f;
    for (int corner = 0; corner < 8 && allBeyond != 0; ++corner) {
        const float p[3] = {corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y, corner & 4 ? hi.z : lo.z};
        float c[4];
        for (int row = 0; row < 4; ++row)
            c[row] = clip.m[row] * p[0] + clip.m[4 + row] * p[1] + clip.m[8 + row] * p[2] + clip.m[12 + row];
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
