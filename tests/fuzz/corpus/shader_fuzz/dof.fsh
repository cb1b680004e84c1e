#version 110
// Depth of field: the scene image carries its blur amount in alpha; each pixel
// is averaged over a ring of taps whose radius grows with it. Taps that are
// sharper than the centre count less, so sharp edges do not smear outwards.

uniform sampler2D texture;

varying vec2 sceneCoord;

const float maxRadius = 3.5 / 1024.0;

void addTap(vec2 offset, float centreBlur, inout vec3 sum, inout float weight)
{
    vec4 tap = texture2D(texture, sceneCoord + offset);
    float w = mix(tap.a, 1.0, step(centreBlur * 0.5, tap.a));
    sum += tap.rgb * w;
    weight += w;
}

void main()
{
    vec4 centre = texture2D(texture, sceneCoord);
    float r = centre.a * maxRadius;
    vec3 sum = centre.rgb;
    float weight = 1.0;
    addTap(vec2(r, 0.0), centre.a, sum, weight);
    addTap(vec2(-r, 0.0), centre.a, sum, weight);
    addTap(vec2(0.0, r), centre.a, sum, weight);
    addTap(vec2(0.0, -r), centre.a, sum, weight);
    addTap(vec2(0.7, 0.7) * r, centre.a, sum, weight);
    addTap(vec2(-0.7, 0.7) * r, centre.a, sum, weight);
    addTap(vec2(0.7, -0.7) * r, centre.a, sum, weight);
    addTap(vec2(-0.7, -0.7) * r, centre.a, sum, weight);
    gl_FragColor = vec4(sum / weight, 1.0);
}
