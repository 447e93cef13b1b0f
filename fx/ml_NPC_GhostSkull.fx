// Ghost skull: the sprite glows in its colour (the diffuse colour), pulsing gently.
#version 330 core
uniform mat4 g_mWorldViewProjection;
uniform sampler2D g_MeshTexture;
uniform vec2 g_mRealMappingMultiplier;
uniform vec2 g_mRealMappingCenter;
uniform vec4 g_MaterialDiffuseColor;
uniform float g_mTimerAdvance;

#ifdef VERTEX
in vec3 inPosition;
in vec2 inTexCoord;
in vec4 inColor;
out vec2 vTexCoord;
out vec4 vColor;
void main()
{
    gl_Position = g_mWorldViewProjection * vec4(inPosition.xy, 0.0, 1.0);
    vTexCoord = inTexCoord;
    vColor = inColor;
}
#endif

#ifdef FRAGMENT
in vec2 vTexCoord;
in vec4 vColor;
out vec4 fragColor;
// Position inside the sprite: (0, 0) top-left to (1, 1) bottom-right.
vec2 SpriteUV()
{
    return (vTexCoord - g_mRealMappingCenter) * g_mRealMappingMultiplier;
}

void main()
{
    vec4 texel = texture(g_MeshTexture, vTexCoord) * vColor;
    float luminance = dot(texel.rgb, vec3(0.299, 0.587, 0.114));
    float pulse = 0.85 + 0.15 * sin(g_mTimerAdvance * 6.2831853);
    vec3 tinted = g_MaterialDiffuseColor.rgb * (0.35 + 0.9 * luminance) * pulse;
    fragColor = vec4(clamp(tinted, 0.0, 1.0), texel.a * g_MaterialDiffuseColor.a);
}
#endif
