#include "app/open_filters.h"

#include <gtest/gtest.h>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

TEST(OpenFilters, FamiliesInDialogOrderWithTheirPatterns) {
  struct Case {
    int messageId;
    const char* joined;
    const char* nameFilter;
  };
  const Case cases[] = {
      {484, "*.txt", "ANSI text (*.txt)"},
      {487, "*.htm;*.html;*.shtml;*.txt", "Web pages (*.htm *.html *.shtml *.txt)"},
      {488, "*.xml", "XML file (*.xml)"},
      {489, "*.rtf", "RTF file (*.rtf)"},
      {491, "*.sgm;*.sgml", "SGML file (*.sgm *.sgml)"},
      {485, "*.asc;*.tx8", "ASCII text (*.asc *.tx8)"},
      {490, "*.mac", "Macintosh text (*.mac)"},
      {492, "*.doc;*.docx", "MS Word Documents (*.doc *.docx)"},
      {493, "*.pdf", "PDF Documents (*.pdf)"},
      {1306, "*.ppt;*.pptx;*.ppsx", "PowerPoint (*.ppt *.pptx *.ppsx)"},
      {1307, "*.odt;*.odp", "OpenDocument Files (*.odt *.odp)"},
      {459, "*.*", "All files (*)"},
  };
  ScriptedBox box;
  Messages messages(box);
  const std::vector<OpenFilter>& filters = OpenFilters();
  ASSERT_EQ(filters.size(), static_cast<size_t>(kOpenFilterCount));
  for (size_t i = 0; i < filters.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(filters[i].messageId, cases[i].messageId);
    EXPECT_EQ(JoinedPatterns(filters[i]), cases[i].joined);
    EXPECT_EQ(NameFilter(messages.message(filters[i].messageId), filters[i]), cases[i].nameFilter);
  }
  EXPECT_TRUE(box.asked().empty());
}

TEST(OpenFilters, LabelWithoutPatternsKeepsItsText) {
  const OpenFilter filter{484, {".txt"}};
  EXPECT_EQ(NameFilter("Texte", filter), "Texte (*.txt)");
  EXPECT_EQ(NameFilter("Texte (brut) ", filter), "Texte (brut) (*.txt)");
}

TEST(OpenFilters, InitialFilterFallsBackToAllFiles) {
  const int cases[][2] = {{-3, 12}, {0, 12}, {1, 1}, {9, 9}, {12, 12}, {13, 12}, {700, 12}};
  for (const auto& c : cases) EXPECT_EQ(InitialOpenFilter(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace malvex
