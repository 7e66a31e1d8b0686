// Contrast as the accessibility guidelines measure it, and the choice of a
// text colour that reaches it.
#include "wizard/Contrast.h"

#include <gtest/gtest.h>

namespace {

TEST(Contrast, RatiosOfKnownPairs)
{
    struct {
        const char* a;
        const char* b;
        double ratio;
    } cases[] = {
        {"#000000", "#ffffff", 21.0}, {"#ffffff", "#000000", 21.0}, {"#777777", "#ffffff", 4.48},
        {"#0000ff", "#ffffff", 8.59}, {"#0000ff", "#353535", 1.43}, {"#2a82da", "#353535", 3.09},
        {"#808080", "#808080", 1.0},  {"#767676", "#ffffff", 4.54},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ContrastRatio(QColor(c.a), QColor(c.b)), c.ratio, 0.01) << c.a << " on " << c.b;
}

TEST(Contrast, ReadableColourKeepsTheFirstThatReads)
{
    EXPECT_EQ(ReadableColour(Qt::white, {Qt::blue, Qt::yellow}), QColor(Qt::blue));
    EXPECT_EQ(ReadableColour(QColor("#353535"), {Qt::blue, Qt::yellow}), QColor(Qt::yellow));
}

// When the candidate does not read, it moves just far enough toward the end
// that stands out more: lighter on a dark ground, darker on a light one.
TEST(Contrast, ReadableColourMovesTheLastCandidateJustFarEnough)
{
    struct {
        const char* ground;
        const char* candidate;
        bool lighter;
    } cases[] = {
        {"#353535", "#2a82da", true},  {"#202020", "#0000ff", true},  {"#ffffff", "#aaaaaa", false},
        {"#f0f0f0", "#66aaff", false}, {"#777777", "#787878", false},  // mid grey: black stands out a little more than
                                                                       // white
    };
    for (const auto& c : cases) {
        const QColor ground(c.ground), candidate(c.candidate);
        const QColor chosen = ReadableColour(ground, {candidate});
        const double ratio = ContrastRatio(chosen, ground);
        EXPECT_GE(ratio, MinimumTextContrast) << c.candidate << " on " << c.ground;
        EXPECT_LT(ratio, MinimumTextContrast + 0.05) << c.candidate << " on " << c.ground;
        EXPECT_EQ(RelativeLuminance(chosen) > RelativeLuminance(candidate), c.lighter) << c.candidate;
    }
}

}  // namespace
