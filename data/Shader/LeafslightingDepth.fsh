#version 110
// The light's view for the shadow map. Only depth is kept; the alpha carries
// the coverage of leaves and grass for the alpha test that runs in this pass.
// Near-black texels are empty: the pictures are premultiplied by coverage,
// and this pass samples them near full detail.

uniform sampler2D baseMap;

varying vec2 baseCoord;

void main()
{
    vec3 base = texture2D(baseMap, baseCoord).rgb;
    float coverage = max(base.r, max(base.g, base.b)) < 0.1 ? 0.0 : 1.0;
    gl_FragColor = vec4(1.0, 1.0, 1.0, coverage);
}
