#version 110
// The scenery as seen through the water: only what lies below the surface,
// lit with its relief and the detail map, in the shadows of the trees and
// banks, tinted and darkened with its depth under the surface.

// The detail map is read from the one mipmap level nearest the pixel's
// footprint, named by the program where the driver has the extension, rather
// than from a blend of two levels: it only tilts the normal a little, and the
// step between levels moves no colour by more than a few levels.
#extension GL_ARB_shader_texture_lod : enable
#ifdef GL_ARB_shader_texture_lod
#define detailTexel(coord, level) texture2DLod(detailMap, coord, level)
#else
#define detailTexel(coord, level) texture2D(detailMap, coord)
#endif

uniform sampler2D baseMap;
uniform sampler2D normalMap;
uniform sampler2D detailMap;

varying vec2 baseCoord;
varying vec3 lightTangent;
varying float vertexLight;  // the shadow, from the vertex program
varying float worldHeight;

const vec3 waterTint = vec3(0.05, 0.22, 0.25);

// The detail maps repeat eight times across the base map's coordinates and
// are 256 texels wide.
const float detailRepeat = 8.0;
const float detailTexels = 256.0;

float detailLevel()
{
    vec2 acrossX = dFdx(baseCoord) * (detailRepeat * detailTexels);
    vec2 acrossY = dFdy(baseCoord) * (detailRepeat * detailTexels);
    return floor(0.5 * log2(max(max(dot(acrossX, acrossX), dot(acrossY, acrossY)), 1.0)) + 0.5);
}

void main()
{
    if (worldHeight > 0.0)
        discard;
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    vec3 bump = texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0;
    vec2 detailCoord = baseCoord * detailRepeat;
    vec3 detail = detailTexel(detailCoord, detailLevel()).xyz * 2.0 - 1.0;
    vec3 n = normalize(vec3(bump.xy + detail.xy * 0.4, bump.z));
    float diffuse = max(dot(n, normalize(lightTangent)), 0.0);

    vec3 colour = base * (0.4 + 0.6 * diffuse * vertexLight);
    float depthBelow = clamp(-worldHeight * 4.0, 0.0, 1.0);
    gl_FragColor = vec4(mix(colour, waterTint, 0.35 + 0.55 * depthBelow), 1.0);
}
