#include "wizard/ProductProfile.h"
#include <gtest/gtest.h>
#include <string>

TEST(ProductProfile, NamesTheTargetModel)
{
    EXPECT_EQ(std::string(ProductProfile::RouterModel), "WRX-270");
}
