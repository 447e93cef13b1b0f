#include "scene/CollisionShape.h"

#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::string_view kBoxTypeTag = "_CollisionBox_updatetag_1.1_";
constexpr std::string_view kBoxFrameTag = "_CollisionBox_updatetag_1.2_";
constexpr std::string_view kLineFrameTag = "_CollisionLine_updatetag_1.0_";

// Unit vector; a zero vector stays zero.
Point<float> Unit(Point<float> v)
{
    const float length = v.Length();
    if (length == 0.0f)
        return v;
    return v / length;
}

float Dot(Point<float> a, Point<float> b)
{
    return a.x * b.x + a.y * b.y;
}

// Closed-interval overlap of [aMin, aMax] and [bMin, bMax], tested through
// the end points of each as the swept test defines it.
bool RangesOverlap(float aMin, float aMax, float bMin, float bMax)
{
    auto inside = [](float v, float lo, float hi) { return lo <= v && v <= hi; };
    return inside(bMin, aMin, aMax) || inside(bMax, aMin, aMax) || inside(aMin, bMin, bMax)
        || inside(aMax, bMin, bMax);
}

// Entry and exit times of one axis of the swept test. Coordinates are those
// of step 3 (shifted non-negative); the I variants are truncated copies.
struct AxisTimes {
    float entry = 0.0f;
    float exit = 1.0f;
};

AxisTimes SweepAxis(
    float d, float aMin, float aMax, float bMin, float bMax, int aMinI, int aMaxI, int bMinI, int bMaxI)
{
    AxisTimes t;
    if (bMin > aMax && d < 0.0f)
        t.entry = (aMax - bMin) / d;
    else if (bMax < aMin && d > 0.0f)
        t.entry = (aMin - bMax) / d;

    if (bMax > aMin && d < 0.0f)
        t.exit = (aMin - bMax) / d;
    else if (aMax > bMin && d > 0.0f)
        t.exit = (aMax - bMin) / d;

    // Boxes touching in whole pixels.
    if (aMaxI == bMinI && d < 0.0f)
        t.entry = 0.0f;
    else if (bMaxI == aMinI && d > 0.0f)
        t.entry = 0.0f;
    if (bMaxI == aMinI && d < 0.0f)
        t.exit = 0.0f;
    else if (aMaxI == bMinI && d > 0.0f)
        t.exit = 0.0f;
    return t;
}

} // namespace

// ---------------------------------------------------------------- shape

template <class T>
std::unique_ptr<CollisionShape<T>> CollisionShape<T>::CreateByClassName(const std::string& className)
{
    if (className == "CollisionBox")
        return std::make_unique<CollisionBox<T>>();
    if (className == "CollisionLine")
        return std::make_unique<CollisionLine<T>>();
    return nullptr;
}

// ---------------------------------------------------------------- box

template <class T>
CollisionBox<T>::CollisionBox(T x0_, T y0_, T x1_, T y1_, int32_t type_)
    : x0(x0_)
    , y0(y0_)
    , x1(x1_)
    , y1(y1_)
    , type(type_)
{
}

template <class T> bool CollisionBox<T>::Serialize(std::ostream& os)
{
    if (this->IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, kBoxTypeTag);
    WriteLine(os, type);
    WriteLine(os, kBoxFrameTag);
    WriteLine(os, this->frame);
    WriteLine(os, x0);
    WriteLine(os, y0);
    WriteLine(os, x1);
    WriteLine(os, y1);
    return true;
}

template <class T> bool CollisionBox<T>::UnSerialize(std::istream& is)
{
    // Tagged groups come before the corners; an older record without them
    // keeps type 0 and frame -1. A type that does not read keeps 0 and leaves
    // the frame unread (its tag is still taken); only the corners decide the
    // result. The fields are read into a copy and taken only when the corners
    // were read: a failed record leaves the box as it was. Corners beyond
    // kMaxCoordinate are damage, so box arithmetic on read boxes never
    // overflows.
    CollisionBox<T> read(*this);
    bool typeRead = true;
    if (ReadUpdateTag(is, kBoxTypeTag)) {
        const LenientRead lenient(is);
        typeRead = ReadIntLine(is, read.type);
        if (!typeRead)
            lenient.Skipped("the box's type");
    }
    if (ReadUpdateTag(is, kBoxFrameTag) && typeRead) {
        const LenientRead lenient(is);
        if (!ReadIntLine(is, read.frame))
            lenient.Skipped("the box's frame");
    }
    if (!ReadCoordinateLine(is, read.x0) || !ReadCoordinateLine(is, read.y0)
        || !ReadCoordinateLine(is, read.x1) || !ReadCoordinateLine(is, read.y1))
        return false;
    *this = read;
    return true;
}

