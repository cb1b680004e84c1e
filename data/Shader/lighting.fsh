#version 110
// Lit scenery: base texture, normal map with a finer detail normal map on top,
// diffuse and specular light, filtered shadow lookup. The alpha channel carries
// the blur amount the depth-of-field composition applies.

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
uniform sampler2D depthMap;
uniform sampler2D detailMap;

varying vec2 baseCoord;
varying vec3 lightTangent;
varying vec3 viewTangent;
varying vec4 shadowCoord;
varying float eyeDepth;

const float focusDistance = 1.0;
const float focusRange = 2.5;
const float shadowTexel = 1.0 / 2048.0;
const float shadowBias = 0.0006;

// Each tap compares softly: the depth map is filtered linearly, so its
// interpolated depth turns an edge into a ramp instead of a step.
float shadowTap(vec3 c, vec2 offset)
{
    float depth = texture2D(depthMap, c.xy + offset * shadowTexel).r;
    return clamp(1.0 - (c.z - shadowBias - depth) * 600.0, 0.0, 1.0);
}

// 1 in full light, 0 in full shadow; three taps on a triangle soften the edge.
float lightVisibility()
{
    vec3 c = shadowCoord.xyz / shadowCoord.w;
    float sum = shadowTap(c, vec2(0.0, 1.2)) + shadowTap(c, vec2(1.04, -0.6)) + shadowTap(c, vec2(-1.04, -0.6));
    float visible = sum / 3.0;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        visible = 1.0;
    return visible;
}

float blurAmount()
{
    return clamp(abs(eyeDepth - focusDistance) / focusRange, 0.0, 1.0);
}

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
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    vec3 bump = texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0;
    vec2 detailCoord = baseCoord * detailRepeat;
    vec3 detail = detailTexel(detailCoord, detailLevel()).xyz * 2.0 - 1.0;
    vec3 n = normalize(vec3(bump.xy + detail.xy * 0.4, bump.z));
    vec3 l = normalize(lightTangent);
    vec3 v = normalize(viewTangent);

    float diffuse = max(dot(n, l), 0.0);
    // The 24th power by squaring: five products instead of a logarithm and
    // an exponential for every pixel.
    float s = max(dot(reflect(-l, n), v), 0.0);
    float s3 = s * s * s;
    float s6 = s3 * s3;
    float s12 = s6 * s6;
    float specular = s12 * s12 * 0.2;
    float visible = lightVisibility();
    vec3 colour = base * (0.38 + 0.8 * diffuse * visible) + vec3(specular * visible);
    gl_FragColor = vec4(colour, blurAmount());
}
