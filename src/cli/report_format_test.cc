#include "cli/report_format.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/report.h"

namespace malvex {
namespace {

// A report of two results, with code page 1250 texts ("casă" and "ţară")
// and a text that needs CSV quoting.
Report SmallReport() {
  Report r;
  r.files = {"a.txt"};
  r.words = 120;
  r.propositions = 14;
  r.completed = true;
  ReportResult style;
  style.result = CliResult::kStyle;
  style.title = "Text style";
  style.information = "Answer";
  ReportItem verdict;
  verdict.type = "verdict";
  verdict.text = "Style rather narrative";
  verdict.id = 339;
  style.items.push_back(verdict);
  ReportResult refs;
  refs.result = CliResult::kReferences;
  refs.title = "References";
  refs.level = 1;
  ReportItem casa;
  casa.type = "class";
  casa.text = "cas\xE3\t0003";
  casa.name = "cas\xE3";
  casa.id = 12;
  casa.frequency = 3;
  casa.actant = 1;
  refs.items.push_back(casa);
  ReportItem tara;
  tara.type = "class";
  tara.text = "\xFE" "ar\xE3, \"mare\"\t0002\t(50%)";
  tara.name = "\xFE" "ar\xE3, \"mare\"";
  tara.frequency = 2;
  tara.percentage = 50;
  refs.items.push_back(tara);
  r.results = {style, refs};
  return r;
}

TEST(ReportFormatTest, TextPrintsTheListLinesInUtf8UnderTitlesWhenSeveral) {
  Report r = SmallReport();
  EXPECT_EQ(FormatText(r),
            "== Text style\nStyle rather narrative\n\n"
            "== References\ncas\xC4\x83\t0003\n\xC8\x9B" "ar\xC4\x83, \"mare\"\t0002\t(50%)\n\n");
  r.results.erase(r.results.begin());
  EXPECT_EQ(FormatText(r), "cas\xC4\x83\t0003\n\xC8\x9B" "ar\xC4\x83, \"mare\"\t0002\t(50%)\n");
}

TEST(ReportFormatTest, JsonCarriesTheNumbersBehindEachLine) {
  const std::string json = FormatJson(SmallReport());
  for (const char* expected : {
           "\"files\": [\"a.txt\"]",
           "\"words\": 120",
           "\"propositions\": 14",
           "\"completed\": true",
           "\"relation_level\": 1",
           "\"name\": \"style\"",
           "{\"type\": \"verdict\", \"text\": \"Style rather narrative\", \"id\": 339}",
           "\"name\": \"references\"",
           "\"level\": 1",
           "{\"type\": \"class\", \"text\": \"cas\xC4\x83\\t0003\", \"name\": \"cas\xC4\x83\", \"id\": 12, "
           "\"frequency\": 3, \"actant\": 1}",
           "\"text\": \"\xC8\x9B" "ar\xC4\x83, \\\"mare\\\"\\t0002\\t(50%)\"",
           "\"percentage\": 50",
       }) {
    EXPECT_NE(json.find(expected), std::string::npos) << expected << "\nin\n" << json;
  }
  // One object, balanced.
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.substr(json.size() - 2), "}\n");
}

TEST(ReportFormatTest, CsvHasAHeaderAndOneQuotedRowPerLine) {
  const std::string csv = FormatCsv(SmallReport());
  EXPECT_EQ(csv,
            "result,rank,type,text,name,second,frequency,percentage,actant,id,second_id,start,end\n"
            "style,1,verdict,Style rather narrative,,,,,,339,,,\n"
            "references,1,class,cas\xC4\x83\t0003,cas\xC4\x83,,3,,1,12,,,\n"
            "references,2,class,\"\xC8\x9B" "ar\xC4\x83, \"\"mare\"\"\t0002\t(50%)\",\"\xC8\x9B" "ar\xC4\x83, "
            "\"\"mare\"\"\",,2,50,,,,,\n");
}

}  // namespace
}  // namespace malvex
