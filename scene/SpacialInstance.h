#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/Point.h"
#include "engine/serial/ReaderContext.h"
#include "scene/InstanceEffectScope.h"
#include "scene/InstanceTrail.h"
#include "scene/PayloadFactory.h"
#include "scene/SceneObjectInstance.h"
#include "scene/SpriteReferences.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class b2Body;
class DXGraphicalSurface;
class GraphicalEffect;
class GraphicalObject;
class Level;
class Sprite;
class AnimatedSprite;
template <class T, class C> class SpacialInstance;

// Box2D bodies of a placed instance live in its level's collision world.
// True when the level has a world to hold them.
bool LevelHasCollisionWorld(Level* level);
// Destroys in the level's world the bodies that are still its own and stand
// for owner (nothing without a world).
void DestroyBodiesInLevel(Level* level, std::vector<b2Body*>& bodies, const void* owner);
// A payload written while its save index is still -1 takes the level's next
// index (nothing without a level).
void AssignSaveIndex(Level* level, SceneObjectInstance* payload);
// Points the records of the bodies at the instance's new address.
void RebindBodiesInLevel(
    Level* level, const std::vector<b2Body*>& bodies, SpacialInstance<GraphicalObject, float>* instance);

// A zone payload carries its own size: true and the size for one.
bool GetZonePayloadSize(const SceneObjectInstance* payload, Point<int>& size);
// A zone draws each of its placed instances from the instance's own data (no
// trail is recorded; drawn holds the zone's draw result). A zone object with
// a payload that is not a zone's (a point) draws nothing, its trail still
// steps; any other object is drawn as itself.
enum class ZoneDraw { kNotAZone, kDrawn, kNothing };
ZoneDraw DrawZoneInstance(GraphicalObject* object, SceneObjectInstance* payload, GraphicalEffect* effect,
    DXGraphicalSurface* target, Point<int> at, float angle, Point<int> clipOrigin, Point<int> clipSize,
    bool& drawn);

// Finds the prototype a reference record names (its name line has been
// read): a graphical object through the level and the game's tables, a sprite
// or an animated sprite through the game's tables. Null when none bears the name.
template <class T> struct SpacialPrototype {
    static T* Find(const std::string& name, Level* level)
    {
        return dynamic_cast<T*>(T::FindReference(name, level));
    }
};
template <> struct SpacialPrototype<Sprite> {
    static Sprite* Find(const std::string& name, Level*) { return FindLibrarySprite(name); }
};
template <> struct SpacialPrototype<AnimatedSprite> {
    static AnimatedSprite* Find(const std::string& name, Level*) { return FindLibraryAnimatedSprite(name); }
};

