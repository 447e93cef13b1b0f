#include "engine/serial/VectorSerialize.h"

#include "engine/platform/DebugOutput.h"
#include "engine/serial/FloatSerialize.h"
#include "engine/serial/IntSerialize.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/PointSerialize.h"
#include "engine/serial/StrSerialize.h"

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
    elements.push_back({ element.get(), std::move(element) });
    return added;
}

void VectorSerialize::AppendBorrowed(ISerialization& element)
{
    elements.push_back({ &element, nullptr });
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
            platform::DebugOutput("VectorSerialize: the list ends before its " + std::to_string(count) + " elements\n");
            ok = false;
            break;
        }
        std::string tag;
        ReadStringLine(is, tag);
        if (tag == "StrSerializeV0") {
            std::string value;
            ReadStringLine(is, value);
            Append(std::make_unique<StrSerialize>(std::move(value)));
        } else if (tag == "IntSerializeV0") {
            int32_t value = 0;
            ok = ReadIntLine(is, value);
            Append(std::make_unique<IntSerialize>(value));
        } else if (tag == "FloatSerializeV0") {
            float value = 0.0f;
            ok = ReadFloatLine(is, value);
            Append(std::make_unique<FloatSerialize>(value));
        } else if (tag == "PointIntSerializeV0") {
            Point<int> value;
            ok = ReadIntLine(is, value.x) && ReadIntLine(is, value.y);
            Append(std::make_unique<PointIntSerialize>(value));
        } else if (tag == "PointFloatSerializeV0") {
            Point<float> value;
            ok = UnSerializePoint(is, value);
            Append(std::make_unique<PointFloatSerialize>(value));
        } else {
            // An unknown tag takes no value line: the next pass reads the
            // following line as a tag.
            platform::DebugOutput("VectorSerialize: unknown element tag \"" + tag + "\"\n");
        }
    }
    return ok;
}
