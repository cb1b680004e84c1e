#version 110
// The scenery as seen through the water: only what lies below the surface,
// lit with its relief and the detail map, in the shadows of the trees and
// banks, tinted and darkened with its depth under the surface.

uniform sampler2D baseMap;
uniform sampler2D normalMap;
uniform sampler2D detailMap;

varying vec2 baseCoord;
varying vec3 lightTangent;
varying float vertexLight;  // the shadow, from the vertex program
varying float worldHeight;

const vec3 waterTint = vec3(0.05, 0.22, 0.25);

void main()
{
    if (worldHeight > 0.0)
        discard;
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    vec3 bump = texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0;
    vec3 detail = texture2D(detailMap, baseCoord * 8.0).xyz * 2.0 - 1.0;
    vec3 n = normalize(vec3(bump.xy + detail.xy * 0.4, bump.z));
    float diffuse = max(dot(n, normalize(lightTangent)), 0.0);

    vec3 colour = base * (0.4 + 0.6 * diffuse * vertexLight);
    float depthBelow = clamp(-worldHeight * 4.0, 0.0, 1.0);
    gl_FragColor = vec4(mix(colour, waterTint, 0.35 + 0.55 * depthBelow), 1.0);
}
