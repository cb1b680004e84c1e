#version 110
// Leaves and grass. Their pictures have no alpha: near-black texels are empty
// and are cut away here (no alpha test runs in these passes). Both sides are
// lit, and light coming through a leaf shows on its shaded side.

uniform sampler2D baseMap;
uniform sampler2D normalMap;
uniform sampler2D depthMap;

varying vec2 baseCoord;
varying vec3 lightTangent;
varying vec3 viewTangent;
varying vec4 shadowCoord;
varying float eyeDepth;

const float focusDistance = 1.0;
const float focusRange = 2.5;
const float shadowTexel = 1.0 / 2048.0;
const float shadowBias = 0.006;

float shadowTap(vec3 c, vec2 offset)
{
    return c.z - shadowBias <= texture2D(depthMap, c.xy + offset * shadowTexel).r ? 1.0 : 0.0;
}

float lightVisibility()
{
    vec3 c = shadowCoord.xyz / shadowCoord.w;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        return 1.0;
    float sum = shadowTap(c, vec2(0.0, 0.0));
    sum += shadowTap(c, vec2(1.5, 0.5));
    sum += shadowTap(c, vec2(-1.5, -0.5));
    return sum / 3.0;
}

void main()
{
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    if (max(base.r, max(base.g, base.b)) < 0.1)
        discard;
    vec3 n = normalize(texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0);
    if (!gl_FrontFacing)
        n.z = -n.z;
    float facing = dot(n, normalize(lightTangent));
    float diffuse = max(facing, 0.0) + max(-facing, 0.0) * 0.45;
    float visible = lightVisibility();
    vec3 colour = base * (0.42 + 0.75 * diffuse * visible);
    gl_FragColor = vec4(colour, clamp(abs(eyeDepth - focusDistance) / focusRange, 0.0, 1.0));
}
