#include "characters/CharacterObject.h"
#include "engine/app/UsageObserver.h"

#include "characters/BGEvent_HandleDropItem.h"
#include "characters/CharacterGameAccess.h"
#include "characters/LocalParticleSystem.h"
#include "engine/platform/Random.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/serial/TypeNames.h"
#include "engine/sound/SoundEvent.h"
#include "scene/CollisionShape.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

// Hit flash and shock waves: shader name, duration in ticks.
constexpr const char* kHitFlashShader = "ml_NPC_Hit";
constexpr float kHitFlashTicks = 5.0f;
constexpr const char* kShockWave1Shader = "ml_NPC_ShockWave1";
constexpr float kShockWave1Ticks = 45.0f;
constexpr const char* kShockWave2Shader = "ml_NPC_ShockWave2";
constexpr float kShockWave2Ticks = 41.0f;

// A dying character drops an item when a draw in [0, 1) reaches this.
constexpr double kDropThreshold = 0.6;

std::string ToLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

CharacterObject::CharacterObject(std::string name_)
    : CharacterObject(std::move(name_), true)
{
}

CharacterObject::CharacterObject(std::string name_, bool withLinkedEffects)
    : SceneCharacter(std::move(name_))
{
    typeName = TypeNames::CharacterObject;
    hitFlash = MakeTimedEffect(kHitFlashShader, kHitFlashTicks, true);
    if (!withLinkedEffects)
        return;
    onExploseEffects = GetLinkedParticleSystems("OnExplose", name);
    onExploseWithPowerEffects = GetLinkedParticleSystems("OnExploseWithPower", name);
    onSpecialEffects = GetLinkedParticleSystems("OnSpecial_01", name);
}

CharacterObject::~CharacterObject()
{
    for (CollisionShape<int>* shape : collisionShapes)
        delete shape;
    collisionShapes.clear();
    shockWave.reset();
    hitFlash.reset();
    drawingEffect.reset();
    DestroyExplosionPieces();
    for (auto* list : {&onExploseEffects, &onExploseWithPowerEffects, &onSpecialEffects}) {
        for (LocalParticleSystem* system : *list)
            delete system;
        list->clear();
    }
}

std::unique_ptr<ShaderEffect_TimeDependent> CharacterObject::MakeTimedEffect(
    const char* shaderName, float duration, bool startAtEnd)
{
    ShaderRes* shader = nullptr;
    if (auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine))
        shader = engine->FindShaderRes(shaderName);
    return std::make_unique<ShaderEffect_TimeDependent>(shader, duration, startAtEnd, true, false, true);
}

void CharacterObject::DeclareSounds()
{
    DeclareSound("NPC_Generic_HitByPlayer");
    const bool boss
        = name.find("NPC_Boss") != std::string::npos || name.find("NPC_MiniBoss") != std::string::npos;
    DeclareSound(boss ? "NPC_Boss_Killed" : "NPC_Generic_Killed");
    hitSoundIndex = 0;
    deathSoundIndex = 1;
}

void CharacterObject::SetOwnedGraphical(std::unique_ptr<GraphicalObject> object)
{
    ownedGraphical = std::move(object);
    currentGraphical = ownedGraphical.get();
}

void CharacterObject::Update(double /*dt*/)
{
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    previousPosition = position;
    if (firstUpdate) {
        firstUpdate = false;
        ResetToStart();
    }
    hitThisFrame2 = false;
    hitThisFrame = false;
    if (invulnerableFrames > 0) {
        invulnerable = true;
        --invulnerableFrames;
    } else {
        invulnerable = false;
    }
    if (!exploding)
        return;
    invulnerable = true;
    if (!shockWave)
        return;
    shockWave->Update();
    if (explosionPhase == 0 && shockWaveDelay < shockWave->GetTimer())
        explosionPhase = 1;
    bool skipEndTest = false;
    if (explosionPhase == 1) {
        NoteUse("effect", kShockWave2Shader);
        shockWave = MakeTimedEffect(kShockWave2Shader, kShockWave2Ticks, false);
        explosionPhase = 2;
        skipEndTest = true;
    }
    if (explosionPhase == 2) {
        const size_t count = std::min(explosionPieces.size(), pieceVelocities.size());
        for (size_t i = 0; i < count; ++i) {
            if (explosionPieces[i] == nullptr || pieceVelocities[i] == nullptr)
                continue;
            explosionPieces[i]->GetPositionRef() += *pieceVelocities[i] * 2.0f;
        }
        if (!skipEndTest && shockWave && shockWave->GetTimer() >= shockWave->GetDuration())
            dead = true;
    }
}

