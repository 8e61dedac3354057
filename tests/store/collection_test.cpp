#include "store/collection.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(CollectionTest, DeletingFirstOfThreeShiftsRecordsAndOrder) {
    Collection c = test::MakeCollection({"B", "C", "A"});
    ASSERT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{2, 0, 1}));
    DeleteTitle(c, 0);
    ASSERT_EQ(c.Count(), 2u);
    EXPECT_EQ(c.RecordAt(0).Title(), "C");
    EXPECT_EQ(c.RecordAt(1).Title(), "A");
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{1, 0}));
    EXPECT_TRUE(c.Modified);
}

} // namespace
} // namespace tavrin
