// Ghost fade: the sprite pales to a cold blue and fades out, wavering. The
// draw factor (1.0 for most draws, 3.0 for the library's ghosts) makes the
// waver that many times wider and quicker.
#version 330 core
uniform mat4 g_mWorldViewProjection;
uniform sampler2D g_MeshTexture;
uniform vec2 g_mRealMappingMultiplier;
uniform vec2 g_mRealMappingCenter;
uniform vec4 g_MaterialDiffuseColor;
uniform float g_mTimerAdvance;
uniform float g_mDrawFactor;

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
    vec2 uv = vTexCoord;
    float factor = max(g_mDrawFactor, 0.0);
    uv.x += sin(SpriteUV().y * 12.0 + t * 12.0 * factor) * 0.004 * t * factor;
    vec4 texel = texture(g_MeshTexture, uv) * vColor;
    vec3 ghost = mix(texel.rgb, vec3(0.7, 0.85, 1.0), 0.5 * t);
    fragColor = vec4(ghost, texel.a * (1.0 - t));
}
#endif
