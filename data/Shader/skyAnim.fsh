#version 110
// Blends the two skies by the sky clock, which swings between 0 and 1.
// The box's faces cover about as many pixels as their pictures have texels or
// more, so the smaller levels are hardly ever wanted: naming the full-size
// level spares the driver working out a level for every pixel (drivers
// without the extension still do).
#extension GL_ARB_shader_texture_lod : enable
#ifdef GL_ARB_shader_texture_lod
#define skyTexel(map, coord) texture2DLod(map, coord, 0.0)
#else
#define skyTexel(map, coord) texture2D(map, coord)
#endif

uniform sampler2D tex1;
uniform sampler2D tex2;
uniform float time;

varying vec2 skyCoord;

void main()
{
    vec3 first = skyTexel(tex1, skyCoord).rgb;
    vec3 second = skyTexel(tex2, skyCoord).rgb;
    float blend = smoothstep(0.0, 1.0, clamp(time, 0.0, 1.0));
    // The sky is far away: the composition blurs it a good deal.
    gl_FragColor = vec4(mix(first, second, blend), 0.7);
}