void CharacterObject::SetDrawingEffect(std::unique_ptr<GraphicalEffect> effect)
{
    drawingEffect = std::move(effect);
}

void CharacterObject::UpdateSounds()
{
    const Point<float> centre = GetCenter();
    for (SoundEvent* event : soundEvents) {
        if (event != nullptr)
            event->SetPosition(centre.x, centre.y);
    }
    SceneObject::UpdateSounds();
}

void CharacterObject::RemoveChild(CharacterObject* /*child*/)
{
}

void CharacterObject::ResetToStart()
{
}

std::vector<GraphicalObject*> CharacterObject::GetRelatedGraphicalObjects()
{
    return {};
}

bool CharacterObject::HandleScriptCommand(std::string command, std::string argument)
{
    command = ToLower(std::move(command));
    argument = ToLower(std::move(argument));
    if (command == "enable") {
        enabled = true;
        return true;
    }
    if (command == "disable") {
        enabled = false;
        return true;
    }
    return false;
}

float CharacterObject::GetSpeed(int /*state*/) const
{
    return speed;
}

double CharacterObject::GetStateDelay(int /*state*/) const
{
    return 0.0;
}

void CharacterObject::Explode(bool slowMotion)
{
    dead = false;
    exploding = true;
    hitFlash.reset();
    NoteUse("effect", kShockWave1Shader);
    shockWave = MakeTimedEffect(kShockWave1Shader, kShockWave1Ticks, false);
    shockWave->Advance(shockWaveStart);
    explosionPhase = 0;
    if (slowMotion) {
        if (CharacterGameAccess* game = GetCharacterGameAccess())
            game->RequestSlowMotion(15, 3);
    }
}

void CharacterObject::ReceiveHit(CharacterObject* attacker, int /*kind*/, float amount)
{
    if (attacker != nullptr && life != -1)
        ApplyDamage(attacker, static_cast<int>(amount));
}

void CharacterObject::ApplyDamage(CharacterObject* attacker, int /*damage*/)
{
    if (attacker != nullptr)
        hitThisFrame = true;
    if (hitFlash) {
        NoteUse("effect", kHitFlashShader);
        hitFlash->Start(0, true);
    }
}

float CharacterObject::GetSizeSquared() const
{
    const Point<int> s = GetSize();
    return static_cast<float>(s.x * s.x + s.y * s.y);
}

Point<float> CharacterObject::GetCircleCenter() const
{
    return Point<float>(static_cast<float>(GetSize().x) * 0.5f, GetCircleRadius());
}

float CharacterObject::GetCircleRadius() const
{
    const Point<int> s = GetSize();
    return static_cast<float>(std::min(s.x, s.y)) * 0.5f;
}

Point<float> CharacterObject::GetCenter() const
{
    return position + GetSize().ToFloat() * 0.5f;
}

Point<float> CharacterObject::GetTopCenter() const
{
    return position + Point<float>(static_cast<float>(GetSize().x) * 0.5f, 0.0f);
}

void CharacterObject::Die()
{
    if (deathHandled)
        return;
    deathHandled = true;
    CharacterGameAccess* game = GetCharacterGameAccess();
    CharacterObject* player = game ? game->GetPlayer() : nullptr;
    if (player != nullptr && dropsItems == 1) {
        int kind = -1;
        if (player->GetLife() != player->GetMaxLife() && platform::RandomFraction() >= kDropThreshold)
            kind = 0;
        if (kind == -1) {
            const PlayerCrossbowState crossbow = game->GetPlayerCrossbow();
            if (crossbow.exists && crossbow.enabled && crossbow.boltsLeft != crossbow.capacity
                && platform::RandomFraction() >= kDropThreshold)
                kind = 1;
        }
        if (kind != -1) {
            const Point<float> centre = position + GetSize().ToFloat() * 0.5f;
            game->AddBackgroundEvent(new BGEvent_HandleDropItem("DropItem", kind, centre.ToInt()));
        }
    }
    if (owner != nullptr)
        owner->RemoveChild(this);
    if (game != nullptr && game->HasLevel()) {
        std::vector<LocalParticleSystem*>& effects = (powerHit != 0 && !onExploseWithPowerEffects.empty())
            ? onExploseWithPowerEffects
            : onExploseEffects;
        const Point<int> at = (GetSize().ToFloat() * 0.5f).ToInt() + GetPosition().ToInt();
        LaunchParticleEffect(nullptr, effects, this, false, at.x, at.y);
    }
    if (game != nullptr)
        game->BroadcastMessage(name + "_State_DIE");
}
