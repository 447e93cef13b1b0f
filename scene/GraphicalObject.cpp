#include "scene/GraphicalObject.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "engine/platform/DebugOutput.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/TypeNames.h"
#include "scene/AnimatedSprite.h"
#include "scene/ArmorReplacement.h"
#include "scene/CollisionShape.h"
#include "scene/SceneGameAccess.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"

namespace {

bool InRange(int index, size_t size)
{
    return index >= 0 && static_cast<size_t>(index) < size;
}

// Scrolls the wrap offset of a drawn sprite or animated instance: an axis
// whose mode is 0 moves by its speed (pixels per second; dt in milliseconds)
// and wraps at the object's size, fmod keeping the sign. A zero size leaves
// that axis still instead of producing a NaN.
template <class Instance> void ScrollWrap(Instance& instance, Point<int> size, double dt)
{
    Point<float> wrap = instance.GetWrapOffset();
    const Point<float> speed = instance.GetScrollSpeed();
    if (instance.GetScrollModeX() == 0 && size.x != 0)
        wrap.x = static_cast<float>(std::fmod(wrap.x + speed.x * dt * 0.001, static_cast<double>(size.x)));
    if (instance.GetScrollModeY() == 0 && size.y != 0)
        wrap.y = static_cast<float>(std::fmod(wrap.y + speed.y * dt * 0.001, static_cast<double>(size.y)));
    instance.SetWrapOffset(wrap.x, wrap.y);
}

// The render pool that uploads images on the render thread, when the render
// engine records draws for one; null when images must be acquired here.
RenderPoolManager* RecordingRenderPool()
{
    auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    if (engine == nullptr || !engine->IsRecording())
        return nullptr;
    RenderPoolManager* pool = engine->GetRenderPool();
    return pool != nullptr && pool->HasThread() ? pool : nullptr;
}

// Erases the marked elements of `list`, keeping the order of the others;
// returns for each index, and one past the end, how many marked elements
// stood before it.
template <class T> std::vector<int32_t> EraseMarked(std::vector<T>& list, const std::vector<bool>& gone)
{
    std::vector<int32_t> before(list.size() + 1, 0);
    size_t kept = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        before[i + 1] = before[i] + (gone[i] ? 1 : 0);
        if (gone[i])
            continue;
        if (kept != i)
            list[kept] = std::move(list[i]);
        ++kept;
    }
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(kept), list.end());
    return before;
}

} // namespace

// ---------------------------------------------------------------------------
// GenericSpriteIndex

bool GraphicalObject::GenericSpriteIndex::Serialize(std::ostream& os)
{
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, type);
    WriteLine(os, index);
    return true;
}

bool GraphicalObject::GenericSpriteIndex::UnSerialize(std::istream& is)
{
    int32_t newType = 0;
    int32_t newIndex = 0;
    if (!ReadIntLine(is, newType) || !ReadIntLine(is, newIndex))
        return false;
    type = newType;
    index = newIndex;
    return true;
}

// ---------------------------------------------------------------------------
// Construction and copies

GraphicalObject::GraphicalObject(std::string name_)
    : SceneObject(std::move(name_))
{
    typeName = TypeNames::GraphicalObject;
}

GraphicalObject::GraphicalObject(const GraphicalObject& other)
    : GraphicalObject(other, true)
{
}

GraphicalObject::GraphicalObject(const GraphicalObject& other, bool restartAnimations)
    : SceneObject(other)
{
    // A copy is a plain graphical object whatever it was copied from (a
    // camera blocker's clone has no blocks to write); derived copies set
    // their own type name after this.
    typeName = TypeNames::GraphicalObject;
    CopyContent(other);
    LoadSounds();
    if (restartAnimations)
        RestartAnimations(true);
    if (RecordingRenderPool() == nullptr)
        AcquireImages();
}

GraphicalObject::~GraphicalObject()
{
    // A prototype never outlives itself in the game's list of characters.
    if (SceneGameAccess* game = GetSceneGameAccess())
        game->RemoveCharacterPrototype(this);
}

