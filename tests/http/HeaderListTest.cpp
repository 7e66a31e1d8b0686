#include "http/IdHeaderList.h"

#include <algorithm>

#include <chrono>

#include <gtest/gtest.h>

namespace {

TEST(HeaderListTest, LookupIgnoresCaseTakesFirstLineAndJoinsContinuations)
{
    TIdHeaderList headers;
    for (const char* line : {"content-TYPE:   text/html  ", "X-Long: first", "\tsecond", "  third ",
                             "Content-Type: other", "Set-Cookie: a=1", "Set-Cookie: b=2", "Empty:"})
        headers.AddRaw(line);
    EXPECT_EQ(headers.Value("Content-Type"), "text/html");
    EXPECT_EQ(headers.Value("x-long"), "first second third");
    EXPECT_EQ(headers.Value("Missing"), "");
    EXPECT_EQ(headers.Value("Empty"), "");
    EXPECT_EQ(headers.Values("set-cookie"), (std::vector<std::string>{"a=1", "b=2"}));
    // A name that is only a prefix of another does not match it.
    EXPECT_EQ(headers.Value("Content"), "");
}

TEST(HeaderListTest, SetReplacesInPlaceOrAppends)
{
    TIdHeaderList headers;
    headers.Set("Accept", "a");
    headers.Set("Host", "h");
    headers.Set("ACCEPT", "b");
    EXPECT_EQ(headers.Lines(), (std::vector<std::string>{"ACCEPT: b", "Host: h"}));
}

// Rejoins folded pieces: each continuation's leading blank stands for the break.
std::string Unfold(const std::vector<std::string>& pieces)
{
    std::string joined = pieces[0];
    for (std::size_t i = 1; i < pieces.size(); ++i)
        joined += pieces[i];
    return joined;
}

TEST(HeaderListTest, LongLinesFoldAtBlanksAndCommasWithinTheLimit)
{
    std::string cookies = "Cookie: ";
    for (int i = 0; i < 200; ++i)
        cookies += (i ? "; " : "") + std::string("name") + std::to_string(i) + "=v";
    std::string list = "Accept: ";
    for (int i = 0; i < 300; ++i)
        list += "type/sub" + std::to_string(i) + ",";
    list.pop_back();

    for (const std::string& line : {cookies, list}) {
        std::vector<std::string> pieces = IdFoldHeaderLine(line);
        ASSERT_GT(pieces.size(), 1u);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_LE(pieces[i].size(), 1024u);
            EXPECT_NE(pieces[i].back(), ' ');
            if (i > 0) {
                EXPECT_EQ(pieces[i][0], ' ');
                EXPECT_NE(pieces[i][1], ' ');
            }
        }
        // Nothing but the blanks at the breaks changes.
        std::string rejoined = Unfold(pieces), original = line;
        auto strip = [](std::string s) {
            s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
            return s;
        };
        EXPECT_EQ(strip(rejoined), strip(original));
    }
}

TEST(HeaderListTest, ShortOrUnbreakableLinesStayWhole)
{
    std::string exact = "X: " + std::string(1021, 'a');
    EXPECT_EQ(IdFoldHeaderLine(exact), std::vector<std::string>{exact});
    std::string unbreakable = "X:" + std::string(3000, 'a');
    EXPECT_EQ(IdFoldHeaderLine(unbreakable), std::vector<std::string>{unbreakable});
}

TEST(HeaderListTest, AMebibyteCookieLineFoldsInLinearTime)
{
    // Small pieces make many breaks: copying the rest at every break would
    // take tens of gigabytes here, far beyond the time limit below.
    std::string line = "Cookie: ";
    while (line.size() < (1u << 20))
        line += "n" + std::to_string(line.size()) + "=v; ";
    auto start = std::chrono::steady_clock::now();
    std::vector<std::string> pieces = IdFoldHeaderLine(line, 16);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_GT(pieces.size(), 50000u);
    auto strip = [](std::string s) {
        s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
        return s;
    };
    EXPECT_EQ(strip(Unfold(pieces)), strip(line));
}

}  // namespace
