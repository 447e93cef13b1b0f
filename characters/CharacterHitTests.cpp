// The geometric and visual operations of the character base: boxes of the
// current frame, hit tests, the swept box of a move, spawn points, drawing
// with the hit flash, and the explosion pieces.
#include "characters/CharacterBoxes.h"
#include "characters/CharacterGameAccess.h"
#include "characters/CharacterObject.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/CollisionShape.h"

#include <cmath>

namespace {

// Frame collision-entry types.
constexpr int kHurtBox = 2;
constexpr int kSpawnPoint = 4;
constexpr int kAttackBox = 5;
constexpr int kHurtAndAttackBox = 6;

constexpr int kPieceSize = 16;
constexpr uint32_t kPowerFlashColour = 0xFFFFC832u;
constexpr uint32_t kNeutralColour = 0xFFFFFFFFu;

Rect<int> Moved(Rect<int> box, Point<float> position)
{
    box.Offset(position.ToInt());
    return box;
}

void SetDrawColour(uint32_t colour)
{
    if (auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine))
        engine->SetDiffuseColor(colour);
}

} // namespace

std::vector<Rect<int>> CharacterObject::CollectBoxes(int typeA, int typeB)
{
    std::vector<Rect<int>> boxes;
    GraphicalObject* graphical = GetCurrentGraphical();
    if (graphical == nullptr || exploding)
        return boxes;
    for (int i = 0; i < graphical->GetCollisionShapeCount(); ++i) {
        auto* box = dynamic_cast<CollisionBox<int>*>(graphical->GetCollisionShape(i));
        if (box == nullptr || !graphical->IsCollisionShapeActive(i))
            continue;
        if (box->GetType() == typeA || box->GetType() == typeB)
            boxes.push_back(box->GetRect());
    }
    return boxes;
}

std::vector<Rect<int>> CharacterObject::GetHurtBoxes()
{
    return CollectBoxes(kHurtBox, kHurtAndAttackBox);
}

std::vector<Rect<int>> CharacterObject::GetAttackBoxes()
{
    std::vector<Rect<int>> boxes = CollectBoxes(kAttackBox, kHurtAndAttackBox);
    GraphicalObject* graphical = GetCurrentGraphical();
    if (wholeBodyAttacks && boxes.empty() && graphical != nullptr && !exploding) {
        const Point<int> s = graphical->GetSize();
        boxes.push_back(MakeBox(Point<int>(0, 0), s.y - 1, s.x - 1));
    }
    return boxes;
}

bool CharacterObject::DamagePlayerOnContact()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    CharacterObject* player = game ? game->GetPlayer() : nullptr;
    if (player == nullptr || dead || !player->IsAlive())
        return false;
    const std::vector<Rect<int>> hurtBoxes = player->GetHurtBoxes();
    for (const Rect<int>& attack : GetAttackBoxes()) {
        const Rect<int> a = Moved(attack, position);
        for (const Rect<int>& hurt : hurtBoxes) {
            if (BoxesOverlap(a, Moved(hurt, player->GetPosition())) && !player->IsInvulnerable()) {
                player->ApplyDamage(this, contactDamage);
                return true;
            }
        }
    }
    return false;
}

bool CharacterObject::IsHitByBox(Rect<int> box, bool /*flag*/)
{
    if (invulnerable || hitTestsOff || invulnerableFrames > 0 || exploding)
        return false;
    for (const Rect<int>& hurt : GetHurtBoxes()) {
        if (BoxesOverlap(Moved(hurt, GetPosition()), box))
            return true;
    }
    return false;
}

bool CharacterObject::IsHitByAttack(Rect<int> box, bool flag)
{
    return IsHitByBox(box, flag);
}

bool CharacterObject::AttackHitsBox(Rect<int> box)
{
    if (invulnerable || hitTestsOff)
        return false;
    for (const Rect<int>& attack : GetAttackBoxes()) {
        if (BoxesOverlap(Moved(attack, GetPosition()), box))
            return true;
    }
    return false;
}

void CharacterObject::GetLeadingEdge(Point<float>& from, Point<float>& to, Point<float> move) const
{
    const Point<float> p = GetPosition();
    const float w = static_cast<float>(GetSize().x - 1);
    const float h = static_cast<float>(GetSize().y - 1);
    if (move.x < 0.0f) {
        from.x = p.x + w;
        to.x = p.x + move.x;
    } else {
        from.x = p.x;
        to.x = p.x + move.x + w;
    }
    if (move.y < 0.0f) {
        from.y = p.y + h;
        to.y = p.y + move.y;
    } else {
        from.y = p.y;
        to.y = p.y + move.y + h;
    }
}

Rect<int> CharacterObject::GetSpawnPointBox(int n)
{
    if (currentGraphical == nullptr)
        return Rect<int>();
    for (int i = 0; i < currentGraphical->GetCollisionShapeCount(); ++i) {
        auto* box = dynamic_cast<CollisionBox<int>*>(currentGraphical->GetCollisionShape(i));
        if (box == nullptr || box->GetType() != kSpawnPoint || !currentGraphical->IsCollisionShapeActive(i))
            continue;
        if (n == 0)
            return CollisionBox<int>::GetMovedRect(box, position, currentGraphical->GetCollisionCell(i));
        --n;
    }
    return Rect<int>();
}

