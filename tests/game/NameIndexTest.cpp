#include "game/NameIndex.h"

#include "scene/Sprite.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The answer the index must give: the first entry of the name, nulls passed.
Sprite* Walk(const std::vector<Sprite*>& table, const std::string& name)
{
    for (Sprite* entry : table)
        if (entry != nullptr && entry->GetName() == name)
            return entry;
    return nullptr;
}

} // namespace

// The index answers as the walk over the table does while the table grows
// between look-ups (as it does while the library is read), and after it was
// emptied and filled again.
TEST(NameIndex, AnswersAsTheWalkWhileTheTableGrowsAndAfterItIsEmptied)
{
    std::vector<std::unique_ptr<Sprite>> owned;
    auto make = [&owned](const std::string& name) {
        owned.push_back(std::make_unique<Sprite>(name, "images\\a.png", 0, 0, 1, 1));
        return owned.back().get();
    };
    std::vector<Sprite*> table;
    NameIndex<Sprite> index;
    const std::vector<std::string> names {"Walk_0", "Walk_1", "Jump_0", "Missing", ""};
    auto agrees = [&](const char* when) {
        for (const std::string& name : names)
            EXPECT_EQ(index.Find(table, name), Walk(table, name)) << when << ": " << name;
    };

    agrees("empty");
    table = {make("Walk_0"), nullptr, make("Walk_1")};
    agrees("first entries");
    // A second "Walk_0" appended later never hides the first.
    table.push_back(make("Walk_0"));
    table.push_back(make("Jump_0"));
    agrees("grown");
    EXPECT_EQ(index.Find(table, "Walk_0"), table[0]);

    table.clear();
    agrees("emptied");
    table = {make("Jump_0"), make("Walk_0")};
    agrees("filled again");
    EXPECT_EQ(index.Find(table, "Walk_0"), table[1]);
}
