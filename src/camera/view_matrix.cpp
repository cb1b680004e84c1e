#include "camera/view_matrix.h"

#include <cmath>

Mat4 Mat4::fromColumns(const float columnMajor[16])
{
    Mat4 r;
    for (int i = 0; i < 16; ++i)
        r.m[i] = columnMajor[i];
    return r;
}

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.m[k * 4 + row] * b.m[column * 4 + k];
            r.m[column * 4 + row] = sum;
        }
    return r;
}

Mat4 perspectiveMatrix(double fovyDegrees, double aspect, double zNear, double zFar)
{
    const double f = 1.0 / std::tan(fovyDegrees * 3.14159265358979323846 / 360.0);
    Mat4 r;
    r.m[0] = static_cast<float>(f / aspect);
    r.m[5] = static_cast<float>(f);
    r.m[10] = static_cast<float>((zFar + zNear) / (zNear - zFar));
    r.m[11] = -1.0f;
    r.m[14] = static_cast<float>(2.0 * zFar * zNear / (zNear - zFar));
    r.m[15] = 0.0f;
    return r;
}

Mat4 lookAtMatrix(Vec3 eye, Vec3 target, Vec3 up)
{
    // As GLU does it: a zero vector stays zero instead of turning into NaNs.
    auto unit = [](Vec3 v) {
        const float l = length(v);
        return l == 0.0f ? v : v * (1.0f / l);
    };
    const Vec3 forward = unit(target - eye);
    const Vec3 side = unit(cross(forward, up));
    const Vec3 trueUp = cross(side, forward);
    Mat4 r;
    r.m[0] = side.x;
    r.m[4] = side.y;
    r.m[8] = side.z;
    r.m[1] = trueUp.x;
    r.m[5] = trueUp.y;
    r.m[9] = trueUp.z;
    r.m[2] = -forward.x;
    r.m[6] = -forward.y;
    r.m[10] = -forward.z;
    r.m[12] = -dot(side, eye);
    r.m[13] = -dot(trueUp, eye);
    r.m[14] = dot(forward, eye);
    return r;
}

Mat4 scaleMatrix(float x, float y, float z)
{
    Mat4 r;
    r.m[0] = x;
    r.m[5] = y;
    r.m[10] = z;
    return r;
}
