#include "views/readable_colour.h"

#include <gtest/gtest.h>

namespace malvex {
namespace {

constexpr Colour kGrey = 0xC0C0C0;  // the text panel's default background

TEST(ReadableColourTest, ContrastRunsFromOneToTwentyOne) {
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kBlack), 1.0);
  EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
  EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), ContrastRatio(kBlack, kWhite));
}

struct Case {
  Colour text;
  Colour background;
  bool kept;  // legible as it is
};

TEST(ReadableColourTest, LightColoursAreDarkenedOnLightPagesOnly) {
  const Case cases[] = {
      {0x0000A0, kGrey, true},      // dark red verbs
      {0xFF0000, kGrey, true},      // blue classes
      {kBlack, kGrey, true},
      {0x00FFFF, kGrey, false},     // yellow connectors
      {0xFFFF00, kGrey, false},     // cyan pronouns
      {0x80FFA0, kGrey, false},     // light green adjectives
      {0xFF00FF, kGrey, false},     // magenta modalities
      {0x00FFFF, kWhite, false},    // yellow on paper
      {0x00FFFF, kBlack, true},     // yellow on a black page
      {0x0000A0, kBlack, false},    // dark red on a black page
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Colour shown = ReadableColour(c.text, c.background);
    EXPECT_EQ(shown == c.text, c.kept);
    EXPECT_GE(ContrastRatio(shown, c.background), kMinimalTextContrast - 1e-9);
    if (c.kept) continue;
    // No more change than needed: a slightly smaller step is not enough.
    EXPECT_LT(ContrastRatio(shown, c.background), kMinimalTextContrast + 0.3);
    // The hue is kept: the order of the components stays.
    const int r = shown & 0xFF, g = (shown >> 8) & 0xFF, b = (shown >> 16) & 0xFF;
    const int r0 = c.text & 0xFF, g0 = (c.text >> 8) & 0xFF, b0 = (c.text >> 16) & 0xFF;
    if (Luminance(c.background) > 0.18) {
      EXPECT_LE(r, r0);
      EXPECT_LE(g, g0);
      EXPECT_LE(b, b0);
      EXPECT_EQ(r0 >= g0, r >= g);
      EXPECT_EQ(g0 >= b0, g >= b);
    }
  }
}

}  // namespace
}  // namespace malvex
