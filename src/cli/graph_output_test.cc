// malvex-cli --graph, run as a program from an installation of the mini
// edition: each graph type written as SVG, and the errors that write none.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "cli/cli_options.h"
#include "cli/installed_cli_test_fixture.h"

namespace malvex {
namespace {

// The level-1 classes of that text on the mini edition (UTF-8), and its
// one relation "vede > ma\u0219in\u0103" (three times).
const std::string kMachine = "ma\xC8\x99in\xC4\x83";
const std::string kOther = "vede";

class CliGraphTest : public InstalledCliTest {
 protected:
  void SetUp() override { Install("robots.txt"); }

  // How many elements named `tag` the SVG holds.
  static int Count(const std::string& svg, const std::string& tag) {
    int n = 0;
    for (size_t at = svg.find("<" + tag); at != std::string::npos; at = svg.find("<" + tag, at + 1)) {
      const char next = svg[at + tag.size() + 1];
      if (next == ' ' || next == '>' || next == '/') ++n;
    }
    return n;
  }
  // The texts written, in order.
  static std::vector<std::string> Texts(const std::string& svg) {
    std::vector<std::string> out;
    const std::regex text("<text[^>]*>([^<]*)</text>");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator(); ++it)
      out.push_back((*it)[1]);
    return out;
  }
  static bool Has(const std::vector<std::string>& texts, const std::string& t) {
    for (const std::string& x : texts) {
      if (x.find(t) != std::string::npos) return true;
    }
    return false;
  }

};

TEST_F(CliGraphTest, EachTypeIsWrittenAsSvgWithItsShapes) {
  ASSERT_EQ(Run("--graph star --level 1 --item " + kMachine + " --output star.svg"), kExitOk) << Err();
  std::string svg = testing::ReadFile(dir_.File("star.svg"));
  std::vector<std::string> texts = Texts(svg);
  // The centre and the class on each side, each in a raised box.
  EXPECT_TRUE(Has(texts, kMachine));
  EXPECT_TRUE(Has(texts, kOther));
  EXPECT_GE(Count(svg, "rect"), 3);

  ASSERT_EQ(Run("--graph areas --level 1 --item " + kMachine + " --output areas.svg"), kExitOk) << Err();
  svg = testing::ReadFile(dir_.File("areas.svg"));
  // The rings, the centre sphere and at least one object sphere.
  EXPECT_GE(Count(svg, "ellipse") + Count(svg, "circle"), 8);
  EXPECT_GE(Count(svg, "radialGradient"), 2);
  EXPECT_TRUE(Has(Texts(svg), kOther));

  ASSERT_EQ(Run("--graph actors --level 1 --item " + kMachine + " --output actors.svg"), kExitOk) << Err();
  svg = testing::ReadFile(dir_.File("actors.svg"));
  texts = Texts(svg);
  EXPECT_TRUE(Has(texts, "Actant"));
  EXPECT_TRUE(Has(texts, "Acted"));
  // The centre's sphere; too few classes for a significant map.
  EXPECT_GE(Count(svg, "radialGradient"), 1);
  EXPECT_TRUE(Has(texts, "Non significant sample"));

  ASSERT_EQ(Run("--graph distribution --item " + kMachine + " --size 600x300 --output distribution.svg"), kExitOk)
      << Err();
  svg = testing::ReadFile(dir_.File("distribution.svg"));
  texts = Texts(svg);
  // 600 pixels: 20 sectors, each with its count at its foot, then 0 and N.
  EXPECT_EQ(Count(svg, "text"), 20 + 2 + 1);
  EXPECT_GE(Count(svg, "rect"), 2);  // the background and the bars with occurrences

  ASSERT_EQ(Run("--graph episodes --output episodes.svg"), kExitOk) << Err();
  svg = testing::ReadFile(dir_.File("episodes.svg"));
  EXPECT_TRUE(Has(Texts(svg), "0"));

  ASSERT_EQ(Run("--graph star --item \"" + kOther + " > " + kMachine + "\" --output relation.png"), kExitOk)
      << Err();
  const std::string png = testing::ReadFile(dir_.File("relation.png"));
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

// A word of the lemma lists (here the verb "merge", which is no class)
// is drawn as the star of its neighbours, centred on the word; a class of
// the same text is still taken first.
TEST_F(CliGraphTest, AWordOfTheLemmaListsIsDrawnAsItsStar) {
  ASSERT_EQ(Run("--graph star --item merge --output word.svg"), kExitOk) << Err();
  const std::string svg = testing::ReadFile(dir_.File("word.svg"));
  const std::vector<std::string> texts = Texts(svg);
  ASSERT_FALSE(texts.empty());
  EXPECT_TRUE(Has(texts, "merge"));
  EXPECT_GE(Count(svg, "rect"), 2);  // the background and the centre's box

  ASSERT_EQ(Run("--graph distribution --item merge --size 600x300 --output word-distribution.svg"), kExitOk)
      << Err();
  // The title names the word, over the 20 sectors.
  EXPECT_TRUE(Has(Texts(testing::ReadFile(dir_.File("word-distribution.svg"))), "merge"));
}

// A relation's distribution counts each proposition holding it once, at
// the word the text view's walk stops on: the first word of its first
// class, not the proposition's end.
TEST_F(CliGraphTest, ARelationIsCountedWhereTheTextViewFindsIt) {
  const std::string robot = kOther + " > " + kMachine;
  ASSERT_EQ(Run("--result relations --graph distribution --item \"" + robot +
                "\" --size 600x300 --output relation.svg"),
            kExitOk)
      << Err();
  EXPECT_NE(testing::ReadFile(dir_.File("out.txt")).find(robot + "\t0003"), std::string::npos);
  const std::vector<std::string> texts = Texts(testing::ReadFile(dir_.File("relation.svg")));
  ASSERT_GE(texts.size(), 20u);
  int total = 0;
  for (int sector = 0; sector < 20; ++sector) total += std::stoi(texts[sector]);
  EXPECT_EQ(total, 3);
  // "vede" of the 2nd, 4th and 7th propositions lies in sectors 4, 9 and 18
  // of 20; their ends fall one sector later.
  std::string counts;
  for (int sector = 0; sector < 20; ++sector) counts += texts[sector] + " ";
  EXPECT_EQ(counts, "0 0 0 0 1 0 0 0 0 1 0 0 0 0 0 0 0 0 1 0 ");
}

TEST_F(CliGraphTest, UnknownTypesItemsAndOutputsAreErrors) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"--graph pie --output a.svg", "unknown graph pie"},
      {"--graph star --item nimicnimic --output a.svg", "no class or word \"nimicnimic\""},
      {"--graph star --level 2 --item merge --output a.svg", "no class \"merge\" at level 2"},
      {"--graph areas --item \"om > nimicnimic\" --output a.svg", "no relation"},
      {"--graph star --output a.svg", "need --item"},
      {"--graph star --item om --output a.jpg", "ending in .svg or .png"},
      {"--graph star --item om", "needs --output"},
      {"--item om --output a.svg", "go with --graph"},
      {"--graph star --item om --size 10x10 --output a.svg", "--size"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), kExitUsage) << c.args;
    EXPECT_NE(Err().find(c.message), std::string::npos) << c.args << ": " << Err();
    EXPECT_FALSE(std::filesystem::exists(dir_.File("a.svg"))) << c.args;
  }
}

}  // namespace
}  // namespace malvex
