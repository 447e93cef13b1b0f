// Soft blur of the whole picture: a 5 x 5 tent filter.
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
    vec3 sum = vec3(0.0);
    float weights = 0.0;
    for (int y = -2; y <= 2; ++y) {
        for (int x = -2; x <= 2; ++x) {
            float w = float((3 - abs(x)) * (3 - abs(y)));
            sum += Picture(vTexCoord + vec2(x, y) * g_mTexSize_Inv1) * w;
            weights += w;
        }
    }
    fragColor = vec4(sum / weights, 1.0);
}
#endif
