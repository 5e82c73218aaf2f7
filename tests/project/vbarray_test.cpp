#include <gtest/gtest.h>

#include "project/vbarray.h"

namespace carvela {

TEST(VbArray, NeverDimensionedDiffersFromPositionZeroOnly) {
    VbArray<float> a;
    EXPECT_FALSE(a.isDimensioned());
    EXPECT_EQ(a.upperBound(), -1);
    a.redim(0);
    EXPECT_TRUE(a.isDimensioned());
    EXPECT_EQ(a.upperBound(), 0);
    EXPECT_NE(a, VbArray<float>());
}

}  // namespace carvela
