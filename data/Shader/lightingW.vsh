#version 110
// Scenery seen through the water surface. Vertices arrive in
// world space with the tangent in texture set 1 and the binormal in set 2;
// unit 2's texture matrix maps a world position into the shadow map.

uniform vec4 lightPos;
uniform vec4 viewPos;
uniform sampler2DShadow depthMap;

varying vec2 baseCoord;
varying vec3 lightTangent;  // towards the light, tangent space
varying vec3 viewTangent;   // towards the eye, tangent space
varying vec4 shadowCoord;
varying float eyeDepth;
varying float worldHeight;
varying float vertexLight;  // 1 lit, 0 in the shadow map's shadow, at this vertex

void main()
{
    vec3 n = normalize(gl_Normal);
    vec3 t = normalize(gl_MultiTexCoord1.xyz);
    vec3 b = normalize(gl_MultiTexCoord2.xyz);
    // The light shines from its position towards the middle of the scenery,
    // the same parallel direction the shadow map is rendered along.
    vec3 toLight = normalize(lightPos.xyz - vec3(0.0, 0.0, 1.6));
    vec3 toEye = viewPos.xyz - gl_Vertex.xyz;

    lightTangent = vec3(dot(toLight, t), dot(toLight, b), dot(toLight, n));
    viewTangent = vec3(dot(toEye, t), dot(toEye, b), dot(toEye, n));
    baseCoord = gl_MultiTexCoord0.xy;
    shadowCoord = gl_TextureMatrix[2] * gl_Vertex;
    // Seen through moving water at half resolution, a shadow looked up per
    // vertex is as sharp as shows, and every fragment of the scenery runs
    // this program, also the ones above the water that it throws away.
    vec3 c = shadowCoord.xyz / shadowCoord.w;
    vertexLight = shadow2DLod(depthMap, vec3(c.xy, c.z - 0.0006), 0.0).r;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0 || c.z >= 1.0)
        vertexLight = 1.0;
    eyeDepth = -(gl_ModelViewMatrix * gl_Vertex).z;
    worldHeight = gl_Vertex.y;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
