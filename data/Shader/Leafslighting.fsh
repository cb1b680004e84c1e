#version 110
// Leaves and grass. The normal map's blue channel holds how much of each
// texel the leaves or blades cover, and the picture is premultiplied by it.
// Both average alike in every mipmap level, so colour / coverage is the true
// colour of what covers a texel at any distance, and coverage stays honest
// instead of blending the empty background into a dark, solid card.
// The cut-out comes first: most fragments of a card are empty and stop there.
// The shadow comes per vertex from the vertex program.
//
// Both pictures are read from the one mipmap level nearest the pixel's
// footprint, named by the program where the driver has the extension. Between
// two levels the driver would read both and blend them; the dithered cut-out
// and the leaves' own detail hide the step, and colour and coverage come from
// the same level, so their ratio stays true.
#extension GL_ARB_shader_texture_lod : enable
#ifdef GL_ARB_shader_texture_lod
#define cardTexel(map, coord, level) texture2DLod(map, coord, level)
#else
#define cardTexel(map, coord, level) texture2D(map, coord)
#endif

uniform sampler2D baseMap;
uniform sampler2D normalMap;

varying vec2 baseCoord;
varying vec3 lightTangent;
varying float vertexLight;
varying float eyeDepth;

const float focusDistance = 1.0;
const float focusRange = 2.5;
const float cardTexels = 256.0;

void main()
{
    vec2 acrossX = dFdx(baseCoord) * cardTexels;
    vec2 acrossY = dFdy(baseCoord) * cardTexels;
    float level = floor(0.5 * log2(max(max(dot(acrossX, acrossX), dot(acrossY, acrossY)), 1.0)) + 0.5);
    vec4 surface = cardTexel(normalMap, baseCoord, level);
    float coverage = surface.b;
    // Where a texel covers a pixel or more the cut is crisp at one half. Where
    // the card is minified the cut follows a screen-space dither, so the share
    // of pixels kept matches the share of the card that is covered.
    vec2 footprint = abs(acrossX) + abs(acrossY);
    float minified = clamp(max(footprint.x, footprint.y) - 1.0, 0.0, 1.0);
    float noise = fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715))));
    if (coverage < mix(0.5, 0.08 + 0.84 * noise, minified))
        discard;

    vec3 base = cardTexel(baseMap, baseCoord, level).rgb / coverage;
    vec2 relief = surface.xy * 2.0 - 1.0;
    vec3 n = vec3(relief, sqrt(max(1.0 - dot(relief, relief), 0.0)));
    // One normal for both sides: the mesh's normals follow the crown or the
    // ground, so a card's back is lit like its front, and light coming through
    // a leaf still shows on its shaded side.
    float facing = dot(n, normalize(lightTangent));
    float diffuse = max(facing, 0.0) + max(-facing, 0.0) * 0.45;

    vec3 colour = base * (0.42 + 0.75 * diffuse * vertexLight);
    gl_FragColor = vec4(colour, clamp(abs(eyeDepth - focusDistance) / focusRange, 0.0, 1.0));
}
