// Fade-in from darkness: the screen stays dark for the first sixth (five ticks, so the
// window shows no half-drawn first frame), then the picture rises.
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

uniform vec4 g_FadeColor = vec4(0.0, 0.0, 0.0, 1.0);
void main()
{
    float k = smoothstep(0.15, 1.0, clamp(g_mTimerAdvance, 0.0, 1.0));
    fragColor = vec4(mix(g_FadeColor.rgb, Picture(vTexCoord), k), 1.0);
}
#endif