// A prototype placed somewhere: a graphical object in a layer of a level
// (float positions, in level coordinates growing upward; the position is the
// lower-left corner), or a sprite or animated sprite inside a graphical
// object (int offsets). The prototype is shared; the instance carries what
// differs per placement.
//
// Ownership: the payload belongs to the instance (unless the class-wide
// keepPayloads switch is set when it is destroyed); the prototype only when
// `owned` is set; the bodies are destroyed in the level's world with the
// instance. A copy is a new placement of the same prototype with the same
// drawing parameters: it takes no payload, no ownership of the prototype and
// no bodies. A move hands all of them over, so containers may relocate
// instances freely.
template <class T, class C> class SpacialInstance : public ISerialization {
public:
    SpacialInstance() = default;
    SpacialInstance(T* prototype, C x, C y)
        : object(prototype)
        , position(x, y)
    {
    }

    SpacialInstance(const SpacialInstance& other)
        : ISerialization(other)
        , trail(other.trail)
    {
        CopyPlacement(other);
    }
    SpacialInstance& operator=(const SpacialInstance& other)
    {
        if (this != &other) {
            Release();
            ISerialization::operator=(other);
            CopyPlacement(other);
            trail = other.trail;
        }
        return *this;
    }
    SpacialInstance(SpacialInstance&& other) noexcept
        : ISerialization(other)
    {
        Take(std::move(other));
    }
    SpacialInstance& operator=(SpacialInstance&& other) noexcept
    {
        if (this != &other) {
            Release();
            ISerialization::operator=(other);
            Take(std::move(other));
        }
        return *this;
    }

    ~SpacialInstance() override { Release(); }

    // Writes the record; the instance must have its prototype.
    bool Serialize(std::ostream& os) override;
    // Reads the record; the caller sets the level first (names are resolved
    // through it).
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "SpacialInstanceV0"; }

    // Replays the after-images into the current frame; true.
    virtual bool QueueRender(DXGraphicalSurface* target, const Point<int>& camera);
    // Draws the instance for the view whose upper-left corner (in level
    // coordinates) is camera, then advances the trail. True when invisible.
    virtual bool Draw(DXGraphicalSurface* target, const Point<int>& camera);

    // Reads the payload part of the record: "NULL", or a payload class key
    // followed by its record.
    bool CreatePayload(std::istream& is);
    // The same into `read` (left null for "NULL"); the instance is untouched.
    static bool ReadPayload(std::istream& is, std::unique_ptr<SceneObjectInstance>& read);

    // The zone's size for a zone payload, else the prototype's; (0, 0) without one.
    Point<int> GetSize() const;

    void AddCollisionBody(b2Body* body)
    {
        if (body != nullptr && LevelHasCollisionWorld(level))
            collisionBodies.push_back(body);
    }
    void DestroyCollisionBodies() { DestroyBodiesInLevel(level, collisionBodies, this); }
    const std::vector<b2Body*>& GetCollisionBodies() const { return collisionBodies; }

    // While set, destroying an instance of this form leaves its payload alone
    // (the caller has taken it over).
    static void SetKeepPayloads(bool keep) { keepPayloads = keep; }
    static bool GetKeepPayloads() { return keepPayloads; }

    void SetTrailLength(int32_t count) { trail.SetLength(count); }
    void SetTrailSpacing(int32_t spacing) { trail.SetSpacing(spacing); }
    void ClearTrail()
    {
        if (trail.GetLength() != 0)
            trail.SetLength(0);
    }
    const InstanceTrail& GetTrail() const { return trail; }

    T* GetPrototype() const { return object; }
    void SetPrototype(T* prototype) { object = prototype; }
    Point<C>& GetPositionRef() { return position; }
    Point<C> GetPosition() const { return position; }
    void SetPosition(C x, C y) { position = Point<C>(x, y); }
    float GetAngle() const { return angle; }
    void SetAngle(float a) { angle = a; }
    bool IsVisible() const { return visible; }
    void SetVisible(bool v) { visible = v; }
    bool IsOwned() const { return owned; }
    void SetOwned(bool o) { owned = o; }
    bool IsMirrored() const { return mirrored; }
    void SetMirrored(bool m) { mirrored = m; }

    SceneObjectInstance* GetPayload() const { return payload.get(); }
    void SetPayload(std::unique_ptr<SceneObjectInstance> p) { payload = std::move(p); }
    std::unique_ptr<SceneObjectInstance> TakePayload() { return std::move(payload); }

    Level* GetLevel() const { return level; }
    void SetLevel(Level* l) { level = l; }
    GraphicalEffect* GetEffect() const { return effect; }
    void SetEffect(GraphicalEffect* e) { effect = e; }

    int32_t GetScrollModeX() const { return scrollModeX; }
    int32_t GetScrollModeY() const { return scrollModeY; }
    void SetScrollMode(int32_t x, int32_t y)
    {
        scrollModeX = x;
        scrollModeY = y;
    }
    Point<float> GetScrollSpeed() const { return scrollSpeed; }
    void SetScrollSpeed(float x, float y) { scrollSpeed = Point<float>(x, y); }
    Point<float> GetWrapOffset() const { return wrapOffset; }
    void SetWrapOffset(float x, float y) { wrapOffset = Point<float>(x, y); }

    // Sub-rectangle of the prototype to draw (x, y, width, height); a width
    // or height of 0 draws the whole prototype.
    void SetClipRect(int32_t x, int32_t y, int32_t width, int32_t height)
    {
        clipOrigin = Point<int>(x, y);
        clipSize = Point<int>(width, height);
    }
    Point<int> GetClipOrigin() const { return clipOrigin; }
    Point<int> GetClipSize() const { return clipSize; }

    // Upper-left corner on screen of the last draw.
    Point<int> GetScreenPosition() const { return screenPosition; }

    int32_t GetAuxIndex() const { return auxIndex; }
    void SetAuxIndex(int32_t index) { auxIndex = index; }

