#include "app/projection.h"

#include <cmath>

#include "gpu/gl_headers.h"

namespace {

constexpr double fieldOfViewDegrees = 90.0;
constexpr double nearPlane = static_cast<double>(0.01f);
constexpr double farPlane = 4000.0;

double aspectOf(int width, int height)
{
    return height != 0 ? static_cast<double>(width) / static_cast<double>(height) : 1.0;
}

} // namespace

void reshapePerspective(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfViewDegrees, aspectOf(width, height), nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

Mat4 perspectiveProjection(int width, int height)
{
    return perspectiveMatrix(fieldOfViewDegrees, aspectOf(width, height), nearPlane, farPlane);
}

float nearPlaneReach(int width, int height)
{
    const double halfHeight = nearPlane * std::tan(fieldOfViewDegrees * 3.14159265358979323846 / 360.0);
    const double halfWidth = halfHeight * aspectOf(width, height);
    return static_cast<float>(std::sqrt(nearPlane * nearPlane + halfHeight * halfHeight + halfWidth * halfWidth));
}

void reshapeOrtho(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-3.0, 3.0, -3.0, 3.0, 0.01, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
