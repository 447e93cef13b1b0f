// Under water: the picture ripples in slow waves that follow the camera, tinted blue-green.
#version 330 core
uniform mat4 g_mWorldViewProjection;
uniform sampler2D g_MeshTexture;
uniform ivec2 g_mTexSize;
uniform vec2 g_mTexUVOffset;
uniform vec2 g_mTexUVEnd;
uniform vec2 g_mTexSize_Inv1;
uniform float g_mTimerAdvance;

#ifdef VERTEX
in vec3 inPosition;
in vec2 inTexCoord;
in vec4 inColor;
out vec2 vTexCoord;
void main()
{
    gl_Position = g_mWorldViewProjection * vec4(inPosition.xy, 0.0, 1.0);
    vTexCoord = inTexCoord;
}
#endif

#ifdef FRAGMENT
in vec2 vTexCoord;
out vec4 fragColor;
// The picture at uv, never outside the source rectangle.
vec3 Picture(vec2 uv)
{
    vec2 halfTexel = g_mTexSize_Inv1 * 0.5;
    return texture(g_MeshTexture, clamp(uv, g_mTexUVOffset + halfTexel, g_mTexUVEnd - halfTexel)).rgb;
}

uniform ivec2 g_mCameraWorldPos;
void main()
{
    float phase = g_mTimerAdvance * 6.2831853;
    vec2 world = vTexCoord / g_mTexSize_Inv1 + vec2(g_mCameraWorldPos);
    vec2 offset = vec2(sin(world.y * 0.045 + phase) * 2.5, cos(world.x * 0.035 + phase) * 1.5) * g_mTexSize_Inv1;
    vec3 colour = Picture(vTexCoord + offset);
    colour = mix(colour, colour * vec3(0.75, 0.95, 1.1) + vec3(0.0, 0.03, 0.06), 0.6);
    fragColor = vec4(clamp(colour, 0.0, 1.0), 1.0);
}
#endif
