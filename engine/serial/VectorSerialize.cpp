#include "engine/serial/VectorSerialize.h"

#include "engine/platform/DebugOutput.h"
#include "engine/serial/FloatSerialize.h"
#include "engine/serial/IntSerialize.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/PointSerialize.h"
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
    int32_t count = 0;
    bool ok = ReadBoolLine(is, ownsElements);
    if (!ReadIntLine(is, count)) {
        count = 0;
        ok = false;
    }

    for (int32_t i = 0; i < count && ok; ++i) {
        // A missing tag line means the list is shorter than its count.
        if (is.peek() == std::istream::traits_type::eof()) {
            platform::DebugOutput(
                "VectorSerialize: the list ends before its " + std::to_string(count) + " elements\n");
            ok = false;
            break;
        }
        std::string tag;
        ReadStringLine(is, tag);
        std::unique_ptr<ISerialization> element = MakeElement(tag);
        if (element == nullptr) {
            // An unknown tag takes no value line: the next pass reads the
            // following line as a tag.
            platform::DebugOutput("VectorSerialize: unknown element tag \"" + tag + "\"\n");
            continue;
        }
        // An element whose value fails is kept with what it read.
        ok = element->UnSerialize(is);
        Append(std::move(element));
    }
    return ok;
}
