#include "engine/render/ShaderEffect.h"

#include "engine/render/D3DDevice.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/EffectQuad.h"
#include "engine/render/GLTexture.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/ShaderRes.h"

ShaderEffect::ShaderEffect(ShaderRes* shader)
    : shader(shader)
{
    flag1 = flag2 = flag3 = 0;
    surfaceFlag = 0;
    spriteFlag = 1;
}

IEffectProgram* ShaderEffect::GetProgram() const
{
    return shader ? shader->GetEffect() : nullptr;
}

EffectColour ArgbToEffectColour(uint32_t argb)
{
    const Float4 c = ColorToFloat4(argb);
    return {c.r, c.g, c.b, c.a};
}

void ShaderEffect::Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
    const SpriteSource& source, float rotation, uint32_t colour)
{
    auto* resource = dynamic_cast<DXGraphicalRessource*>(texture);
    GLTexture* gl = resource ? resource->GetTexture() : nullptr;
    const uint32_t name = resource ? resource->GetTextureName() : 0;
    const Point<int> size = quadSize.value_or(Point<int>(source.width, source.height));
    IEffectProgram* program = GetProgram();
    if (!program || !gl) {
        // No effect: the quad is drawn plainly.
        GraphicalEffect::Draw(texture, position, spritePoint, source, rotation, colour);
        return;
    }
    const int textureWidth = gl->GetTextureWidth();
    const int textureHeight = gl->GetTextureHeight();
    const IRenderEngine* engine = g_RenderEngine;
    const RenderPoolCommand* command = engine ? engine->GetCurrentCommand() : nullptr;
    const auto* dxEngine = dynamic_cast<const DXRenderEngine*>(engine);
    const EffectTarget target = CurrentEffectTarget();

    program->SetMatrix("g_mWorldViewProjection", EffectProjection(target));
    program->SetTexture("g_MeshTexture", name);
    program->SetInt2("g_mTexSize", textureWidth, textureHeight);
    // An empty source maps as the whole texture instead of dividing by 0.
    program->SetFloat2("g_mRealMappingMultiplier",
        source.width > 0 ? float(textureWidth) / source.width : 1.0f,
        source.height > 0 ? float(textureHeight) / source.height : 1.0f);
    program->SetFloat2("g_mRealMappingCenter", textureWidth > 0 ? float(source.left) / textureWidth : 0.0f,
        textureHeight > 0 ? float(source.top) / textureHeight : 0.0f);
    const Point<int> camera = command ? command->GetCameraWorld() : GetRenderGameState().cameraWorld;
    program->SetInt2("g_mCameraWorldPos", camera.x, camera.y);
    program->SetInt2("g_mScreenOffset", g_BackBufferWidth / 2, g_BackBufferHeight / 2);
    program->SetFloat("g_mLayerSpeed",
        command      ? command->GetLayerSpeed()
            : engine ? engine->GetLayerSpeed()
                     : 1.0f);
    program->SetFloat("g_mTileValue",
        command      ? command->GetTileValue()
            : engine ? engine->GetTileValue()
                     : 1.0f);
    program->SetFloat("g_mDrawFactor",
        command      ? command->GetDrawFactor()
            : engine ? engine->GetDrawFactor()
                     : 1.0f);
    uint32_t diffuse = command ? command->GetColour() : dxEngine ? dxEngine->GetDiffuseColor() : 0xFFFFFFFFu;
    if (diffuseOverride)
        diffuse = *diffuseOverride;
    const EffectColour d = ArgbToEffectColour(diffuse);
    program->SetFloat4("g_MaterialDiffuseColor", d.r, d.g, d.b, d.a);

    if (!BeginPass(shader))
        return;
    DrawEffectQuad(*program,
        MakeEffectQuad(float(position.x), float(position.y), size, textureWidth, textureHeight, spritePoint,
            rotation, source.left, source.top, source.width, source.height, colour, target));
    EndPass(shader);
}

bool ShaderEffect::DrawSprite(
    ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float rotation, const Rect<int>* clip)
{
    DrawSpriteWithColor(sprite, x, y, rotation, clip, 0xFFFFFFFFu);
    return true;
}

std::unique_ptr<GraphicalEffect> ShaderEffect::Clone() const
{
    return std::make_unique<ShaderEffect>(*this);
}

std::unique_ptr<GraphicalEffect> DbgShaderEffect::Clone() const
{
    return std::make_unique<DbgShaderEffect>(*this);
}

ShaderEffect_ArmorIce_Use::ShaderEffect_ArmorIce_Use(ShaderRes* shader, int x, int y)
    : ShaderEffect(shader)
    , zoneCenter(x, y)
{
}

void ShaderEffect_ArmorIce_Use::Draw(IGraphicalRessource* texture, Point<int> position,
    Point<int> spritePoint, const SpriteSource& source, float rotation, uint32_t colour)
{
    if (IEffectProgram* program = GetProgram())
        program->SetInt2("g_mZoneCenter", zoneCenter.x, zoneCenter.y);
    ShaderEffect::Draw(texture, position, spritePoint, source, rotation, colour);
}

std::unique_ptr<GraphicalEffect> ShaderEffect_ArmorIce_Use::Clone() const
{
    return std::make_unique<ShaderEffect_ArmorIce_Use>(*this);
}
