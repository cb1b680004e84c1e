#version 110
// Water: the planar reflection image (on unit 0's 2D target, under the name
// "cube") and the refraction image (unit 2), both looked up where the fragment
// lies on screen and shifted by two scrolling layers of the normal map
// (unit 1), mixed by a Fresnel term.

uniform sampler2D cube;
uniform sampler2D normalMap;
uniform sampler2D refractionMap;
uniform float time;

varying vec4 clipPosition;
varying vec2 waveCoord;
varying vec3 toEye;
varying vec3 surfaceNormal;
varying float eyeDepth;

const float focusDistance = 1.0;
const float focusRange = 2.5;
const vec3 deepWater = vec3(0.04, 0.17, 0.2);

void main()
{
    // Drawn under the mirror of the reflection pass the quad shows its back:
    // leave the reflection image as it is.
    if (!gl_FrontFacing)
        discard;

    vec2 screen = clipPosition.xy / clipPosition.w * 0.5 + 0.5;
    vec3 waveA = texture2D(normalMap, waveCoord * 2.0 + vec2(time * 3.0, time * 2.0)).xyz * 2.0 - 1.0;
    vec3 waveB = texture2D(normalMap, waveCoord * 3.3 - vec2(time * 2.2, -time * 1.3)).xyz * 2.0 - 1.0;
    vec3 wave = normalize(waveA + waveB);
    vec2 shift = wave.xy * 0.025;

    vec3 reflection = texture2D(cube, clamp(screen + shift, 0.002, 0.998)).rgb;
    vec4 below = texture2D(refractionMap, clamp(screen - shift * 0.6, 0.002, 0.998));
    // The refraction image holds scenery with alpha 1; where it shows only sky
    // or background, the water is deep enough to hide the bottom.
    vec3 refraction = mix(deepWater, below.rgb, step(0.9, below.a));

    vec3 v = normalize(toEye);
    vec3 n = normalize(normalize(surfaceNormal) + vec3(wave.x, 0.0, wave.y) * 0.15);
    float facing = clamp(dot(v, n), 0.0, 1.0);
    // The fourth power by squaring twice, not by a logarithm and an exponential.
    float away = (1.0 - facing) * (1.0 - facing);
    float fresnel = 0.12 + 0.88 * away * away;
    vec3 colour = mix(refraction, reflection * 0.95, fresnel);
    gl_FragColor = vec4(colour, clamp(abs(eyeDepth - focusDistance) / focusRange, 0.0, 1.0));
}