void CharacterObject::DrawFlashPass(SpacialInstance<GraphicalObject, float>& instance,
    DXGraphicalSurface* target, Point<int> offset, bool& result)
{
    if (!hitFlash || !(hitFlash->GetTimer() < hitFlash->GetDuration()))
        return;
    hitFlash->Update();
    instance.SetEffect(hitFlash.get());
    if (powerHit >= 1)
        SetDrawColour(kPowerFlashColour);
    if (result)
        result = instance.Draw(target, offset);
    SetDrawColour(kNeutralColour);
}

bool CharacterObject::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    bool result = true;
    GraphicalObject* graphical = GetCurrentGraphical();
    if (!(exploding && explosionPhase != 0)) {
        if (graphical == nullptr)
            return true;
        drawInstance.SetPrototype(graphical);
        const Point<float> at = GetDrawPosition();
        drawInstance.SetPosition(at.x, at.y);
        drawInstance.SetEffect(
            shockWave ? static_cast<GraphicalEffect*>(shockWave.get()) : drawingEffect.get());
        result = drawInstance.Draw(target, offset);
        DrawFlashPass(drawInstance, target, offset, result);
        drawInstance.SetEffect(nullptr);
        return result;
    }
    if (graphical == nullptr)
        return true;
    const int height = graphical->GetSize().y;
    for (size_t i = 0; i < explosionPieces.size(); ++i) {
        SpacialInstance<GraphicalObject, float>* piece = explosionPieces[i];
        if (piece == nullptr || piece->GetPrototype() == nullptr || !result)
            continue;
        const Point<float> at = GetDrawPosition() + piece->GetPosition()
            + Point<float>(0.0f, static_cast<float>(kPieceSize - height));
        SpacialInstance<GraphicalObject, float> shown(graphical, at.x, at.y);
        shown.SetEffect(shockWave.get());
        const Point<int> source = i < pieceSources.size() && pieceSources[i] != nullptr
            ? pieceSources[i]->GetPosition().ToInt()
            : Point<int>();
        shown.SetClipRect(source.x, source.y, kPieceSize, kPieceSize);
        result = shown.Draw(target, offset);
        DrawFlashPass(shown, target, offset, result);
    }
    return result;
}

void CharacterObject::DestroyExplosionPieces()
{
    for (auto* piece : explosionPieces)
        delete piece;
    for (auto* source : pieceSources)
        delete source;
    for (auto* velocity : pieceVelocities)
        delete velocity;
    explosionPieces.clear();
    pieceSources.clear();
    pieceVelocities.clear();
}

void CharacterObject::BuildExplosionPieces(GraphicalObject* g)
{
    DestroyExplosionPieces();
    if (g == nullptr)
        return;
    const Point<int> s = GetSize();
    const Point<int> half = s * 0.5f;
    const Point<int> gs = g->GetSize();
    const int count = gs.x > 0 && gs.y > 0 ? ((gs.x / kPieceSize) * gs.y) / kPieceSize : 0;
    Point<float> a(0.0f, static_cast<float>(s.y - kPieceSize));
    Point<float> b(0.0f, 0.0f);
    std::vector<int> keys;
    const float diagonal = std::sqrt(static_cast<float>(s.x * s.x + s.y * s.y));
    for (int i = 0; i < count; ++i) {
        explosionPieces.push_back(new SpacialInstance<GraphicalObject, float>(currentGraphical, a.x, a.y));
        pieceSources.push_back(new SpacialInstance<GraphicalObject, float>(currentGraphical, b.x, b.y));
        const Point<float> d = half.ToFloat() - (a + Point<float>(8.0f, 8.0f));
        const float len2 = d.x * d.x + d.y * d.y;
        keys.push_back(static_cast<int>(len2));
        const float len = std::sqrt(len2);
        const Point<float> dir = len != 0.0f ? d / len : d;
        pieceVelocities.push_back(new Point<float>(dir * ((diagonal * 0.5f - len) * -0.02f)));
        a.x += kPieceSize;
        if (static_cast<float>(s.x) < a.x + kPieceSize)
            a = Point<float>(0.0f, a.y - kPieceSize);
        b.x += kPieceSize;
        if (static_cast<float>(s.x) < b.x + kPieceSize)
            b = Point<float>(0.0f, b.y + kPieceSize);
    }
    if (explosionPieces.size() >= 2) {
        std::vector<int> pieceKeys = keys;
        std::vector<int> sourceKeys = keys;
        SortByKeys(explosionPieces, pieceKeys);
        SortByKeys(pieceSources, sourceKeys);
        SortByKeys(pieceVelocities, keys);
    }
}

Point<float> CharacterObject::GetExplosionPiecePosition(size_t i) const
{
    return i < explosionPieces.size() && explosionPieces[i] ? explosionPieces[i]->GetPosition()
                                                            : Point<float>();
}

Point<float> CharacterObject::GetExplosionPieceSource(size_t i) const
{
    return i < pieceSources.size() && pieceSources[i] ? pieceSources[i]->GetPosition() : Point<float>();
}

Point<float> CharacterObject::GetExplosionPieceVelocity(size_t i) const
{
    return i < pieceVelocities.size() && pieceVelocities[i] ? *pieceVelocities[i] : Point<float>();
}