protected:
    // Draws the prototype with its upper-left corner at screenPosition.
    bool DrawPrototype(DXGraphicalSurface* target);
    // Sets screenPosition for a drawing `height` pixels high whose lower-left
    // corner is the position, in the view whose upper-left corner (level
    // coordinates) is camera: level y grows upward, screen y downward.
    void PlaceOnScreen(const Point<int>& camera, int height)
    {
        // Saturating: a position set far off by code pins at the int range
        // instead of overflowing.
        const auto whole = [](C value) {
            if constexpr (std::is_same_v<C, float>)
                return SaturateToInt(value);
            else
                return static_cast<int>(value);
        };
        screenPosition = Point<int>(SaturatingSub(whole(position.x), camera.x),
            SaturatingSub(camera.y, SaturatingAdd(whole(position.y), height)));
    }

    T* object = nullptr;
    std::unique_ptr<SceneObjectInstance> payload;
    Point<C> position;
    float angle = 0.0f;
    bool visible = true;
    bool owned = false;
    std::vector<b2Body*> collisionBodies;
    Point<int> screenPosition;
    GraphicalEffect* effect = nullptr;
    Level* level = nullptr;
    bool mirrored = false;
    int32_t scrollModeX = -1;
    int32_t scrollModeY = -1;
    Point<float> scrollSpeed;
    Point<float> wrapOffset;
    Point<int> clipOrigin;
    Point<int> clipSize;
    int32_t auxIndex = -1;
    InstanceTrail trail;

private:
    static inline bool keepPayloads = false;

    void CopyPlacement(const SpacialInstance& other)
    {
        object = other.object;
        position = other.position;
        angle = other.angle;
        visible = other.visible;
        screenPosition = other.screenPosition;
        effect = other.effect;
        level = other.level;
        mirrored = other.mirrored;
        scrollModeX = other.scrollModeX;
        scrollModeY = other.scrollModeY;
        scrollSpeed = other.scrollSpeed;
        wrapOffset = other.wrapOffset;
        clipOrigin = other.clipOrigin;
        clipSize = other.clipSize;
        auxIndex = other.auxIndex;
    }

    void Take(SpacialInstance&& other)
    {
        CopyPlacement(other);
        payload = std::move(other.payload);
        owned = std::exchange(other.owned, false);
        collisionBodies = std::move(other.collisionBodies);
        other.collisionBodies.clear();
        // The bodies' records name the instance: follow it to its new place.
        if constexpr (std::is_same_v<T, GraphicalObject> && std::is_same_v<C, float>)
            RebindBodiesInLevel(level, collisionBodies, this);
        trail = std::move(other.trail);
    }

    // Destruction order: payload, owned prototype, bodies, trail.
    void Release()
    {
        if (keepPayloads)
            (void)payload.release();
        payload.reset();
        if (owned)
            delete object;
        owned = false;
        DestroyCollisionBodies();
        collisionBodies.clear();
        trail.SetLength(0);
    }
};

