// Blinking: the sprite fades out and in again over each loop of the timer.
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
    float level = 0.25 + 0.75 * (0.5 + 0.5 * cos(g_mTimerAdvance * 6.2831853));
    fragColor = vec4(texel.rgb, texel.a * level);
}
#endif
