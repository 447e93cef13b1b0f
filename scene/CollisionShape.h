#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

// Integer collision geometry of graphical objects, layers and characters.
// Coordinates grow upward: a normalised box has y0 >= y1. Bounds are
// inclusive: a box from x0 = 0 to x1 = 31 covers 32 pixels.
//
// Only int shapes exist; the templates are instantiated for int in
// CollisionShape.cpp.

template <class T> class CollisionShape : public ISerialization {
public:
    ~CollisionShape() override = default;

    // Frame of the owner's animation in which the shape applies; -1 = every frame.
    int32_t GetFrame() const { return frame; }
    void SetFrame(int32_t f) { frame = f; }

    // Overlap test of this shape at (thisX, thisY) against other at
    // (otherX, otherY). Only boxes take part; lines answer false.
    virtual bool Intersects(CollisionShape<T>* other, float thisX, float thisY, float otherX, float otherY)
        = 0;

    // Swept test: this shape stands, other moves by (dx, dy). On a hit, push
    // receives how far other may move. Only boxes take part.
    virtual bool Collide(CollisionShape<T>* other, float dx, float dy, float thisX, float thisY, float otherX,
        float otherY, Point<float>* push)
        = 0;

    // A new shape of the same class with the same fields.
    virtual std::unique_ptr<CollisionShape<T>> Clone() const = 0;

    // "CollisionBox" gives a default box, "CollisionLine" a default line, any
    // other name nothing.
    static std::unique_ptr<CollisionShape<T>> CreateByClassName(const std::string& className);

protected:
    CollisionShape() = default;
    CollisionShape(const CollisionShape&) = default;
    CollisionShape& operator=(const CollisionShape&) = default;

    int32_t frame = -1;
};

template <class T> class CollisionBox : public CollisionShape<T> {
public:
    CollisionBox() = default;
    CollisionBox(T x0, T y0, T x1, T y1, int32_t type = 0);

    bool Serialize(std::ostream& os) override;
    // Reads the record after its class-name line (consumed by ReadCollisionShape).
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "CollisionBoxV0"; }

    bool Intersects(CollisionShape<T>* other, float thisX, float thisY, float otherX, float otherY) override;
    bool Collide(CollisionShape<T>* other, float dx, float dy, float thisX, float thisY, float otherX,
        float otherY, Point<float>* push) override;
    std::unique_ptr<CollisionShape<T>> Clone() const override;

    int32_t GetType() const { return type; }
    void SetType(int32_t t) { type = t; }

    Rect<T> GetRect() const { return Rect<T>(x0, y0, x1, y1); }
    // The corner from which positions are measured: (x0, y1).
    Point<T> GetOrigin() const { return Point<T>(x0, y1); }
    // which 0 sets the first corner, 1 the second; other values do nothing.
    void SetCornerX(int which, T x);
    void SetCornerY(int which, T y);

    // Caches of the last UpdateBounds: world centre and inclusive half size.
    Point<float> GetCentre() const { return centre; }
    Point<float> GetHalfSize() const { return halfSize; }
    // Half of (width, height) without the inclusive pixel, and the origin
    // plus that: the geometry handed to Box2D.
    Point<float> GetExactHalfSize() const;
    Point<float> GetExactCentre() const;

    // Recomputes the caches for the box placed at offset.
    void UpdateBounds(Point<float> offset);

    // The corners of box plus position (truncated toward zero) plus offset;
    // the zero rectangle for a null box.
    static Rect<int> GetMovedRect(const CollisionBox<T>* box, Point<float> position, Point<int> offset);

private:
    T x0 = 0;
    T y0 = 0;
    T x1 = 0;
    T y1 = 0;
    int32_t type = 0;
    Point<float> centre;
    Point<float> halfSize;
};

template <class T> class CollisionLine : public CollisionShape<T> {
public:
    CollisionLine() = default;
    CollisionLine(Point<T> first, Point<T> second, int32_t type = 0);

    bool Serialize(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "CollisionLineV0"; }

    // Lines never collide with the box tests.
    bool Intersects(CollisionShape<T>*, float, float, float, float) override { return false; }
    bool Collide(CollisionShape<T>*, float, float, float, float, float, float, Point<float>*) override
    {
        return false;
    }
    std::unique_ptr<CollisionShape<T>> Clone() const override;

    int32_t GetType() const { return type; }
    void SetType(int32_t t) { type = t; }

    // which 0 sets the first end point, 1 the second; other values do nothing.
    void SetPoint(int which, Point<T> p);
    Point<T> GetFirstPoint() const { return first; }
    Point<T> GetSecondPoint() const { return second; }

private:
    Point<T> first;
    Point<T> second;
    int32_t type = 0;
};

// Reads one shape: a class-name line, then the record. Null for the absent
// shape's word "COLLISION_BOX_NULL", for any other class name (the line stays
// consumed) and for a record that fails to read.
std::unique_ptr<CollisionShape<int>> ReadCollisionShape(std::istream& is);

// The same read for an owner: true with a shape, true with null for
// "COLLISION_BOX_NULL", for another class line and for a shape record that
// fails (each named on the debug output with its file and line); false (the
// error recorded in the stream's reader context) only when the stream has no
// line left.
bool ReadCollisionShapeEntry(std::istream& is, std::unique_ptr<CollisionShape<int>>& shape);

// The word an owner writes in place of an absent shape.
inline constexpr const char* kCollisionShapeNull = "COLLISION_BOX_NULL";

extern template class CollisionShape<int>;
extern template class CollisionBox<int>;
extern template class CollisionLine<int>;
