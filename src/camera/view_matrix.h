#pragma once

#include "camera/vec3.h"

// A 4x4 transform kept column-major, as GL keeps its matrices. The frame
// works out the camera's matrices itself, with the same numbers it hands to
// GL, so that deciding what can be seen never reads a matrix back from the
// driver (on a threaded driver every read-back waits for the driver).
struct Mat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Mat4 fromColumns(const float columnMajor[16]);
};

Mat4 operator*(const Mat4& a, const Mat4& b);

// What gluPerspective and gluLookAt multiply onto a matrix, and a scale.
Mat4 perspectiveMatrix(double fovyDegrees, double aspect, double zNear, double zFar);
Mat4 lookAtMatrix(Vec3 eye, Vec3 target, Vec3 up);
Mat4 scaleMatrix(float x, float y, float z);
