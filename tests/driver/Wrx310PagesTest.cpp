// Cutting the WRX-270 pages and composing the login token. Expected digests
// come from OpenSSL, independently of the driver's own MD5.
#include "driver/Wrx310Pages.h"
#include "driver/utWrx310.h"
#include "tools/router-sim/lib/Md5.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

// ---- Login data --------------------------------------------------------

struct HashCase {
    const char* name;
    std::string password;
    std::string salt;
    bool legacy;
    bool retry;
    // What the hashed data must be: salt, the password as it counts, then pad bytes.
    std::string countedPassword;
    char pad;
    std::size_t totalLength;
};

void PrintTo(const HashCase& c, std::ostream* os) { *os << c.name; }

class LoginHashData : public ::testing::TestWithParam<HashCase> {};

TEST_P(LoginHashData, SaltPasswordAndPaddingHashToTheRouterToken)
{
    const HashCase& c = GetParam();
    const char pad = Wrx310Page::PadUnit(c.legacy, c.retry);
    ASSERT_EQ(pad, c.pad);

    const std::string data = Wrx310Page::LoginHashData(c.password, c.salt, pad);

    std::string expected = c.salt + c.countedPassword;
    expected.append(c.totalLength - expected.size(), c.pad);
    EXPECT_EQ(data.size(), c.totalLength);
    EXPECT_EQ(data, expected);
    EXPECT_EQ(TWrx310::MD5Hex(data), testsupport::Md5Hex(expected));
}

const std::string k48 = std::string(48, 's');
const std::string k60 = std::string(59, 'S') + "\xff";

