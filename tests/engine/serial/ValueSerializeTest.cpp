#include "engine/serial/FloatSerialize.h"
#include "engine/serial/IntSerialize.h"
#include "engine/serial/PointSerialize.h"
#include "engine/serial/ReaderContext.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Counts live instances so the tests can see what a list frees.
class TrackedValue : public IntSerialize {
public:
    explicit TrackedValue(int& alive)
        : IntSerialize(0)
        , alive(alive)
    {
        ++alive;
    }
    ~TrackedValue() override { --alive; }

private:
    int& alive;
};

} // namespace

TEST(ValueSerializeTest, WrappersWriteOneLinePerValueAndReadBack)
{
    std::stringstream text;
    IntSerialize(-12).Serialize(text);
    FloatSerialize(2.5f).Serialize(text);
    StrSerialize("  spaced  ").Serialize(text);
    PointIntSerialize({3, -4}).Serialize(text);
    SerializePoint(text, {1.5f, -0.25f});
    EXPECT_EQ(text.str(), "-12\r\n2.5\r\n  spaced  \r\n3\r\n-4\r\n1.5\r\n-0.25\r\n");

    IntSerialize i(0);
    FloatSerialize f(0.0f);
    StrSerialize s("");
    PointIntSerialize p({0, 0});
    Point<float> q;
    EXPECT_TRUE(i.UnSerialize(text));
    EXPECT_TRUE(f.UnSerialize(text));
    EXPECT_TRUE(s.UnSerialize(text));
    EXPECT_TRUE(p.UnSerialize(text));
    EXPECT_TRUE(UnSerializePoint(text, q));
    EXPECT_EQ(i.value, -12);
    EXPECT_EQ(f.value, 2.5f);
    EXPECT_EQ(s.value, "  spaced  ");
    EXPECT_EQ(p.value, Point<int>(3, -4));
    EXPECT_EQ(q, Point<float>(1.5f, -0.25f));
}

TEST(ValueSerializeTest, PointReadStopsAtFirstBadValueAndKeepsThePoint)
{
    std::istringstream text("7\r\nseven\r\n9\r\n");
    PointFloatSerialize p({1.0f, 2.0f});
    EXPECT_FALSE(p.UnSerialize(text));
    EXPECT_EQ(p.value, Point<float>(1.0f, 2.0f));
    std::istringstream intText("7\r\n");
    PointIntSerialize i({1, 2});
    EXPECT_FALSE(i.UnSerialize(intText));
    EXPECT_EQ(i.value, Point<int>(1, 2));

    std::istringstream bad("x\r\n5\r\n");
    Point<float> q(1.0f, 2.0f);
    EXPECT_FALSE(UnSerializePoint(bad, q));
    EXPECT_EQ(q, Point<float>(1.0f, 2.0f));
    std::string next;
    ReadStringLine(bad, next);
    EXPECT_EQ(next, "5"); // y is not read once x failed
}

TEST(VectorSerializeTest, RoundTripKeepsTagsValuesAndFlag)
{
    VectorSerialize written(false);
    written.Append(std::make_unique<IntSerialize>(42));
    written.Append(std::make_unique<StrSerialize>("Level_Cave"));
    written.Append(std::make_unique<PointIntSerialize>(Point<int>(3, -4)));
    written.Append(std::make_unique<FloatSerialize>(-1.25f));
    written.Append(std::make_unique<PointFloatSerialize>(Point<float>(0.5f, 8.0f)));
    std::stringstream text;
    ASSERT_TRUE(written.Serialize(text));
    EXPECT_EQ(text.str().substr(0, 35), "0\r\n5\r\nIntSerializeV0\r\n42\r\nStrSerial");

    VectorSerialize read(true);
    ASSERT_TRUE(read.UnSerialize(text));
    EXPECT_FALSE(read.GetOwnsElements());
    ASSERT_EQ(read.Size(), 5u);
    for (size_t i = 0; i < read.Size(); ++i)
        EXPECT_EQ(read.At(i)->GetVersionedClassName(), written.At(i)->GetVersionedClassName());
    EXPECT_EQ(read.As<IntSerialize>(0)->value, 42);
    EXPECT_EQ(read.As<StrSerialize>(1)->value, "Level_Cave");
    EXPECT_EQ(read.As<PointIntSerialize>(2)->value, Point<int>(3, -4));
    EXPECT_EQ(read.As<FloatSerialize>(3)->value, -1.25f);
    EXPECT_EQ(read.As<PointFloatSerialize>(4)->value, Point<float>(0.5f, 8.0f));
    EXPECT_EQ(read.As<StrSerialize>(0), nullptr);
    EXPECT_EQ(read.At(5), nullptr);
}

