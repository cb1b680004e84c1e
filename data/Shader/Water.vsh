#version 110
// The water surface at y = 0. Everything view-dependent is worked out in eye
// space, so it follows whichever camera draws the frame.

varying vec4 clipPosition;
varying vec2 waveCoord;
varying vec3 toEye;
varying vec3 surfaceNormal;
varying float eyeDepth;

void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    toEye = -eye.xyz;
    eyeDepth = -eye.z;
    surfaceNormal = gl_NormalMatrix * vec3(0.0, 1.0, 0.0);
    waveCoord = gl_MultiTexCoord0.xy;
    gl_Position = ftransform();
    clipPosition = gl_Position;
}