template <class T> std::unique_ptr<CollisionShape<T>> CollisionBox<T>::Clone() const
{
    return std::make_unique<CollisionBox<T>>(*this);
}

template <class T> void CollisionBox<T>::SetCornerX(int which, T x)
{
    if (which == 0)
        x0 = x;
    else if (which == 1)
        x1 = x;
}

template <class T> void CollisionBox<T>::SetCornerY(int which, T y)
{
    if (which == 0)
        y0 = y;
    else if (which == 1)
        y1 = y;
}

// Differences are taken in floats: corners set far apart by code cannot
// overflow the int subtraction.
template <class T> Point<float> CollisionBox<T>::GetExactHalfSize() const
{
    return Point<float>(static_cast<float>(x1) - static_cast<float>(x0),
               static_cast<float>(y0) - static_cast<float>(y1))
        * 0.5f;
}

template <class T> Point<float> CollisionBox<T>::GetExactCentre() const
{
    return Point<float>(static_cast<float>(x0), static_cast<float>(y1)) + GetExactHalfSize();
}

template <class T> void CollisionBox<T>::UpdateBounds(Point<float> offset)
{
    halfSize = Point<float>(static_cast<float>(x1) - static_cast<float>(x0) + 1.0f,
                   static_cast<float>(y0) - static_cast<float>(y1) + 1.0f)
        / 2.0f;
    centre = Point<float>(static_cast<float>(x0), static_cast<float>(y1)) + offset + halfSize;
}

template <class T>
Rect<int> CollisionBox<T>::GetMovedRect(const CollisionBox<T>* box, Point<float> position, Point<int> offset)
{
    if (box == nullptr)
        return Rect<int>();
    // Saturating sums: an extreme corner or position pins at the int range.
    const Point<int> shift(
        SaturatingAdd(position.ToInt().x, offset.x), SaturatingAdd(position.ToInt().y, offset.y));
    return Rect<int>(SaturatingAdd(static_cast<int>(box->x0), shift.x),
        SaturatingAdd(static_cast<int>(box->y0), shift.y), SaturatingAdd(static_cast<int>(box->x1), shift.x),
        SaturatingAdd(static_cast<int>(box->y1), shift.y));
}

template <class T>
bool CollisionBox<T>::Intersects(
    CollisionShape<T>* other, float thisX, float thisY, float otherX, float otherY)
{
    auto* box = dynamic_cast<CollisionBox<T>*>(other);
    if (box == nullptr)
        return false;
    UpdateBounds(Point<float>(thisX, thisY));
    box->UpdateBounds(Point<float>(otherX, otherY));
    // The distance of the centres truncated to whole pixels, kept in floats
    // so that far-apart boxes cannot overflow an int.
    const Point<float> d = centre - box->centre;
    return std::fabs(std::trunc(d.x)) <= halfSize.x + box->halfSize.x
        && std::fabs(std::trunc(d.y)) <= halfSize.y + box->halfSize.y;
}

template <class T>
bool CollisionBox<T>::Collide(CollisionShape<T>* other, float dx, float dy, float thisX, float thisY,
    float otherX, float otherY, Point<float>* push)
{
    auto* b = dynamic_cast<CollisionBox<T>*>(other);
    if (b == nullptr)
        return false;
    // This box A stands, B moves by (dx, dy).
    if (Intersects(other, thisX, thisY, otherX, otherY)) {
        if (push)
            *push = Point<float>(0.0f, 0.0f);
        return true;
    }

    const Point<float> half(0.5f, 0.5f);
    Point<float> aMin = centre - halfSize - half;
    Point<float> aMax = centre + halfSize - half;
    Point<float> bMin = b->centre - b->halfSize - half;
    Point<float> bMax = b->centre + b->halfSize - half;

    // Shift everything into non-negative coordinates so that truncation to
    // whole pixels rounds every corner the same way.
    const Point<float> shift(
        std::min({0.0f, aMin.x, aMax.x, bMin.x, bMax.x}), std::min({0.0f, aMin.y, aMax.y, bMin.y, bMax.y}));
    aMin -= shift;
    aMax -= shift;
    bMin -= shift;
    bMax -= shift;
    const Point<int> aMinI = aMin.ToInt();
    const Point<int> aMaxI = aMax.ToInt();
    const Point<int> bMinI = bMin.ToInt();
    const Point<int> bMaxI = bMax.ToInt();

    AxisTimes tx;
    AxisTimes ty;
    bool xExamined = false;
    bool yExamined = false;
    if (dy != 0.0f || RangesOverlap(aMin.y, aMax.y, bMin.y, bMax.y)) {
        xExamined = true;
        tx = SweepAxis(dx, aMin.x, aMax.x, bMin.x, bMax.x, aMinI.x, aMaxI.x, bMinI.x, bMaxI.x);
    }
    if (dx != 0.0f || RangesOverlap(aMin.x, aMax.x, bMin.x, bMax.x)) {
        yExamined = true;
        ty = SweepAxis(dy, aMin.y, aMax.y, bMin.y, bMax.y, aMinI.y, aMaxI.y, bMinI.y, bMaxI.y);
    }

    const float t0 = std::max(tx.entry, ty.entry);
    const float t1 = std::min(tx.exit, ty.exit);
    const Point<float> n = Unit(Point<float>(dx, dy));

    bool hit = false;
    if (t0 <= t1) {
        if (t0 != 0.0f && std::fabs(Dot(Unit(Point<float>(tx.entry, ty.entry)), n)) >= 0.01f)
            hit = true;
        else if (t1 != 1.0f && std::fabs(Dot(Unit(Point<float>(tx.exit, ty.exit)), n)) >= 0.01f)
            hit = true;
    }
    if (!hit) {
        // Contact in whole pixels without a hit by times.
        if (xExamined && (aMaxI.y == bMinI.y || bMaxI.y == aMinI.y))
            hit = true;
        else if (yExamined && (aMaxI.x == bMinI.x || bMaxI.x == aMinI.x))
            hit = true;
    }
    if (!hit)
        return false;

    Point<float> allowed = Point<float>(dx, dy) * t0;
    if (t0 != 0.0f) {
        // Stop one pixel short of the contact.
        auto shorten = [](float v) { return v > 0.0f ? v - 1.0f : (v < 0.0f ? v + 1.0f : v); };
        allowed = Point<float>(shorten(allowed.x), shorten(allowed.y));
    }
    if (push)
        *push = allowed;
    return true;
}

