#include "enemies/NPC_Bibli_Ghost.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Bibli_Ghost.h"

#include <utility>

namespace {

constexpr float kSpeed = 5.0f;
constexpr int kLife = 4;
// The fade runs over this many updates.
constexpr float kFadeTicks = 13.0f;
// The ghost shows up this far above the player's feet.
constexpr float kRise = 32.0f;

} // namespace

NPC_Bibli_Ghost::NPC_Bibli_Ghost(std::string name)
    : CharacterObject(std::move(name))
    , appearLeft(Enemy::CloneGraphical("NPC_Bibli_Ghost_GraphicalAppearL"))
    , appearRight(Enemy::CloneGraphical("NPC_Bibli_Ghost_GraphicalAppearR"))
    , attackLeft(Enemy::CloneGraphical("NPC_Bibli_Ghost_GraphicalAttackL"))
    , attackRight(Enemy::CloneGraphical("NPC_Bibli_Ghost_GraphicalAttackR"))
{
    typeName = TypeNames::NPC_Bibli_Ghost;
    speed = kSpeed;
    life = kLife;
    state = kHidden;
    stateTimer = 0;
    // The fade rests at its end until an appearance runs it back.
    auto fade = std::make_unique<GE_Color>(Enemy::FindShader("ml_NPC_GhostFade"), kFadeTicks, true, true);
    fade->SetReverse(true);
    fade->Start(1, false);
    SetDrawingEffect(std::move(fade));
    LoadSounds();
}

NPC_Bibli_Ghost::~NPC_Bibli_Ghost()
{
    currentGraphical = nullptr;
}

bool NPC_Bibli_Ghost::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    if (g_RenderEngine)
        g_RenderEngine->SetDrawFactor(3.0f);
    const bool drawn = CharacterObject::Draw(target, offset);
    if (g_RenderEngine)
        g_RenderEngine->SetDrawFactor(1.0f);
    return drawn;
}

void NPC_Bibli_Ghost::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_BibliGhost_Attack");
}

Point<int> NPC_Bibli_Ghost::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

GraphicalObject* NPC_Bibli_Ghost::LookFor(int forState) const
{
    const bool right = direction.x >= 0.0f;
    if (forState == kAppearing)
        return right ? appearRight.get() : appearLeft.get();
    if (forState == kAttacking)
        return right ? attackRight.get() : attackLeft.get();
    return nullptr;
}

void NPC_Bibli_Ghost::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    previousState = state;
    if (state == kAttacking)
        DamagePlayerOnContact();
    Player* player = Enemy::ThePlayer();
    if (player != nullptr) {
        if (stateTimer > 0)
            --stateTimer;
        bool changed = false;
        if (currentGraphical != nullptr) {
            if (state == kAppearing && currentGraphical->IsAnimationFinished()) {
                state = kAttacking;
                stateTimer = kDash;
                changed = true;
            }
            if (!changed && state == kAttacking && stateTimer <= 0) {
                state = kHidden;
                stateTimer = kWait;
            }
        }
        const Point<float> c = player->GetCenter();
        const Point<int> centre(static_cast<int>(c.x), static_cast<int>(c.y));
        if (rect.Contains(centre, true)) {
            if (state == kHidden && stateTimer <= 0) {
                state = kAppearing;
                PlaySound("NPC_BibliGhost_Attack");
                if (auto* fade = dynamic_cast<ShaderEffect_TimeDependent*>(GetDrawingEffect()))
                    fade->Start(0, false);
                direction = player->GetFacingFromAnimation() > 0 ? Point<float>(1.0f, 0.0f)
                                                                 : Point<float>(-1.0f, 0.0f);
            }
        } else if (state == kHidden) {
            stateTimer = kWait;
        }
        if (state == kAttacking)
            position += direction * Enemy::StepLength(speed, dt);
    }
    GraphicalObject* previous = currentGraphical;
    currentGraphical = LookFor(state);
    if (state != previousState && state == kAppearing && player != nullptr) {
        // Behind the player, so that the dash runs through it.
        const Point<float> top = player->GetTopCenter();
        const float width = static_cast<float>(GetSize().x);
        position.x = player->GetFacingFromAnimation() > 0 ? top.x - width : top.x;
        position.y = top.y + kRise;
    }
    if (currentGraphical != previous && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    if (GraphicalEffect* effect = GetDrawingEffect())
        effect->Update();
    UpdateSounds();
}

bool NPC_Bibli_Ghost::IsHitByBox(Rect<int> box, bool flag)
{
    return state != kHidden && CharacterObject::IsHitByBox(box, flag);
}

void NPC_Bibli_Ghost::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kFireHit);
}

void NPC_Bibli_Ghost::ApplyDamage(CharacterObject* attacker, int damage)
{
    // No shake: the drawing effect is the fade.
    Enemy::ApplyDamage(*this, attacker, damage, false);
}

void Zone_NPCSpawner_Bibli_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Bibli_Ghost>(*this, x, y,
        {"NPC_Bibli_Ghost", NPCSpawner::Naming::Placement, &NPC_Bibli_Ghost::rect, NPCSpawner::Area::R});
}
