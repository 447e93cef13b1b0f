#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/serial/ISerialization.h"

// An ordered list of value wrappers written as one record: the owns-elements
// flag, the element count, then per element its tag and its own lines. The
// reader recreates IntSerialize, FloatSerialize, StrSerialize,
// PointIntSerialize and PointFloatSerialize elements from their tags.
//
// Ownership is kept per element, so nothing leaks and nothing is freed twice:
// elements appended as unique_ptr and every element the reader creates belong
// to the list; elements appended by reference stay with whoever made them.
// The owns-elements flag is the list's declared mode, written and read with
// it. Elements are freed from the last to the first.
class VectorSerialize : public ISerialization {
public:
    explicit VectorSerialize(bool ownsElements);
    ~VectorSerialize() override;
    VectorSerialize(const VectorSerialize&) = delete;
    VectorSerialize& operator=(const VectorSerialize&) = delete;

    bool Serialize(std::ostream& os) override;
    // Appends to the elements already present. Reads element by element and
    // stops at the first failure or at the end of the stream; the count is
    // never trusted for an allocation. All or nothing: a short or damaged
    // list (an unknown element tag included) appends nothing and keeps the
    // flag, and returns false.
    bool UnSerialize(std::istream& is) override;
    // The same after the flag line: the count and the elements, appended
    // whole or not at all.
    bool UnSerializeElements(std::istream& is);
    std::string GetVersionedClassName() override { return "VectorSerializeV0"; }

    // The list takes the element.
    ISerialization& Append(std::unique_ptr<ISerialization> element);
    // The element stays with the caller, who keeps it alive while listed.
    void AppendBorrowed(ISerialization& element);

    size_t Size() const { return elements.size(); }
    bool Empty() const { return elements.empty(); }
    // The element at `index`, or null past the end.
    ISerialization* At(size_t index) const;
    // The element at `index` when it has the expected class, else null.
    template <class T> T* As(size_t index) const { return dynamic_cast<T*>(At(index)); }

    bool GetOwnsElements() const { return ownsElements; }
    // Frees the owned elements (last first) and empties the list.
    void Clear();

private:
    struct Element {
        ISerialization* pointer = nullptr;
        std::unique_ptr<ISerialization> owned;
    };

    bool ownsElements;
    std::vector<Element> elements;
};
