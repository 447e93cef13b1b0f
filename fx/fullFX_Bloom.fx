// Bloom: the bright parts of the picture glow softly into their surroundings, breathing slowly.
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

void main()
{
    vec3 picture = Picture(vTexCoord);
    vec3 glow = vec3(0.0);
    float weights = 0.0;
    for (int y = -3; y <= 3; ++y) {
        for (int x = -3; x <= 3; ++x) {
            float w = 1.0 / (1.0 + float(x * x + y * y));
            vec3 c = Picture(vTexCoord + vec2(x, y) * 2.0 * g_mTexSize_Inv1);
            glow += max(c - vec3(0.6), vec3(0.0)) * w;
            weights += w;
        }
    }
    float strength = 0.9 + 0.2 * sin(g_mTimerAdvance * 6.2831853);
    fragColor = vec4(clamp(picture + glow / weights * 2.5 * strength, 0.0, 1.0), 1.0);
}
#endif
