// Second shock wave: two thin rings, the sprite burning white inside them and breaking up.
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
    float d = length(uv - 0.5);
    float outer = 1.0 - smoothstep(0.0, 0.04, abs(d - t * 0.8));
    float inner = 1.0 - smoothstep(0.0, 0.03, abs(d - t * 0.5));
    vec4 texel = texture(g_MeshTexture, vTexCoord) * vColor;
    float burn = step(d, t * 0.5);
    float noise = fract(sin(dot(floor(uv * 24.0), vec2(41.3, 289.1))) * 15731.7);
    vec3 colour = mix(texel.rgb, vec3(1.0), burn * 0.7) + vec3(0.8, 0.9, 1.0) * (outer + inner);
    float alpha = max(texel.a * (1.0 - burn * step(noise, t)), (outer + inner) * 0.9) * (1.0 - t * t);
    fragColor = vec4(clamp(colour, 0.0, 1.0), alpha);
}
#endif