void GraphicalObject::CopyContent(const GraphicalObject& other)
{
    size = other.size;
    shapesInObjectSpace = other.shapesInObjectSpace;
    spriteInstances = other.spriteInstances;
    animatedInstances = other.animatedInstances;
    drawEntries = other.drawEntries;
    replacement = other.replacement;
    replacementKind = other.replacementKind;
    extra = other.extra;
    DeleteCollisionShapes();
    for (const auto& shape : other.collisionShapes) {
        if (shape == nullptr)
            collisionShapes.push_back(nullptr);
        // Boxes and lines are copied; a shape of any other class is left out.
        else if (dynamic_cast<CollisionBox<int>*>(shape.get())
            || dynamic_cast<CollisionLine<int>*>(shape.get()))
            collisionShapes.push_back(shape->Clone());
    }
}

void GraphicalObject::Assign(const GraphicalObject& other)
{
    if (this == &other)
        return;
    SceneObject::operator=(other);
    CopyContent(other);
    slotIndex = other.slotIndex;
    LoadSounds();
    RestartAnimations(true);
}

SceneObject* GraphicalObject::Clone(bool restart)
{
    return new GraphicalObject(*this, restart);
}

std::string GraphicalObject::VersionedClassName()
{
    return std::string(TypeNames::GraphicalObject) + "V0";
}

// ---------------------------------------------------------------------------
// Records

bool GraphicalObject::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    SceneObject::Serialize(os);
    WriteLine(os, size.x);
    WriteLine(os, size.y);
    WriteLine(os, static_cast<uint32_t>(spriteInstances.size()));
    for (SpriteInstance& instance : spriteInstances)
        instance.Serialize(os);
    WriteLine(os, static_cast<uint32_t>(animatedInstances.size()));
    for (AnimatedInstance& instance : animatedInstances)
        instance.Serialize(os);
    WriteLine(os, static_cast<uint32_t>(collisionShapes.size()));
    for (const auto& shape : collisionShapes) {
        if (shape != nullptr)
            shape->Serialize(os);
        else
            WriteLine(os, kCollisionShapeNull);
    }
    WriteLine(os, "_GraphicalObject_updatetag_1.2_");
    WriteLine(os, "_GraphicalObject_updatetag_1.1_");
    WriteLine(os, static_cast<uint32_t>(drawEntries.size()));
    for (GenericSpriteIndex& entry : drawEntries)
        entry.Serialize(os);
    return true;
}

bool GraphicalObject::SerializePtr(std::ostream& os)
{
    WriteLine(os, GetVersionedClassName() + "Ptr");
    WriteLine(os, name);
    return true;
}

GraphicalObject::GraphicalRecord::GraphicalRecord() = default;
GraphicalObject::GraphicalRecord::~GraphicalRecord() = default;

bool GraphicalObject::UnSerialize(std::istream& is)
{
    GraphicalRecord record;
    if (!ReadGraphicalRecord(is, record)) {
        platform::DebugOutput(typeName + " \"" + name + "\": damaged record, the object is kept as it was\n");
        return false;
    }
    TakeGraphicalRecord(std::move(record));
    return true;
}

