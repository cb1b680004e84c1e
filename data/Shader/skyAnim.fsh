#version 110
// Blends the two skies by the sky clock, which swings between 0 and 1.

uniform sampler2D tex1;
uniform sampler2D tex2;
uniform float time;

varying vec2 skyCoord;

void main()
{
    vec3 first = texture2D(tex1, skyCoord).rgb;
    vec3 second = texture2D(tex2, skyCoord).rgb;
    float blend = smoothstep(0.0, 1.0, clamp(time, 0.0, 1.0));
    // The sky is far away: the composition blurs it a good deal.
    gl_FragColor = vec4(mix(first, second, blend), 0.7);
}
