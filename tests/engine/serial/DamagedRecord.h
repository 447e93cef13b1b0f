#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"

// Damages a record at each of its lines in turn and checks the reader's
// promise: a damaged or cut record leaves its object exactly as it was, and
// the reader context names the file and the damaged line.

// One object a record is read into.
class RecordTarget {
public:
    virtual ~RecordTarget() = default;
    // Reads the record into the object.
    virtual bool Read(std::istream& is) = 0;
    // Everything the object holds, as text (its own writer, plus what the
    // writer leaves out).
    virtual std::string State() = 0;
};

// A target that reads and writes through two callables.
template <class T> class FunctionTarget : public RecordTarget {
public:
    FunctionTarget(std::unique_ptr<T> object, std::function<bool(T&, std::istream&)> read,
        std::function<std::string(T&)> state)
        : object(std::move(object))
        , read(std::move(read))
        , state(std::move(state))
    {
    }
    bool Read(std::istream& is) override { return read(*object, is); }
    std::string State() override { return state(*object); }

private:
    std::unique_ptr<T> object;
    std::function<bool(T&, std::istream&)> read;
    std::function<std::string(T&)> state;
};

// A kind of record: the good record as its reader takes it (written by the
// object's own writer) and a maker of targets whose state differs from it.
struct RecordKind {
    std::string name;
    std::string record;
    std::function<std::unique_ptr<RecordTarget>()> makeTarget;
    // Lines (from 1) the reader reads leniently: damaged or cut there, the
    // record reads without an error (the line is skipped with a word), or
    // fails on a later line that the skipped one left misplaced.
    std::set<size_t> lenientLines = {};
};

// The state of an ISerialization object: its writer's text.
template <class T> std::string WrittenState(T& object)
{
    std::ostringstream os;
    object.Serialize(os);
    return os.str();
}

// The text of a record written by the object's own writer, without the
// first `skipLines` lines (a class line that the caller of the reader reads).
inline std::string RecordText(const std::function<void(std::ostream&)>& write, int skipLines = 0)
{
    std::ostringstream os;
    write(os);
    std::string text = os.str();
    for (int i = 0; i < skipLines; ++i)
        text = text.substr(text.find("\r\n") + 2);
    return text;
}

inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The marker of a versioned group: such a group may be absent (an older
// record), so a record cut or damaged at its marker can read whole as the
// older record that ends before it.
inline bool IsGroupMarker(const std::string& line)
{
    return !line.empty() && line.front() == '_' && line.find("_updatetag_") != std::string::npos;
}

// For every line n of the record but its lenient ones: the record with line
// n replaced by a line no field accepts, and the record cut before line n.
// Either read fails,
// leaves the target's state as it was, and the context's error begins with
// "file:n: expected ". The one exception the format allows: at the marker of
// a versioned group the reader may take what precedes as a whole older
// record; then line n is left to the next reader, whose read fails there.
inline void ExpectEveryDamagedLineRefused(const RecordKind& kind)
{
    SCOPED_TRACE(kind.name);
    const std::vector<std::string> lines = SplitLines(kind.record);
    ASSERT_FALSE(lines.empty());
    {
        auto target = kind.makeTarget();
        const std::string before = target->State();
        std::istringstream is(kind.record);
        ASSERT_TRUE(target->Read(is)) << "the good record must read";
        ASSERT_NE(target->State(), before) << "the target must differ from the record";
    }

    const std::string damage = "\x01 damaged";
    const std::string next = "NextRecordV0";
    for (size_t n = 1; n <= lines.size(); ++n) {
        for (const bool cut : {false, true}) {
            std::string text;
            for (size_t i = 0; i < lines.size(); ++i) {
                if (i + 1 == n && cut)
                    break;
                text += (i + 1 == n ? damage : lines[i]) + "\r\n";
            }
            if (!cut)
                text += next + "\r\n";
            const std::string file = cut ? "levels/cut.txt" : "levels/damaged.txt";
            SCOPED_TRACE(file + " at line " + std::to_string(n) + " (\"" + lines[n - 1] + "\")");

            auto target = kind.makeTarget();
            const std::string before = target->State();
            std::istringstream is(text);
            ReaderContext context(is, file);
            if (kind.lenientLines.count(n) != 0) {
                if (target->Read(is))
                    EXPECT_EQ(context.GetError(), "") << "a skipped line left an error";
                else
                    EXPECT_EQ(target->State(), before) << "a failed read changed the object";
                continue;
            }
            if (target->Read(is)) {
                EXPECT_TRUE(IsGroupMarker(lines[n - 1])) << "a damaged record was read as good";
                // The next reader meets line n.
                if (cut) {
                    std::string rest;
                    EXPECT_FALSE(ReadTextLine(is, rest));
                } else {
                    EXPECT_FALSE(ReadExpectedLine(is, next));
                }
            } else {
                EXPECT_EQ(target->State(), before) << "a failed read changed the object";
            }
            const std::string where = file + ":" + std::to_string(n) + ": expected ";
            EXPECT_EQ(context.GetError().rfind(where, 0), 0u) << context.GetError();
        }
    }
}
