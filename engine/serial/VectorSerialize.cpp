#include "engine/serial/VectorSerialize.h"

#include "engine/serial/FloatSerialize.h"
#include "engine/serial/IntSerialize.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/PointSerialize.h"
#include "engine/serial/ReaderContext.h"
#include "engine/serial/StrSerialize.h"

namespace {

// A fresh element of the class a list tag names, or null for any other tag.
std::unique_ptr<ISerialization> MakeElement(const std::string& tag)
{
    if (tag == "StrSerializeV0")
        return std::make_unique<StrSerialize>("");
    if (tag == "IntSerializeV0")
        return std::make_unique<IntSerialize>(0);
    if (tag == "FloatSerializeV0")
        return std::make_unique<FloatSerialize>(0.0f);
    if (tag == "PointIntSerializeV0")
        return std::make_unique<PointIntSerialize>(Point<int>());
    if (tag == "PointFloatSerializeV0")
        return std::make_unique<PointFloatSerialize>(Point<float>());
    return nullptr;
}

} // namespace

VectorSerialize::VectorSerialize(bool ownsElements)
    : ownsElements(ownsElements)
{
}

VectorSerialize::~VectorSerialize()
{
    Clear();
}

void VectorSerialize::Clear()
{
    while (!elements.empty())
        elements.pop_back();
}

ISerialization& VectorSerialize::Append(std::unique_ptr<ISerialization> element)
{
    ISerialization& added = *element;
    elements.push_back({element.get(), std::move(element)});
    return added;
}

void VectorSerialize::AppendBorrowed(ISerialization& element)
{
    elements.push_back({&element, nullptr});
}

ISerialization* VectorSerialize::At(size_t index) const
{
    return index < elements.size() ? elements[index].pointer : nullptr;
}

bool VectorSerialize::Serialize(std::ostream& os)
{
    WriteLine(os, ownsElements);
    WriteLine(os, static_cast<uint32_t>(elements.size()));
    for (const Element& element : elements) {
        WriteLine(os, element.pointer->GetVersionedClassName());
        element.pointer->Serialize(os);
    }
    return static_cast<bool>(os);
}

bool VectorSerialize::UnSerialize(std::istream& is)
{
    bool owns = false;
    if (!ReadBoolLine(is, owns) || !UnSerializeElements(is))
        return false;
    ownsElements = owns;
    return true;
}

bool VectorSerialize::UnSerializeElements(std::istream& is)
{
    // Elements are read into a list of their own and appended only when the
    // whole list was read: a short or damaged list changes nothing. A
    // negative count is damage, not an empty list.
    uint32_t count = 0;
    if (!ReadCountLine(is, count))
        return false;
    std::vector<std::unique_ptr<ISerialization>> read;
    for (uint32_t i = 0; i < count; ++i) {
        std::string tag;
        if (!ReadTextLine(is, tag))
            return false;
        std::unique_ptr<ISerialization> element = MakeElement(tag);
        if (element == nullptr) {
            // Any other tag would make the list read its values as tags.
            return ReadError(is,
                "a list element tag (\"StrSerializeV0\", \"IntSerializeV0\", \"FloatSerializeV0\", "
                "\"PointIntSerializeV0\" or \"PointFloatSerializeV0\")",
                QuoteFound(tag));
        }
        if (!element->UnSerialize(is))
            return false;
        read.push_back(std::move(element));
    }
    for (std::unique_ptr<ISerialization>& element : read)
        Append(std::move(element));
    return true;
}
