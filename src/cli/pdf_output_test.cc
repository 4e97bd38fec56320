// malvex-cli --pdf, run as a program from an installation of the mini
// edition: the reports asked go into one PDF file, read back with poppler.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <poppler-document.h>
#include <poppler-page.h>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/installed_cli_test_fixture.h"

namespace malvex {
namespace {

// "ma\u0219in\u0103", robot's level-1 class, in UTF-8.
const std::string kMachine = "ma\xC8\x99in\xC4\x83";

class CliPdfTest : public InstalledCliTest {
 protected:
  void SetUp() override { Install("Robots.txt"); }

  // The text of each page of `name` (UTF-8); empty when it is no PDF.
  std::vector<std::string> Pages(const std::string& name) {
    std::vector<std::string> pages;
    std::unique_ptr<poppler::document> doc(poppler::document::load_from_file(dir_.File(name)));
    if (!doc) return pages;
    for (int i = 0; i < doc->pages(); ++i) {
      std::unique_ptr<poppler::page> page(doc->create_page(i));
      const poppler::byte_array bytes = page->text().to_utf8();
      pages.emplace_back(bytes.begin(), bytes.end());
    }
    return pages;
  }

};

bool Has(const std::string& page, const std::string& text) { return page.find(text) != std::string::npos; }

TEST_F(CliPdfTest, ThreeReportsGoIntoOneFileEachOnItsOwnPage) {
  ASSERT_EQ(Run("--pdf out.pdf --reports verbs,references,style"), kExitOk) << Err();
  const std::vector<std::string> pages = Pages("out.pdf");
  ASSERT_EQ(pages.size(), 3u);
  // The printing order, whatever the order asked: statistics, classes, verbs.
  EXPECT_TRUE(Has(pages[0], "Statistics")) << pages[0];
  EXPECT_TRUE(Has(pages[0], "Proposition"));
  EXPECT_FALSE(Has(pages[0], "List of classes"));
  EXPECT_TRUE(Has(pages[1], "List of classes")) << pages[1];
  EXPECT_TRUE(Has(pages[1], kMachine)) << "Romanian letters: " << pages[1];
  EXPECT_TRUE(Has(pages[1], "Actant"));
  EXPECT_FALSE(Has(pages[1], "Statistics"));
  EXPECT_TRUE(Has(pages[2], "Verbs")) << pages[2];
  EXPECT_TRUE(Has(pages[2], "merge"));
  // Each page's footer names the file analysed, as it is written.
  for (const std::string& page : pages) EXPECT_TRUE(Has(page, "Robots.txt")) << page;
}

TEST_F(CliPdfTest, WithoutReportsTheDialogsDefaultsArePrinted) {
  ASSERT_EQ(Run("--pdf out.pdf"), kExitOk) << Err();
  const std::vector<std::string> pages = Pages("out.pdf");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(Has(pages[0], "Text"));
  EXPECT_TRUE(Has(pages[0], "Robot merge la casa."));
  EXPECT_TRUE(Has(pages[1], "List of classes"));
}

TEST_F(CliPdfTest, TheGraphReportDrawsTheItemOfGraph) {
  ASSERT_EQ(Run("--pdf g.pdf --reports graph,text --graph star --level 1 --item " + kMachine), kExitOk) << Err();
  const std::vector<std::string> pages = Pages("g.pdf");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(Has(pages[0], "Robot merge"));
  EXPECT_TRUE(Has(pages[1], "Graph \"" + kMachine + "\"")) << pages[1];
  EXPECT_FALSE(std::filesystem::exists(dir_.File("star.svg")));
}

TEST_F(CliPdfTest, BadUseWritesNoFile) {
  const struct {
    const char* args;
  } cases[] = {{"--pdf out.pdf --reports text,nothing"}, {"--pdf out.txt"}, {"--reports text"},
               {"--pdf out.pdf --each"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), kExitUsage) << c.args;
    EXPECT_FALSE(std::filesystem::exists(dir_.File("out.pdf"))) << c.args;
  }
}

}  // namespace
}  // namespace malvex