// A placed animated sprite with the playing state of its animation.
template <class C> class AnimatedSpriteSpacialInstance : public SpacialInstance<AnimatedSprite, C> {
public:
    AnimatedSpriteSpacialInstance() = default;
    AnimatedSpriteSpacialInstance(AnimatedSprite* sprite, C x, C y)
        : SpacialInstance<AnimatedSprite, C>(sprite, x, y)
    {
    }

    // Draws the current frame's sprite; no effect and no trail.
    bool Draw(DXGraphicalSurface* target, const Point<int>& camera) override;

    // Advances the animation by dt milliseconds while playing.
    virtual void Step(float dt);
    // Lowered to the last frame when larger; nothing without an animated sprite.
    virtual void SetFrame(int32_t f);
    virtual bool IsPlaying() const { return playing; }
    // The current frame's sprite; null past the last frame.
    virtual Sprite* GetCurrentFrameSprite() const;
    // The current frame's rotation; 0 past the end of the table.
    virtual float GetCurrentFrameRotation() const;
    virtual int32_t GetFrame() const { return frame; }
    virtual bool IsReversed() const { return reversed; }
    virtual double GetTime() const { return time; }
    // Restarts from frame 0; with skipFirstStep the next step only clears it.
    virtual void Play(bool skipFirstStep)
    {
        frame = 0;
        time = 0.0;
        reversed = false;
        playing = true;
        skipNextStep = skipFirstStep;
    }
    virtual void Stop() { playing = false; }

private:
    // Sprite named through C, so that its members are looked up where the
    // template is used (Sprite is only declared here) for the frame's draw.
    using FrameSprite = std::conditional_t<sizeof(C) != 0, Sprite, void>;

    int32_t frame = 0;
    double time = 0.0;
    bool reversed = false;
    bool skipNextStep = false;
    bool playing = true;
};

// ---------------------------------------------------------------- record

namespace spacial_detail {

inline constexpr std::string_view kTagAngle = "_SpacialInstance_updatetag_1.0_";
inline constexpr std::string_view kTagPayload = "_SpacialInstance_updatetag_1.1_";
inline constexpr std::string_view kTagVisible = "_SpacialInstance_updatetag_1.2_";
inline constexpr std::string_view kTagMirrored = "_SpacialInstance_updatetag_1.3_";
inline constexpr std::string_view kTagScroll = "_SpacialInstance_updatetag_1.4_";

// A reference line names the prototype's class: "SpriteV0Ptr",
// "GraphicalObjectV0Ptr", "CameraBlockerV0Ptr"...
inline bool IsReferenceLine(std::string_view line)
{
    constexpr std::string_view kEnd = "V0Ptr";
    return line.size() > kEnd.size() && line.substr(line.size() - kEnd.size()) == kEnd;
}

} // namespace spacial_detail

template <class T, class C> bool SpacialInstance<T, C>::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    if (object == nullptr)
        return false;
    using namespace spacial_detail;
    object->SerializePtr(os);
    WriteLine(os, position.x);
    WriteLine(os, position.y);
    WriteLine(os, kTagAngle);
    WriteLine(os, angle);
    WriteLine(os, kTagPayload);
    if (payload) {
        AssignSaveIndex(level, payload.get());
        payload->Serialize(os);
    } else
        WriteLine(os, std::string_view("NULL"));
    WriteLine(os, kTagVisible);
    WriteLine(os, visible);
    WriteLine(os, kTagMirrored);
    WriteLine(os, mirrored);
    WriteLine(os, kTagScroll);
    WriteLine(os, scrollModeX);
    WriteLine(os, scrollModeY);
    WriteLine(os, scrollSpeed.x);
    WriteLine(os, scrollSpeed.y);
    WriteLine(os, wrapOffset.x);
    WriteLine(os, wrapOffset.y);
    return true;
}

