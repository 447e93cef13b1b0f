#include "tools/world/ArtRecipe.h"
#include "ui/UI_MenuCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// The words of the key-mapping rows name what their keys do in play: the
// row that edits the crossbow's key (binding 6, the input flag `crossbow`)
// reads CROSSBOW and the one that edits the scythe's swing (binding 8, the
// flag `attack`) SCYTHE, whatever the rows' own names, in all three looks.
namespace {

using namespace MenuCatalogue;

std::string LabelOf(const ArtObject& object)
{
    for (const ArtStep& step : object.steps)
        if (step.op == "label" && !step.args.empty()) {
            std::string text = step.args.back();
            if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
                text = text.substr(1, text.size() - 2);
            return text;
        }
    return {};
}

} // namespace

TEST(MenuLabels, TheKeyMappingRowsNameWhatTheirKeysDo)
{
    ArtBook book;
    book.ReadFile(std::string(QUENHOLT_SOURCE_DIR) + "/data/art/ui_menu.txt");
    const std::pair<int, const char*> keys[] = {{6, "CROSSBOW"}, {8, "SCYTHE"}, {4, "JUMP"}, {22, "MAP"}};
    const PageEntry& page = GetPage(kKeyMapping);
    for (const auto& [binding, word] : keys) {
        SCOPED_TRACE(word);
        size_t row = kKeyRowCount;
        for (size_t i = 0; i < kKeyRowCount; ++i)
            if (kKeyRows[i].keyboard == binding)
                row = i;
        ASSERT_LT(row, page.items.size());
        for (const char* look : {"_0", "_1", "_E"}) {
            const ArtObject* object = book.Find(PictureBase(page.items[row].key) + look);
            ASSERT_NE(object, nullptr) << PictureBase(page.items[row].key) + look;
            EXPECT_EQ(LabelOf(*object), word) << object->name;
        }
    }
}
