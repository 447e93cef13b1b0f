// Ice armor in use: the sprite frosts over, bluer and paler near the zone centre, with glints.
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

uniform ivec2 g_mZoneCenter;
uniform ivec2 g_mCameraWorldPos;
uniform ivec2 g_mScreenOffset;
void main()
{
    vec4 texel = texture(g_MeshTexture, vTexCoord) * vColor;
    vec2 world = vec2(g_mCameraWorldPos) + gl_FragCoord.xy - vec2(g_mScreenOffset);
    float nearness = 1.0 - smoothstep(0.0, 160.0, distance(world, vec2(g_mZoneCenter)));
    float luminance = dot(texel.rgb, vec3(0.299, 0.587, 0.114));
    vec3 ice = vec3(0.55, 0.8, 1.0) * (0.5 + 0.6 * luminance);
    vec2 uv = SpriteUV();
    float glint = step(0.97, fract(sin(dot(floor(uv * 16.0), vec2(12.9898, 78.233))) * 43758.5453));
    vec3 colour = mix(texel.rgb, ice, 0.35 + 0.5 * nearness) + glint * 0.4;
    fragColor = vec4(clamp(colour, 0.0, 1.0), texel.a);
}
#endif
