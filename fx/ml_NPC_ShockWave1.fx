// Death shock wave: a bright ring races out from the sprite centre and bends it as it passes, then all fades.
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
    float t = clamp(g_mTimerAdvance, 0.0, 1.0);
    vec2 uv = SpriteUV();
    vec2 fromCentre = uv - 0.5;
    float radius = t * 0.75;
    float ring = 1.0 - smoothstep(0.0, 0.08, abs(length(fromCentre) - radius));
    vec2 push = normalize(fromCentre + 1e-5) * ring * 0.04;
    vec4 texel = texture(g_MeshTexture, vTexCoord - push / g_mRealMappingMultiplier) * vColor;
    vec3 colour = texel.rgb + vec3(1.0, 0.9, 0.6) * ring;
    float alpha = max(texel.a, ring * 0.8) * (1.0 - t);
    fragColor = vec4(clamp(colour, 0.0, 1.0), alpha);
}
#endif
