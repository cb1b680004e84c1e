#version 110
// Lit scenery: base texture, normal map with a finer detail normal map on top,
// diffuse and specular light, filtered shadow lookup. The alpha channel carries
// the blur amount the depth-of-field composition applies.

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
const float shadowBias = 0.004;

float shadowTap(vec3 c, vec2 offset)
{
    return c.z - shadowBias <= texture2D(depthMap, c.xy + offset * shadowTexel).r ? 1.0 : 0.0;
}

// 1 in full light, 0 in full shadow; five taps soften the edge.
float lightVisibility()
{
    vec3 c = shadowCoord.xyz / shadowCoord.w;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        return 1.0;
    float sum = shadowTap(c, vec2(0.0, 0.0));
    sum += shadowTap(c, vec2(1.5, 0.5));
    sum += shadowTap(c, vec2(-1.5, -0.5));
    sum += shadowTap(c, vec2(0.5, -1.5));
    sum += shadowTap(c, vec2(-0.5, 1.5));
    return sum / 5.0;
}

float blurAmount()
{
    return clamp(abs(eyeDepth - focusDistance) / focusRange, 0.0, 1.0);
}

void main()
{
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    vec3 bump = texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0;
    vec3 detail = texture2D(detailMap, baseCoord * 8.0).xyz * 2.0 - 1.0;
    vec3 n = normalize(vec3(bump.xy + detail.xy * 0.4, bump.z));
    vec3 l = normalize(lightTangent);
    vec3 v = normalize(viewTangent);

    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(reflect(-l, n), v), 0.0), 24.0) * 0.2;
    float visible = lightVisibility();
    vec3 colour = base * (0.38 + 0.8 * diffuse * visible) + vec3(specular * visible);
    gl_FragColor = vec4(colour, blurAmount());
}