TEST(VectorSerializeTest, ReadingAppendsAfterExistingElements)
{
    std::istringstream text("1\r\n1\r\nIntSerializeV0\r\n7\r\n");
    VectorSerialize list(true);
    list.Append(std::make_unique<IntSerialize>(1));
    ASSERT_TRUE(list.UnSerialize(text));
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.As<IntSerialize>(1)->value, 7);
}

TEST(VectorSerializeTest, ShortOrDamagedListsAppendNothing)
{
    const char* damaged[] = {
        // The count promises three elements, the file holds two.
        "0\r\n3\r\nIntSerializeV0\r\n1\r\nIntSerializeV0\r\n0\r\n",
        // A value that fails.
        "0\r\n3\r\nIntSerializeV0\r\nlots\r\nIntSerializeV0\r\n5\r\n",
        // A huge count at the end of the file neither allocates nor spins.
        "0\r\n2147483647\r\n",
        // A bad count.
        "0\r\nmany\r\nIntSerializeV0\r\n5\r\n",
        // A string element cut off by the end of the file.
        "0\r\n1\r\nStrSerializeV0\r\n",
    };
    for (const char* text : damaged) {
        SCOPED_TRACE(text);
        std::istringstream is(text);
        VectorSerialize list(true);
        list.Append(std::make_unique<IntSerialize>(77));
        EXPECT_FALSE(list.UnSerialize(is));
        ASSERT_EQ(list.Size(), 1u);
        EXPECT_EQ(list.As<IntSerialize>(0)->value, 77);
        EXPECT_TRUE(list.GetOwnsElements()); // the flag read is not taken either
    }
}

TEST(VectorSerializeTest, UnknownTagIsDamage)
{
    // A plain PointSerialize is not a list element: reading on would take its
    // value lines as tags, so the list fails at its tag line.
    VectorSerialize written(true);
    written.Append(std::make_unique<PointSerialize<int>>(Point<int>(1, 2)));
    written.Append(std::make_unique<IntSerialize>(9));
    std::stringstream text;
    written.Serialize(text);
    EXPECT_NE(text.str().find("PointSerializeV0\r\n1\r\n2\r\n"), std::string::npos);

    VectorSerialize read(true);
    ReaderContext context(text, "list.txt");
    EXPECT_FALSE(read.UnSerialize(text));
    EXPECT_EQ(read.Size(), 0u);
    EXPECT_EQ(context.GetError().rfind("list.txt:3: expected a list element tag", 0), 0u)
        << context.GetError();
}

TEST(VectorSerializeTest, FreesOnlyWhatItOwns)
{
    int alive = 0;
    TrackedValue borrowed(alive);
    {
        VectorSerialize list(false);
        list.AppendBorrowed(borrowed);
        list.Append(std::make_unique<TrackedValue>(alive));
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 1); // the borrowed element lives on

    // A list read with the flag "0" still frees the elements it created.
    std::istringstream text("0\r\n1\r\nStrSerializeV0\r\nname\r\n");
    auto list = std::make_unique<VectorSerialize>(true);
    ASSERT_TRUE(list->UnSerialize(text));
    EXPECT_FALSE(list->GetOwnsElements());
    list.reset(); // the leak check of the sanitizer build holds this
}
