// Motion blur: the picture mixed with the previous one (g_MeshTexture2) by the timer.
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

uniform sampler2D g_MeshTexture2;
void main()
{
    // The pass runs over the whole picture into the picture, one texel for
    // each pixel at the same place in both sources: fetched directly, with
    // no coordinates to scale or clamp and no filtering (the full-screen
    // passes' largest cost on a software renderer).
    ivec2 texel = ivec2(gl_FragCoord.xy);
    vec3 now = texelFetch(g_MeshTexture, texel, 0).rgb;
    vec3 before = texelFetch(g_MeshTexture2, texel, 0).rgb;
    float amount = clamp(g_mTimerAdvance, 0.0, 0.9);
    vec3 mixed = mix(now, before, amount);
    // The picture holds 8 bits a channel: a trail of a few steps would round
    // back to itself every frame and stay for ever (the title's rows behind
    // the next page), so the mix also moves one step toward the new picture.
    fragColor = vec4(mixed + clamp(now - mixed, vec3(-1.0 / 255.0), vec3(1.0 / 255.0)), 1.0);
}
#endif
