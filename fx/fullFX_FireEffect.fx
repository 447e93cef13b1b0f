// Heat: the picture shimmers upwards and glows orange from the bottom.
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
    float phase = g_mTimerAdvance * 6.2831853;
    vec2 pixel = vTexCoord / g_mTexSize_Inv1;
    float height = clamp((vTexCoord.y - g_mTexUVOffset.y) / max(g_mTexUVEnd.y - g_mTexUVOffset.y, 1e-4), 0.0, 1.0);
    float shimmer = sin(pixel.y * 0.2 - phase * 3.0 + sin(pixel.x * 0.05)) * 1.5 * height;
    vec3 colour = Picture(vTexCoord + vec2(shimmer, -abs(shimmer)) * g_mTexSize_Inv1);
    float glow = height * height * (0.8 + 0.2 * sin(phase * 5.0 + pixel.x * 0.1));
    colour = colour + vec3(0.35, 0.12, 0.0) * glow;
    fragColor = vec4(clamp(colour, 0.0, 1.0), 1.0);
}
#endif