template <class T, class C> bool SpacialInstance<T, C>::UnSerialize(std::istream& is)
{
    using namespace spacial_detail;
    // Every field is read into a local and taken only when the whole record
    // was read: a damaged record leaves the instance as it was, prototype
    // included. A group whose marker is absent keeps the instance's value.
    // The reference line is read and ignored: the name alone finds the
    // prototype. One that does not name a class reference is said.
    std::string referenceClass;
    ReadStringLine(is, referenceClass);
    if (!IsReferenceLine(referenceClass) && !is.fail())
        LenientRead(is).Skipped("the reference line " + QuoteFound(referenceClass));
    std::string prototypeName;
    if (!ReadTextLine(is, prototypeName))
        return false;
    T* found = SpacialPrototype<T>::Find(prototypeName, level);
    if (found == nullptr)
        return ReadError(is,
            "the name of a known "
                + (IsReferenceLine(referenceClass) ? referenceClass.substr(0, referenceClass.size() - 5)
                                                   : std::string("prototype")),
            QuoteFound(prototypeName));

    Point<C> newPosition;
    float newAngle = angle;
    std::unique_ptr<SceneObjectInstance> newPayload;
    bool newVisible = visible;
    bool newMirrored = mirrored;
    int32_t newModeX = scrollModeX;
    int32_t newModeY = scrollModeY;
    Point<float> newSpeed = scrollSpeed;
    Point<float> newWrap = wrapOffset;
    bool ok = ReadCoordinateLine(is, newPosition.x) && ReadCoordinateLine(is, newPosition.y);
    if (ok && ReadUpdateTag(is, kTagAngle))
        ok = ReadFloatLine(is, newAngle);
    if (ok && ReadUpdateTag(is, kTagPayload))
        ok = ReadPayload(is, newPayload);
    // The two flags and the two scroll modes do not count: one that does not
    // read keeps its value. The four scroll floats must all read.
    auto readUncounted = [&is](auto read, std::string_view what) {
        const LenientRead lenient(is);
        if (!read())
            lenient.Skipped(what);
    };
    if (ok && ReadUpdateTag(is, kTagVisible))
        readUncounted([&] { return ReadBoolLine(is, newVisible); }, "the visible flag");
    if (ok && ReadUpdateTag(is, kTagMirrored))
        readUncounted([&] { return ReadBoolLine(is, newMirrored); }, "the mirrored flag");
    if (ok && ReadUpdateTag(is, kTagScroll)) {
        readUncounted([&] { return ReadIntLine(is, newModeX); }, "the horizontal scroll mode");
        readUncounted([&] { return ReadIntLine(is, newModeY); }, "the vertical scroll mode");
        ok = ReadCoordinateLine(is, newSpeed.x) && ReadCoordinateLine(is, newSpeed.y)
            && ReadCoordinateLine(is, newWrap.x) && ReadCoordinateLine(is, newWrap.y);
    }
    if (!ok)
        return false;

    if (found != object) {
        // A prototype the instance owned goes with the placement it made.
        if (owned)
            delete object;
        owned = false;
        object = found;
    }
    position = newPosition;
    angle = newAngle;
    if (newPayload)
        payload = std::move(newPayload);
    visible = newVisible;
    mirrored = newMirrored;
    scrollModeX = newModeX;
    scrollModeY = newModeY;
    scrollSpeed = newSpeed;
    wrapOffset = newWrap;
    return true;
}

template <class T, class C> bool SpacialInstance<T, C>::CreatePayload(std::istream& is)
{
    std::unique_ptr<SceneObjectInstance> created;
    if (!ReadPayload(is, created))
        return false;
    if (created)
        payload = std::move(created);
    return true;
}

template <class T, class C>
bool SpacialInstance<T, C>::ReadPayload(std::istream& is, std::unique_ptr<SceneObjectInstance>& read)
{
    std::string key;
    if (!ReadTextLine(is, key))
        return false;
    if (key == "NULL")
        return true;
    if (!IsPayloadKey(key))
        return ReadError(is, "a payload class name or \"NULL\"", QuoteFound(key));
    read = CreatePayloadByKey(key, is);
    if (!read)
        return ReadError(is, "a payload record this program can read", QuoteFound(key));
    return true;
}