bool GraphicalObject::ReadGraphicalRecord(std::istream& is, GraphicalRecord& record) const
{
    // Counts come from the file: elements are read one by one and every loop
    // stops at the first element that fails (at the latest at the end of the
    // stream), so a damaged count allocates nothing.
    if (!ReadSceneObjectRecord(is, record.head))
        return false;
    if (!ReadCoordinateLine(is, record.size.x) || !ReadCoordinateLine(is, record.size.y))
        return false;

    uint32_t count = 0;
    if (!ReadUIntLine(is, count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        SpriteInstance instance;
        if (!instance.UnSerialize(is))
            return false;
        record.spriteInstances.push_back(std::move(instance));
    }

    if (!ReadUIntLine(is, count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        AnimatedInstance instance;
        if (!instance.UnSerialize(is))
            return false;
        record.animatedInstances.push_back(std::move(instance));
    }

    if (!ReadUIntLine(is, count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        // The null word stands for an absent shape, which is dropped.
        std::unique_ptr<CollisionShape<int>> shape;
        if (!ReadCollisionShapeEntry(is, shape))
            return false;
        if (shape != nullptr)
            record.collisionShapes.push_back(std::move(shape));
    }

    if (!ReadUpdateTag(is, "_GraphicalObject_updatetag_1.2_")) {
        // Older files measured boxes inside the 32 x 32 cells of the object,
        // laid over the size just read; an object whose shapes are already in
        // object space has every cell at (0, 0).
        for (size_t i = 0; i < record.collisionShapes.size(); ++i) {
            auto* box = dynamic_cast<CollisionBox<int>*>(record.collisionShapes[i].get());
            if (box == nullptr)
                continue;
            const Point<int> cell = CollisionCell(static_cast<int>(i), record.size, shapesInObjectSpace);
            const Rect<int> rect = box->GetRect();
            box->SetCornerX(0, SaturatingAdd(rect.x0, cell.x));
            box->SetCornerY(0, SaturatingAdd(rect.y0, cell.y));
            box->SetCornerX(1, SaturatingAdd(rect.x1, cell.x));
            box->SetCornerY(1, SaturatingAdd(rect.y1, cell.y));
        }
    }

    if (!ReadUpdateTag(is, "_GraphicalObject_updatetag_1.1_")) {
        // Without a drawing table every sprite instance is drawn in order.
        for (size_t i = 0; i < record.spriteInstances.size(); ++i)
            record.drawEntries.emplace_back(0, static_cast<int32_t>(i));
    } else {
        if (!ReadUIntLine(is, count))
            return false;
        for (uint32_t i = 0; i < count; ++i) {
            GenericSpriteIndex entry;
            if (!ReadExpectedLine(is, entry.GetVersionedClassName()) || !entry.UnSerialize(is))
                return false;
            record.drawEntries.push_back(entry);
        }
    }

    if (ReadUpdateTag(is, "_GraphicalObject_updatetag_1.3_")) {
        // A legacy group of five lines that nothing reads any more.
        for (int i = 0; i < 5; ++i) {
            std::string dropped;
            if (!ReadTextLine(is, dropped))
                return false;
        }
    }
    return true;
}

void GraphicalObject::TakeGraphicalRecord(GraphicalRecord&& record)
{
    TakeSceneObjectRecord(std::move(record.head));
    size = record.size;
    spriteInstances = std::move(record.spriteInstances);
    animatedInstances = std::move(record.animatedInstances);
    DeleteCollisionShapes();
    collisionShapes = std::move(record.collisionShapes);
    shapesInObjectSpace = true;
    drawEntries = std::move(record.drawEntries);
    PostUnSerialize();
    SceneGameAccess* game = GetSceneGameAccess();
    if (game != nullptr && game->IsCharacterName(name))
        game->AddCharacterPrototype(this);
}

// ---------------------------------------------------------------------------
// Frame update, init, drawing

void GraphicalObject::Update(double dt)
{
    for (const GenericSpriteIndex& entry : drawEntries) {
        if (entry.type == 0) {
            if (SpriteInstance* instance = GetSpriteInstance(entry.index))
                ScrollWrap(*instance, size, dt);
        } else if (entry.type == 1) {
            if (AnimatedInstance* instance = GetAnimatedInstance(entry.index))
                ScrollWrap(*instance, size, dt);
        }
    }
    for (AnimatedInstance& instance : animatedInstances)
        instance.Step(static_cast<float>(dt));
}

void GraphicalObject::Init()
{
    SceneObject::LoadSounds();
    SceneGameAccess* game = GetSceneGameAccess();
    if (game == nullptr)
        return;
    const struct {
        const std::vector<ArmorReplacement>& list;
        int ownKind;
        int partnerKind;
    } lists[] = {
        {ArmorReplacement::IceList(), 3, 4},
        {ArmorReplacement::IceLavaList(), 1, 2},
    };
    for (const auto& pass : lists) {
        for (const ArmorReplacement& record : pass.list) {
            if (record.GetObjectName() != name)
                continue;
            GraphicalObject* partner = game->FindGraphicalObject(record.GetReplacementName());
            if (partner == nullptr)
                continue;
            replacement = partner;
            replacementKind = pass.ownKind;
            partner->replacementKind = pass.partnerKind;
        }
    }
}

bool GraphicalObject::DrawSprite(DXGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
    int originX, int originY, int clipWidth, int clipHeight)
{
    if (g_RenderEngine == nullptr)
        return false;
    return g_RenderEngine->DrawGraphicalObject(GetObjectDrawEntries(), GetSize(), target, x, y, p5, p6,
        rotation, Point<int>(originX, originY), Point<int>(clipWidth, clipHeight));
}

std::vector<ObjectDrawEntry> GraphicalObject::GetObjectDrawEntries()
{
    std::vector<ObjectDrawEntry> entries;
    entries.reserve(drawEntries.size());
    for (const GenericSpriteIndex& index : drawEntries) {
        ObjectDrawEntry entry;
        if (index.type == 0) {
            SpriteInstance* instance = GetSpriteInstance(index.index);
            entry.missing = instance == nullptr;
            if (instance) {
                entry.sprite = instance->GetPrototype();
                entry.offset = instance->GetPosition();
                entry.rotation = instance->GetAngle();
                entry.mirrored = instance->IsMirrored();
                entry.wrapOffset = instance->GetWrapOffset();
            }
        } else if (index.type == 1) {
            AnimatedInstance* instance = GetAnimatedInstance(index.index);
            entry.missing = instance == nullptr;
            if (instance) {
                entry.sprite = instance->GetCurrentFrameSprite();
                entry.offset = instance->GetPosition();
                entry.rotation = instance->GetAngle() + instance->GetCurrentFrameRotation();
                entry.mirrored = instance->IsMirrored();
                entry.wrapOffset = instance->GetWrapOffset();
            }
        } else {
            continue;
        }
        entries.push_back(entry);
        // Nothing after a missing instance is drawn.
        if (entry.missing)
            break;
    }
    return entries;
}

void GraphicalObject::DeleteCollisionShapes()
{
    collisionShapes.clear();
}

// ---------------------------------------------------------------------------
// Sprites

GraphicalObject::SpriteInstance* GraphicalObject::AddSpriteInstance(Sprite* sprite, int x, int y)
{
    if (sprite == nullptr)
        return nullptr;
    spriteInstances.emplace_back(sprite, x, y);
    return &spriteInstances.back();
}

GraphicalObject::AnimatedInstance* GraphicalObject::AddAnimatedInstance(AnimatedSprite* sprite, int x, int y)
{
    if (sprite == nullptr)
        return nullptr;
    animatedInstances.emplace_back(sprite, x, y);
    return &animatedInstances.back();
}

int GraphicalObject::GetSpriteInstanceCount() const
{
    return static_cast<int>(spriteInstances.size());
}

int GraphicalObject::GetAnimatedInstanceCount() const
{
    return static_cast<int>(animatedInstances.size());
}

GraphicalObject::SpriteInstance* GraphicalObject::GetSpriteInstance(int index)
{
    return InRange(index, spriteInstances.size()) ? &spriteInstances[static_cast<size_t>(index)] : nullptr;
}

GraphicalObject::AnimatedInstance* GraphicalObject::GetAnimatedInstance(int index)
{
    return InRange(index, animatedInstances.size()) ? &animatedInstances[static_cast<size_t>(index)]
                                                    : nullptr;
}

Sprite* GraphicalObject::GetFirstSprite()
{
    return spriteInstances.empty() ? nullptr : spriteInstances.front().GetPrototype();
}

Sprite* GraphicalObject::FindSpriteByName(const std::string& spriteName)
{
    for (SpriteInstance& instance : spriteInstances) {
        Sprite* sprite = instance.GetPrototype();
        if (sprite != nullptr && sprite->GetName() == spriteName)
            return sprite;
    }
    return nullptr;
}

void GraphicalObject::SwapSpriteInstances(int i, int j)
{
    if (InRange(i, spriteInstances.size()) && InRange(j, spriteInstances.size()))
        std::swap(spriteInstances[static_cast<size_t>(i)], spriteInstances[static_cast<size_t>(j)]);
}

void GraphicalObject::SwapAnimatedInstances(int i, int j)
{
    if (InRange(i, animatedInstances.size()) && InRange(j, animatedInstances.size()))
        std::swap(animatedInstances[static_cast<size_t>(i)], animatedInstances[static_cast<size_t>(j)]);
}

// ---------------------------------------------------------------------------
// Drawing table

void GraphicalObject::AddGenericSpriteIndex(ISprite* sprite, int index)
{
    if (sprite == nullptr)
        return;
    const std::string kind = sprite->GetClassName();
    if (kind == "Sprite")
        drawEntries.emplace_back(0, index);
    else if (kind == "AnimatedSprite")
        drawEntries.emplace_back(1, index);
}

GraphicalObject::GenericSpriteIndex* GraphicalObject::GetGenericSpriteIndex(int i)
{
    return InRange(i, drawEntries.size()) ? &drawEntries[static_cast<size_t>(i)] : nullptr;
}

ISerialization* GraphicalObject::GetGenericSprite(int i)
{
    const GenericSpriteIndex* entry = GetGenericSpriteIndex(i);
    if (entry == nullptr)
        return nullptr;
    if (entry->type == 0)
        return GetSpriteInstance(entry->index);
    if (entry->type == 1)
        return GetAnimatedInstance(entry->index);
    return nullptr;
}

void GraphicalObject::RemoveGenericSprite(int i)
{
    if (!InRange(i, drawEntries.size()))
        return;
    const GenericSpriteIndex removed = drawEntries[static_cast<size_t>(i)];
    if (removed.type == 0 && InRange(removed.index, spriteInstances.size()))
        spriteInstances.erase(spriteInstances.begin() + removed.index);
    else if (removed.type == 1 && InRange(removed.index, animatedInstances.size()))
        animatedInstances.erase(animatedInstances.begin() + removed.index);
    for (GenericSpriteIndex& entry : drawEntries) {
        if (entry.type == removed.type && entry.index > removed.index)
            --entry.index;
    }
    drawEntries.erase(drawEntries.begin() + i);
}

void GraphicalObject::RemoveGenericSpritesFrom(int first)
{
    const size_t from = static_cast<size_t>(std::max(first, 0));
    if (from >= drawEntries.size())
        return;
    std::vector<bool> spriteGone(spriteInstances.size());
    std::vector<bool> animatedGone(animatedInstances.size());
    for (size_t i = from; i < drawEntries.size(); ++i) {
        const GenericSpriteIndex& entry = drawEntries[i];
        if (entry.type == 0 && InRange(entry.index, spriteInstances.size()))
            spriteGone[static_cast<size_t>(entry.index)] = true;
        else if (entry.type == 1 && InRange(entry.index, animatedInstances.size()))
            animatedGone[static_cast<size_t>(entry.index)] = true;
    }
    drawEntries.resize(from);
    const std::vector<int32_t> spriteBefore = EraseMarked(spriteInstances, spriteGone);
    const std::vector<int32_t> animatedBefore = EraseMarked(animatedInstances, animatedGone);
    // An index past the list moves down by every instance removed, as it
    // does when they go one at a time.
    for (GenericSpriteIndex& entry : drawEntries) {
        const std::vector<int32_t>* before = entry.type == 0 ? &spriteBefore
            : entry.type == 1                                ? &animatedBefore
                                                             : nullptr;
        if (before != nullptr && entry.index >= 0)
            entry.index -= (*before)[std::min(static_cast<size_t>(entry.index), before->size() - 1)];
    }
}

// ---------------------------------------------------------------------------
// Collision shapes

CollisionShape<int>* GraphicalObject::GetCollisionShape(int i)
{
    return InRange(i, collisionShapes.size()) ? collisionShapes[static_cast<size_t>(i)].get() : nullptr;
}

std::unique_ptr<CollisionShape<int>>& GraphicalObject::CollisionShapeAt(int i)
{
    const size_t at = i < 0 ? 0 : static_cast<size_t>(i);
    if (at >= collisionShapes.size())
        collisionShapes.resize(at + 1);
    return collisionShapes[at];
}

CollisionShape<int>* GraphicalObject::GetFirstCollisionShape()
{
    for (const auto& shape : collisionShapes) {
        if (shape != nullptr)
            return shape.get();
    }
    return nullptr;
}

Rect<int> GraphicalObject::GetCollisionRect()
{
    if (auto* box = dynamic_cast<CollisionBox<int>*>(GetCollisionShape(0)))
        return box->GetRect();
    return Rect<int>(0, 0, 0, 0);
}

CollisionBox<int>* GraphicalObject::FindCollisionBoxOfType3()
{
    for (const auto& shape : collisionShapes) {
        auto* box = dynamic_cast<CollisionBox<int>*>(shape.get());
        if (box != nullptr && box->GetType() == 3)
            return box;
    }
    return nullptr;
}

void GraphicalObject::RemoveCollisionShape(int i)
{
    if (InRange(i, collisionShapes.size()))
        collisionShapes.erase(collisionShapes.begin() + i);
}

bool GraphicalObject::IsCollisionShapeActive(int i)
{
    CollisionShape<int>* shape = GetCollisionShape(i);
    if (shape == nullptr)
        return false;
    return shape->GetFrame() == -1 || shape->GetFrame() == GetAnimationFrame();
}

Point<int> GraphicalObject::GetCollisionCell(int i) const
{
    return CollisionCell(i, size, shapesInObjectSpace);
}

Point<int> GraphicalObject::CollisionCell(int i, Point<int> size, bool inObjectSpace)
{
    if (inObjectSpace)
        return {0, 0};
    // Cells of 32 x 32 fill the object row by row from the top; an object
    // narrower than one cell has a single column.
    const int columns = size.x / 32 > 0 ? size.x / 32 : 1;
    const long long top = static_cast<long long>(size.y) - (static_cast<long long>(i / columns) + 1) * 32;
    return {(i % columns) * 32, static_cast<int>(std::max<long long>(top, -2147483647LL - 1))};
}

Point<int> GraphicalObject::GetCollisionShapeCell(const CollisionShape<int>* shape) const
{
    for (size_t i = 0; i < collisionShapes.size(); ++i) {
        if (collisionShapes[i].get() == shape)
            return GetCollisionCell(static_cast<int>(i));
    }
    return {0, 0};
}

// ---------------------------------------------------------------------------
// Animation

void GraphicalObject::RestartAnimations(bool skipFirstStep)
{
    for (AnimatedInstance& instance : animatedInstances) {
        instance.Play(skipFirstStep);
        instance.SetWrapOffset(0.0f, 0.0f);
    }
    for (SpriteInstance& instance : spriteInstances)
        instance.SetWrapOffset(0.0f, 0.0f);
}

void GraphicalObject::StopAnimations()
{
    for (AnimatedInstance& instance : animatedInstances)
        instance.Stop();
}

int GraphicalObject::GetAnimationFrame()
{
    return animatedInstances.empty() ? -1 : animatedInstances.front().GetFrame();
}

int GraphicalObject::GetFirstAnimationFrame()
{
    if (animatedInstances.empty() || animatedInstances.front().GetPrototype() == nullptr)
        return 0;
    return animatedInstances.front().GetFrame();
}

float GraphicalObject::GetAnimationProgress()
{
    if (animatedInstances.empty())
        return 0.0f;
    AnimatedInstance& instance = animatedInstances.front();
    const AnimatedSprite* sprite = instance.GetPrototype();
    if (sprite == nullptr)
        return 0.0f;
    const float total = sprite->TotalDuration(-1);
    // An animation without duration, or an instance on no frame, has no
    // progress to report.
    if (total <= 0.0f || instance.GetFrame() < 0)
        return 0.0f;
    const float elapsed = sprite->TotalDuration(instance.GetFrame()) + static_cast<float>(instance.GetTime());
    return elapsed / total;
}

void GraphicalObject::SetAnimationFrame(int frame)
{
    for (AnimatedInstance& instance : animatedInstances)
        instance.SetFrame(frame);
}

void GraphicalObject::SetAnimationProgress(float t)
{
    for (AnimatedInstance& instance : animatedInstances) {
        const AnimatedSprite* sprite = instance.GetPrototype();
        if (sprite == nullptr || sprite->GetFrameCount() == 0)
            continue;
        // A negative progress would name no frame.
        const int frame = SaturateToInt(static_cast<float>(sprite->GetFrameCount() - 1) * t);
        instance.SetFrame(std::max(frame, 0));
    }
}

bool GraphicalObject::HasNonLoopingAnimation()
{
    for (AnimatedInstance& instance : animatedInstances) {
        const AnimatedSprite* sprite = instance.GetPrototype();
        if (sprite != nullptr && sprite->GetLoopStart() == -1)
            return true;
    }
    return false;
}

bool GraphicalObject::IsAnimationFinished()
{
    for (AnimatedInstance& instance : animatedInstances) {
        const AnimatedSprite* sprite = instance.GetPrototype();
        if ((sprite != nullptr && sprite->GetLoopStart() != -1) || instance.IsPlaying())
            return false;
    }
    return true;
}

void GraphicalObject::SetSize(int width, int height, bool inObjectSpace)
{
    size = {width, height};
    shapesInObjectSpace = inObjectSpace;
}

// ---------------------------------------------------------------------------
// Images

void GraphicalObject::AcquireImages()
{
    for (const GenericSpriteIndex& entry : drawEntries) {
        if (entry.type == 0) {
            if (SpriteInstance* instance = GetSpriteInstance(entry.index)) {
                if (Sprite* sprite = instance->GetPrototype())
                    sprite->GetImage();
            }
        } else if (entry.type == 1) {
            if (AnimatedInstance* instance = GetAnimatedInstance(entry.index)) {
                if (AnimatedSprite* sprite = instance->GetPrototype())
                    sprite->AcquireImages();
            }
        }
    }
}

void GraphicalObject::QueueImages(RenderPoolManager& pool, GraphicalObject* object)
{
    if (!pool.HasThread() || object == nullptr)
        return;
    for (const GenericSpriteIndex& entry : object->GetDrawEntries()) {
        if (entry.type == 0) {
            SpriteInstance* instance = object->GetSpriteInstance(entry.index);
            if (instance && instance->GetPrototype())
                pool.QueueSpriteImage(instance->GetPrototype());
        } else if (entry.type == 1) {
            AnimatedInstance* instance = object->GetAnimatedInstance(entry.index);
            AnimatedSprite* animation = instance ? instance->GetPrototype() : nullptr;
            if (!animation)
                continue;
            for (int frame = 0; frame < animation->GetFrameCount(); ++frame)
                if (Sprite* sprite = animation->GetFrame(frame))
                    pool.QueueSpriteImage(sprite);
        }
    }
}

void GraphicalObject::LoadImages(GraphicalObject* object, bool now)
{
    if (object == nullptr)
        return;
    // Recording for the render thread: the images are uploaded there, in the
    // render pool's image pass.
    if (!now) {
        if (RenderPoolManager* pool = RecordingRenderPool()) {
            QueueImages(*pool, object);
            return;
        }
    }
    object->AcquireImages();
}
