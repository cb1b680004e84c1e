#include "app/projection.h"

#include "gpu/gl_headers.h"

void reshapePerspective(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = height != 0 ? static_cast<double>(width) / static_cast<double>(height) : 1.0;
    gluPerspective(90.0, aspect, static_cast<double>(0.01f), 4000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
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
