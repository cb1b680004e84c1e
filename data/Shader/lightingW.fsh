#version 110
// The scenery as seen through the water: only what lies below the surface,
// lit with its relief and the detail map, in the shadows of the trees and
// banks, tinted and darkened with its depth under the surface.

uniform sampler2D baseMap;
uniform sampler2D normalMap;
uniform sampler2D depthMap;
uniform sampler2D detailMap;

varying vec2 baseCoord;
varying vec3 lightTangent;
varying vec4 shadowCoord;
varying float worldHeight;

const vec3 waterTint = vec3(0.05, 0.22, 0.25);
const float shadowBias = 0.0006;

void main()
{
    if (worldHeight > 0.0)
        discard;
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    vec3 bump = texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0;
    vec3 detail = texture2D(detailMap, baseCoord * 8.0).xyz * 2.0 - 1.0;
    vec3 n = normalize(vec3(bump.xy + detail.xy * 0.4, bump.z));
    float diffuse = max(dot(n, normalize(lightTangent)), 0.0);

    // Seen through moving water at half resolution, one softly compared tap
    // of the filtered depth map is as much shadow as shows.
    vec3 c = shadowCoord.xyz / shadowCoord.w;
    float depth = texture2D(depthMap, c.xy).r;
    float visible = clamp(1.0 - (c.z - shadowBias - depth) * 600.0, 0.0, 1.0);
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        visible = 1.0;

    vec3 colour = base * (0.4 + 0.6 * diffuse * visible);
    float depthBelow = clamp(-worldHeight * 4.0, 0.0, 1.0);
    gl_FragColor = vec4(mix(colour, waterTint, 0.35 + 0.55 * depthBelow), 1.0);
}
