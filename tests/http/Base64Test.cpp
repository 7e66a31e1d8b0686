#include "http/IdBase64.h"

#include <gtest/gtest.h>

TEST(Base64Test, EncodesWithPaddingAndNoLineBreaks)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {":", "Og=="},
        {"ab", "YWI="},
        {"abc", "YWJj"},
        {"admin:secret", "YWRtaW46c2VjcmV0"},
        {std::string("\xff\xfe\x00", 3), "//4A"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(IdEncodeBase64(input), expected);
    // Long input stays on one line (no 76-character breaks).
    EXPECT_EQ(IdEncodeBase64(std::string(57, 'x')).size(), 76u);
    EXPECT_EQ(IdEncodeBase64(std::string(300, 'x')).find_first_of("\r\n"), std::string::npos);
}
