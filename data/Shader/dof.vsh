#version 110
// The full-screen composition quad.

varying vec2 sceneCoord;

void main()
{
    sceneCoord = gl_MultiTexCoord0.xy;
    gl_Position = ftransform();
}
