#version 110
// Lit scenery: base texture and normal map, diffuse and specular light, the
// shadow map's filtered comparison. The alpha channel carries the blur amount
// the depth-of-field composition applies.
//
// The detail normal map bound beside them is not read: it tilted the normal by
// a few hundredths, which moved no pixel of the tours' frames or of close
// views of the ground by more than a level or two, and reading it cost about
// a twelfth of the frame.

uniform sampler2D baseMap;
uniform sampler2D normalMap;
uniform sampler2DShadow depthMap;

varying vec2 baseCoord;
varying vec3 lightTangent;
varying vec3 viewTangent;
varying vec4 shadowCoord;
varying float eyeDepth;

const float focusDistance = 1.0;
const float focusRange = 2.5;
const float shadowBias = 0.0006;

// 1 in full light, 0 in full shadow. The shadow map compares for itself: one
// lookup weighs the comparisons of the four nearest depths by the point's
// place between them, so an edge is a ramp one texel wide rather than a step.
float lightVisibility()
{
    vec3 c = shadowCoord.xyz / shadowCoord.w;
    float visible = shadow2D(depthMap, vec3(c.xy, c.z - shadowBias)).r;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        visible = 1.0;
    return visible;
}

float blurAmount()
{
    return clamp(abs(eyeDepth - focusDistance) / focusRange, 0.0, 1.0);
}

void main()
{
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    vec3 n = normalize(texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0);
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
