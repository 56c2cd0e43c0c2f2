#include "engine/layout/ElementTable.h"

#include <gtest/gtest.h>

TEST(ElementTable, FindsWhatWasSetByIdAndNothingElse)
{
    litehtml::document::ptr doc;
    auto a = std::make_shared<litehtml::element>(doc);
    auto b = std::make_shared<litehtml::element>(doc);
    engine::ElementTable table;
    table.set(3, a);
    table.set(70000, b);
    EXPECT_EQ(table.find(3), a);
    EXPECT_EQ(table.find(70000), b);
    EXPECT_EQ(table.find(4), nullptr);
    EXPECT_EQ(table.find(-1), nullptr);
    EXPECT_EQ(table.find(70001), nullptr);
    // Ids no page can have are not kept (nor make the table grow).
    table.set(-5, a);
    table.set(engine::ElementTable::kMostIds, a);
    EXPECT_EQ(table.find(engine::ElementTable::kMostIds), nullptr);
    EXPECT_LT(table.capacity(), size_t(1) << 20);
    // An element let go is gone from the table too.
    b.reset();
    EXPECT_EQ(table.find(70000), nullptr);
    table.clear();
    EXPECT_EQ(table.find(3), nullptr);
}
