#pragma once

#include "camera/view_matrix.h"

// The 3D projection of the camera views: 90 degrees vertical, near 0.01, far 4000.
void reshapePerspective(int width, int height);
// The matrix reshapePerspective sets, worked out without asking GL.
Mat4 perspectiveProjection(int width, int height);
// How far from the eye the near plane reaches, to its corners: anything
// nearer may be cut away.
float nearPlaneReach(int width, int height);
// The 2D projection of the light view and the full-screen passes: a fixed
// 6 by 6 square around the origin, whatever the aspect ratio.
void reshapeOrtho(int width, int height);
