// Final copy of the picture to the window, blending the four nearest texels.
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
    vec2 size = vec2(g_mTexSize);
    vec2 texel = vTexCoord * size - 0.5;
    vec2 f = fract(texel);
    vec2 base = (floor(texel) + 0.5) / size;
    vec2 d = g_mTexSize_Inv1;
    vec3 top = mix(Picture(base), Picture(base + vec2(d.x, 0.0)), f.x);
    vec3 bottom = mix(Picture(base + vec2(0.0, d.y)), Picture(base + d), f.x);
    fragColor = vec4(mix(top, bottom, f.y), 1.0);
}
#endif