template <class T, class C> Point<int> SpacialInstance<T, C>::GetSize() const
{
    if (object == nullptr)
        return Point<int>();
    if constexpr (std::is_same_v<T, GraphicalObject>) {
        Point<int> zoneSize;
        if (GetZonePayloadSize(payload.get(), zoneSize))
            return zoneSize;
    }
    return object->GetSize();
}

// ---------------------------------------------------------------- drawing

template <class T, class C>
bool SpacialInstance<T, C>::QueueRender(DXGraphicalSurface* /*target*/, const Point<int>& /*camera*/)
{
    return trail.Replay();
}

template <class T, class C> bool SpacialInstance<T, C>::DrawPrototype(DXGraphicalSurface* target)
{
    if constexpr (std::is_same_v<T, GraphicalObject>)
        return object->DrawSprite(target, screenPosition.x, screenPosition.y, 1.0f, 1.0f, angle, clipOrigin.x,
            clipOrigin.y, clipSize.x, clipSize.y);
    else
        return object->Draw(target, screenPosition.x, screenPosition.y, 1.0f, 1.0f, angle, clipOrigin.x,
            clipOrigin.y, clipSize.x, clipSize.y);
}

template <class T, class C>
bool SpacialInstance<T, C>::Draw(DXGraphicalSurface* target, const Point<int>& camera)
{
    if (!visible)
        return true; // the trail neither replays nor advances
    if (trail.GetLength() > 0)
        QueueRender(target, camera); // after-images lie behind this frame's drawing
    const size_t first = trail.BeginRecord();
    bool result = false;
    if (object != nullptr) {
        // The object's size, even when a zone payload has its own.
        PlaceOnScreen(camera, object->GetSize().y);
        if constexpr (std::is_same_v<T, GraphicalObject>) {
            bool drawn = false;
            const ZoneDraw zone = payload ? DrawZoneInstance(object, payload.get(), effect, target,
                                      screenPosition, angle, clipOrigin, clipSize, drawn)
                                          : ZoneDraw::kNotAZone;
            if (zone == ZoneDraw::kDrawn)
                return drawn;
            if (zone == ZoneDraw::kNothing) {
                trail.Record(first);
                return false;
            }
        }
        InstanceEffectScope scope(effect);
        result = DrawPrototype(target);
    }
    trail.Record(first);
    return result;
}

// ---------------------------------------------------------------- animation

template <class C>
bool AnimatedSpriteSpacialInstance<C>::Draw(DXGraphicalSurface* target, const Point<int>& camera)
{
    FrameSprite* sprite = GetCurrentFrameSprite();
    if (sprite == nullptr)
        return false;
    this->PlaceOnScreen(camera, this->object->GetSize().y);
    return sprite->Draw(target, this->screenPosition.x, this->screenPosition.y, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0);
}

template <class C> void AnimatedSpriteSpacialInstance<C>::Step(float dt)
{
    if (!playing)
        return;
    if (skipNextStep) {
        skipNextStep = false;
        return;
    }
    if (this->object == nullptr)
        return;
    frame = this->object->AdvanceFrame(frame, &time, &reversed, &playing, static_cast<double>(dt));
}

template <class C> void AnimatedSpriteSpacialInstance<C>::SetFrame(int32_t f)
{
    if (this->object == nullptr)
        return;
    const int32_t last = static_cast<int32_t>(this->object->GetFrameCount()) - 1;
    frame = f > last ? last : f;
}

template <class C> Sprite* AnimatedSpriteSpacialInstance<C>::GetCurrentFrameSprite() const
{
    if (this->object == nullptr || frame < 0 || frame >= static_cast<int32_t>(this->object->GetFrameCount()))
        return nullptr;
    return this->object->GetFrame(frame);
}

template <class C> float AnimatedSpriteSpacialInstance<C>::GetCurrentFrameRotation() const
{
    if (this->object == nullptr || frame < 0)
        return 0.0f;
    return this->object->GetFrameAux(frame);
}