// ---------------------------------------------------------------- line

template <class T>
CollisionLine<T>::CollisionLine(Point<T> first_, Point<T> second_, int32_t type_)
    : first(first_)
    , second(second_)
    , type(type_)
{
}

template <class T> bool CollisionLine<T>::Serialize(std::ostream& os)
{
    if (this->IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, kLineFrameTag);
    WriteLine(os, this->frame);
    WriteLine(os, first.x);
    WriteLine(os, first.y);
    WriteLine(os, second.x);
    WriteLine(os, second.y);
    WriteLine(os, type);
    return os.good();
}

template <class T> bool CollisionLine<T>::UnSerialize(std::istream& is)
{
    // Read into a copy, taken only when the points and the type were read; a
    // frame that does not read keeps -1.
    CollisionLine<T> read(*this);
    if (ReadUpdateTag(is, kLineFrameTag)) {
        const LenientRead lenient(is);
        if (!ReadIntLine(is, read.frame))
            lenient.Skipped("the line's frame");
    }
    if (!ReadCoordinateLine(is, read.first.x) || !ReadCoordinateLine(is, read.first.y)
        || !ReadCoordinateLine(is, read.second.x) || !ReadCoordinateLine(is, read.second.y)
        || !ReadIntLine(is, read.type))
        return false;
    *this = read;
    return true;
}

template <class T> std::unique_ptr<CollisionShape<T>> CollisionLine<T>::Clone() const
{
    return std::make_unique<CollisionLine<T>>(*this);
}

template <class T> void CollisionLine<T>::SetPoint(int which, Point<T> p)
{
    if (which == 0)
        first = p;
    else if (which == 1)
        second = p;
}

// ---------------------------------------------------------------- reader

std::unique_ptr<CollisionShape<int>> ReadCollisionShape(std::istream& is)
{
    std::unique_ptr<CollisionShape<int>> shape;
    ReadCollisionShapeEntry(is, shape);
    return shape;
}

bool ReadCollisionShapeEntry(std::istream& is, std::unique_ptr<CollisionShape<int>>& shape)
{
    // Every line the file has is taken as a shape's class line: another class
    // yields no shape, and so does a shape record that fails (its remaining
    // lines are then met as the following entries). Only a file that has no
    // line left fails the owner's record.
    shape.reset();
    std::string className;
    if (!ReadStringLine(is, className) || is.fail())
        return ReadError(is, "a collision shape", kFoundEnd);
    std::unique_ptr<CollisionShape<int>> read;
    if (className == "CollisionBoxV0")
        read = std::make_unique<CollisionBox<int>>();
    else if (className == "CollisionLineV0")
        read = std::make_unique<CollisionLine<int>>();
    else if (className == kCollisionShapeNull)
        return true;
    else {
        LenientRead(is).Skipped(
            "the class line " + QuoteFound(className) + " where a collision shape was expected");
        return true;
    }
    const LenientRead lenient(is);
    if (read->UnSerialize(is))
        shape = std::move(read);
    else
        lenient.Skipped("a " + className.substr(0, className.size() - 2) + " record that failed");
    return true;
}

template class CollisionShape<int>;
template class CollisionBox<int>;
template class CollisionLine<int>;
