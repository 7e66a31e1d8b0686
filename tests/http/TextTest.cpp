// Case-insensitive comparisons and strict number reading of the transport.
#include "http/IdNumbers.h"
#include "http/IdText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(TextTest, CaseOfAsciiLettersOnlyIsIgnored)
{
    struct Case {
        std::string a, b;
        bool same, contains, endsWith;
    };
    const Case cases[] = {
        {"keep-alive", "Keep-Alive", true, true, true},
        {"LOCALHOST", "localhost", true, true, true},
        {"", "", true, true, true},
        {"gzip, Identity", "identity", false, true, true},
        {"Chunked, gzip", "chunked", false, true, false},
        {"router.example.COM", ".example.com", false, true, true},
        {"close", "closed", false, false, false},
        {"chunke", "chunked", false, false, false},
        {"[x]", "{X}", false, false, false},                // '[' and '{' differ by the case bit, but are no letters
        {"\xC4hnlich", "\xE4hnlich", false, false, false},  // bytes above ASCII never fold
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IdSameText(c.a, c.b), c.same) << c.a << " | " << c.b;
        EXPECT_EQ(IdContainsText(c.a, c.b), c.contains) << c.a << " | " << c.b;
        EXPECT_EQ(IdEndsWithText(c.a, c.b), c.endsWith) << c.a << " | " << c.b;
    }
}

TEST(TextTest, NumbersFillTheWholeText)
{
    struct Case {
        std::string text;
        TIdNumberText kind;
        std::int64_t value;
    };
    const Case cases[] = {
        {"0", TIdNumberText::Number, 0},
        {"+80", TIdNumberText::Number, 80},
        {"-12", TIdNumberText::Number, -12},
        {"9223372036854775799", TIdNumberText::Number, 9223372036854775799},
        {"99999999999999999999", TIdNumberText::TooLarge, 7},
        {"-99999999999999999999", TIdNumberText::TooLarge, 7},
        {"", TIdNumberText::NotANumber, 7},
        {"-", TIdNumberText::NotANumber, 7},
        {" 80", TIdNumberText::NotANumber, 7},
        {"80x", TIdNumberText::NotANumber, 7},
        {"99999999999999999999x", TIdNumberText::NotANumber, 7},
    };
    for (const Case& c : cases) {
        std::int64_t value = 7;
        EXPECT_EQ(IdReadInt64(c.text, value), c.kind) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(IdParseInt64(c.text, value), c.kind == TIdNumberText::Number) << c.text;
    }
}

}  // namespace
