#version 110
// The sky box: one face at a time, the same face of both sky sets.

varying vec2 skyCoord;

void main()
{
    skyCoord = gl_MultiTexCoord0.xy;
    gl_Position = ftransform();
}