INSTANTIATE_TEST_SUITE_P(
    Table, LoginHashData,
    ::testing::Values(
        // The worked layout: 3-byte salt, 5-byte password, zero bytes to 64.
        HashCase{"salt3_pw5", "abcde", "xyz", false, false, "abcde", '\0', 64},
        HashCase{"empty_password", "", "xyz", false, false, "", '\0', 64},
        HashCase{"no_salt", "abcde", "", false, false, "abcde", '\0', 64},
        HashCase{"pw16_exact", "0123456789abcdef", "xyz", false, false, "0123456789abcdef", '\0', 64},
        HashCase{"pw17_cut_to_16", "0123456789abcdefG", "xyz", false, false, "0123456789abcdef", '\0', 64},
        HashCase{"pw_long_cut_to_16", "0123456789abcdefGHIJKLMN", "xyz", false, false, "0123456789abcdef", '\0', 64},
        HashCase{"salt48_no_tail", "abcde", k48, false, false, "abcde", '\0', 64},
        HashCase{"salt60_76_bytes", "abcde", k60, false, false, "abcde", '\0', 76},
        HashCase{"retry_pads_01", "abcde", "xyz", false, true, "abcde", '\x01', 64},
        HashCase{"legacy_first_pads_digit0", "abcde", "xyz", true, false, "abcde", '0', 64},
        HashCase{"legacy_retry_pads_digit1", "", "xyz", true, true, "", '1', 64},
        HashCase{"utf8_password_counts_bytes", "p\xc3\xa4ss", "xyz", false, false, "p\xc3\xa4ss", '\0', 64}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoginHashDataPadding, PasswordsAgreeingInTheirFirst16BytesHashAlike)
{
    const char pad = Wrx310Page::PadUnit(false, false);
    EXPECT_EQ(Wrx310Page::LoginHashData("0123456789abcdefXYZ", "salt", pad),
              Wrx310Page::LoginHashData("0123456789abcdef", "salt", pad));
    EXPECT_NE(Wrx310Page::LoginHashData("0123456789abcdeX", "salt", pad),
              Wrx310Page::LoginHashData("0123456789abcdef", "salt", pad));
}

TEST(MD5Hex, IsLowerCaseHexOfEveryByteIncludingNul)
{
    const std::string data = "a\0b\xff"s;
    EXPECT_EQ(TWrx310::MD5Hex(data), testsupport::Md5Hex(data));
    EXPECT_EQ(TWrx310::MD5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
}

// ---- Salt --------------------------------------------------------------

struct CutCase {
    const char* name;
    std::string page;
    std::string expected;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class SaltCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(SaltCut, QuotedStringOfTheSaltLine) { EXPECT_EQ(Wrx310Page::Salt(GetParam().page), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, SaltCut,
    ::testing::Values(CutCase{"script_line", "<script>\nvar salt = \"a1b2c3\";\n</script>", "a1b2c3"},
                      CutCase{"single_quotes", "var salt = 'q';", "q"}, CutCase{"empty_quoted", "var salt = \"\";", ""},
                      CutCase{"one_character", "var salt = \"x\";", "x"},
                      CutCase{"first_marker_counts", "var salt = \"one\"; var salt = \"two\";", "one"},
                      CutCase{"semicolon_right_after_marker", "var salt = ;rest", ""},
                      CutCase{"no_semicolon", "var salt = \"abc\"", ""},
                      CutCase{"no_marker", "<html>var salt=\"abc\";</html>", ""},
                      CutCase{"marker_case_matters", "VAR SALT = \"abc\";", ""}, CutCase{"blank_page", " \r\n\t ", ""},
                      CutCase{"salt_keeps_inner_blanks_and_bytes", "var salt = \" a\x01 b\";", " a\x01 b"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Firmware version ----------------------------------------------------

// The page puts 17 characters of label text after the firmware marker.
const std::string kFw = "<div class=\"fwv\">";
const std::string kLabel = "Firmware Version:";  // 17 characters
const std::string kHw = "<div class=\"hwv\">";

class VersionCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(VersionCut, TextBetweenFirmwareLabelAndHardwareMarker)
{
    EXPECT_EQ(Wrx310Page::FirmwareVersion(GetParam().page), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VersionCut,
    ::testing::Values(CutCase{"plain", "<html>" + kFw + kLabel + " 3.6 </div>" + kHw + "Hardware: C2</div>", "3.6"},
                      CutCase{"minor_element_removed",
                              kFw + kLabel + "3.<span id=\"fw_minor_head\">06</span></div>\r\n" + kHw + "C2", "3.06"},
                      CutCase{"markers_removed_in_any_case",
                              kFw + kLabel + "3.<SPAN ID=\"FW_MINOR_HEAD\">1</Span></DIV>" + kHw, "3.1"},
                      CutCase{"control_characters_trimmed", kFw + kLabel + "\t\r\n 3.6\x01 " + kHw, "3.6"},
                      CutCase{"inner_blank_kept", kFw + kLabel + " 3.6 beta " + kHw, "3.6 beta"},
                      CutCase{"no_hardware_marker", kFw + kLabel + "3.6</div>", ""},
                      CutCase{"hardware_marker_before_firmware", kHw + "C2" + kFw + kLabel + "3.6", ""},
                      CutCase{"hardware_marker_cut_into_by_label_skip", kFw + "1234567" + kHw + "3.6", ""},
                      CutCase{"marker_case_matters_for_the_blocks", "<DIV class=\"fwv\">" + kLabel + "3.6" + kHw, ""},
                      CutCase{"page_ends_inside_label", "xx" + kFw + "Firm", ""}, CutCase{"empty_page", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Legacy key ----------------------------------------------------------

const std::string kMinor = "<span id=\"fw_minor_head\">";

struct LegacyCase {
    const char* name;
    std::string page;
    std::string key;
    bool legacy;
};

void PrintTo(const LegacyCase& c, std::ostream* os) { *os << c.name; }

class LegacyKey : public ::testing::TestWithParam<LegacyCase> {};

TEST_P(LegacyKey, MajorDigitPointAndFirstMinorDigit)
{
    const LegacyCase& c = GetParam();
    EXPECT_EQ(Wrx310Page::LegacyKey(c.page), c.key);
    EXPECT_EQ(Wrx310Page::IsLegacyKey(Wrx310Page::LegacyKey(c.page)), c.legacy);
}

INSTANTIATE_TEST_SUITE_P(Table, LegacyKey,
                         ::testing::Values(LegacyCase{"firmware_3_04", "<b>3." + kMinor + "04</span>", "3.0", true},
                                           LegacyCase{"firmware_3_12", "<b>3." + kMinor + "12</span>", "3.1", true},
                                           LegacyCase{"firmware_3_6", "<b>3." + kMinor + "6</span>", "3.6", false},
                                           LegacyCase{"firmware_2_05", "<b>2." + kMinor + "05</span>", "2.0", false},
                                           LegacyCase{"comma_is_not_a_point", "<b>3," + kMinor + "04</span>", "3,0",
                                                      false},
                                           LegacyCase{"no_marker", "<b>3.04</b>", "", false},
                                           LegacyCase{"marker_at_page_start", kMinor + "04", "<s0", false},
                                           LegacyCase{"marker_at_second_character", "." + kMinor + "04", ".<0", false},
                                           LegacyCase{"nothing_after_marker", "x3." + kMinor, "3.", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Login answer --------------------------------------------------------

TEST(LoginAnswer, SuccessLinksAndRetryWord)
{
    EXPECT_TRUE(Wrx310Page::IsLoginAccepted("<a href=\"Status/Device_Info.shtml\">"));
    EXPECT_TRUE(Wrx310Page::IsLoginAccepted("top.location='Basic/Internet.shtml'"));
    EXPECT_FALSE(Wrx310Page::IsLoginAccepted("status/device_info.shtml"));
    EXPECT_FALSE(Wrx310Page::IsLoginAccepted(""));
    EXPECT_TRUE(Wrx310Page::AsksForRetry("<result>error</result>"));
    EXPECT_TRUE(Wrx310Page::AsksForRetry("terrorist"));
    EXPECT_FALSE(Wrx310Page::AsksForRetry("ERROR"));
}

}  // namespace
