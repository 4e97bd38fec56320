#include "cli/cli_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::Lines;

// ---- A small JSON reader, to read the output back -------------------------

// A JSON value: objects keep their members in order.
struct Json {
  enum Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = kNull;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;

  const Json* Member(const std::string& key) const {
    for (const auto& [k, v] : members)
      if (k == key) return &v;
    return nullptr;
  }
  bool operator==(const Json& o) const {
    return kind == o.kind && boolean == o.boolean && number == o.number && text == o.text && items == o.items &&
           members == o.members;
  }
};

// Reads one JSON value that fills `text` (blanks aside); false on any
// departure from the grammar.
class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : s_(text) {}
  bool Read(Json& value) {
    if (!Value(value)) return false;
    Blanks();
    return at_ == s_.size();
  }

 private:
  void Blanks() {
    while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\n' || s_[at_] == '\t' || s_[at_] == '\r')) ++at_;
  }
  bool Take(char c) {
    Blanks();
    if (at_ < s_.size() && s_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(const char* w) {
    const std::string word(w);
    if (s_.compare(at_, word.size(), word) != 0) return false;
    at_ += word.size();
    return true;
  }
  bool String(std::string& out) {
    if (!Take('"')) return false;
    while (at_ < s_.size()) {
      const char c = s_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= s_.size()) return false;
      const char e = s_[at_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
          if (at_ + 4 > s_.size()) return false;
          const unsigned code = std::stoul(s_.substr(at_, 4), nullptr, 16);
          at_ += 4;
          if (code >= 0x80) return false;  // the writer escapes control characters only
          out += static_cast<char>(code);
          break;
        }
        default: return false;
      }
    }
    return false;
  }
  bool Value(Json& v) {
    Blanks();
    if (at_ >= s_.size()) return false;
    const char c = s_[at_];
    if (c == '{') {
      ++at_;
      v.kind = Json::kObject;
      if (Take('}')) return true;
      do {
        std::string key;
        Json member;
        if (!String(key) || !Take(':') || !Value(member)) return false;
        v.members.emplace_back(std::move(key), std::move(member));
      } while (Take(','));
      return Take('}');
    }
    if (c == '[') {
      ++at_;
      v.kind = Json::kArray;
      if (Take(']')) return true;
      do {
        Json item;
        if (!Value(item)) return false;
        v.items.push_back(std::move(item));
      } while (Take(','));
      return Take(']');
    }
    if (c == '"') {
      v.kind = Json::kString;
      return String(v.text);
    }
    if (Word("true") || Word("false")) {
      v.kind = Json::kBool;
      v.boolean = s_[at_ - 1] == 'e' && s_[at_ - 2] == 'u';
      return true;
    }
    if (Word("null")) return true;
    const size_t start = at_;
    if (s_[at_] == '-') ++at_;
    while (at_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[at_])) || s_[at_] == '.')) ++at_;
    if (at_ == start) return false;
    v.kind = Json::kNumber;
    v.number = std::stod(s_.substr(start, at_ - start));
    return true;
  }

  const std::string& s_;
  size_t at_ = 0;
};

// ---- Helpers ----------------------------------------------------------------

// The first field of a CSV row (file names here hold no comma or quote).
std::string FirstField(const std::string& row) { return row.substr(0, row.find(',')); }

CliOptions Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "malvex-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// What a stream written to holds.
std::string Contents(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  return out;
}

// Texts of the mini edition in which "robot" and "om" recur.
const char kRobots[] =
    "Robot merge la om. Om vorbe\xBAte de robot. Robot merge. Om merge la robot. Robot vorbe\xBAte. Om merge de la "
    "robot.";
const char kHouses[] = "Casa mare. Om merge la casa. Casa frumoas\xE3 vorbe\xBAte. Om merge la casa mare.";

// An engine on the tests' mini edition and a folder of texts, the folder
// the names are taken from; each run writes on fresh streams.
class CliRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(testing::WriteFile(dir.File("robots.txt"), kRobots));
    ASSERT_TRUE(testing::WriteFile(dir.File("houses.txt"), kHouses));
    ASSERT_TRUE(testing::WriteFile(dir.File("empty.txt"), ""));
    ASSERT_TRUE(testing::WriteFile(dir.File("marks.txt"), "... ?! --\n"));
  }
  void TearDown() override { engine->StopEngine(); }

  // Runs malvex-cli's analysis with `args`; returns the exit status and
  // fills `out` and `err`.
  int Run(const std::vector<std::string>& args) {
    const CliOptions o = Parse(args);
    EXPECT_EQ(o.action, CliAction::kAnalyse) << o.error;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> outFile(std::tmpfile(), std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> errFile(std::tmpfile(), std::fclose);
    CliStreams io;
    io.out = outFile.get();
    io.err = errFile.get();
    io.callerFolder = dir.path().string();
    io.interrupted = interrupted;
    const int status = o.each ? AnalyseEach(*engine, o, io) : AnalyseTogether(*engine, o, io);
    out = Contents(outFile.get());
    err = Contents(errFile.get());
    return status;
  }

  // The JSON object malvex-cli prints for `file` analysed alone.
  Json AloneJson(const std::string& file, const std::vector<std::string>& more = {}) {
    std::vector<std::string> args = {"--format", "json"};
    args.insert(args.end(), more.begin(), more.end());
    args.push_back(file);
    EXPECT_EQ(Run(args), kExitOk) << err;
    Json alone;
    EXPECT_TRUE(JsonReader(out).Read(alone)) << out;
    return alone;
  }

  testing::TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  std::function<bool()> interrupted;
  std::string out;
  std::string err;
};

const std::vector<std::string> kResults = {"--result", "style,references,verbs,episodes"};

TEST_F(CliRunTest, EachJsonLineIsTheFilesOwnObjectAndFailuresGetAnErrorObjectInTheirPlace) {
  std::vector<std::string> args = {"--each", "--format", "json"};
  args.insert(args.end(), kResults.begin(), kResults.end());
  for (const char* f : {"robots.txt", "missing.txt", "houses.txt", "empty.txt", "marks.txt", "robots.txt"})
    args.push_back(f);
  EXPECT_EQ(Run(args), kExitSomeFilesFailed);
  const std::string each = out;
  const std::string messages = err;

  const std::vector<std::string> lines = Lines(each);
  ASSERT_EQ(lines.size(), 6u) << each;
  std::vector<Json> records(lines.size());
  std::vector<std::string> files;
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_TRUE(JsonReader(lines[i]).Read(records[i])) << lines[i];
    ASSERT_EQ(records[i].kind, Json::kObject);
    ASSERT_FALSE(records[i].members.empty());
    EXPECT_EQ(records[i].members[0].first, "file");
    files.push_back(records[i].members[0].second.text);
  }
  EXPECT_EQ(files, (std::vector<std::string>{"robots.txt", "missing.txt", "houses.txt", "empty.txt", "marks.txt",
                                             "robots.txt"}));

  // A file that failed: its name, completed false and why, nothing else.
  const std::map<size_t, std::string> failed = {
      {1, "cannot read: No such file or directory"}, {3, "empty file"}, {4, "no words to analyse"}};
  for (const auto& [i, why] : failed) {
    SCOPED_TRACE(files[i]);
    ASSERT_EQ(records[i].members.size(), 3u) << lines[i];
    EXPECT_EQ(records[i].members[1].first, "completed");
    EXPECT_EQ(records[i].members[1].second.kind, Json::kBool);
    EXPECT_FALSE(records[i].members[1].second.boolean);
    EXPECT_EQ(records[i].members[2].first, "error");
    EXPECT_EQ(records[i].members[2].second.text, why);
  }
  EXPECT_EQ(messages,
            "malvex-cli: cannot read missing.txt: No such file or directory\n"
            "malvex-cli: empty.txt: empty file\n"
            "malvex-cli: marks.txt: no words to analyse\n");

  // A file analysed: the object of --format json for that file alone, with
  // "file" in front; the same file later in the run gives the same object.
  for (const size_t i : {0u, 2u, 5u}) {
    SCOPED_TRACE(files[i]);
    Json record = records[i];
    record.members.erase(record.members.begin());
    EXPECT_EQ(record, AloneJson(files[i], kResults));
    EXPECT_TRUE(record.Member("completed")->boolean);
    EXPECT_GT(record.Member("words")->number, 10);
  }
  EXPECT_EQ(records[0], records[5]);
}

TEST_F(CliRunTest, EachCsvHasOneHeaderAndTheFileInFrontOfEveryRow) {
  EXPECT_EQ(Run({"--each", "--format", "csv", "--result", "style,references,verbs", "houses.txt", "missing.txt",
                 "robots.txt", "empty.txt"}),
            kExitSomeFilesFailed);
  const std::vector<std::string> rows = Lines(out);
  ASSERT_GT(rows.size(), 4u);
  EXPECT_EQ(rows[0], "file,result,rank,type,text,name,second,frequency,percentage,actant,id,second_id,start,end");
  size_t headers = 0;
  std::vector<std::string> order;
  for (const std::string& row : rows) {
    if (row.rfind("file,result,", 0) == 0) ++headers;
    const std::string file = FirstField(row);
    if (order.empty() || order.back() != file) order.push_back(file);
  }
  EXPECT_EQ(headers, 1u);
  EXPECT_EQ(order, (std::vector<std::string>{"file", "houses.txt", "missing.txt", "robots.txt", "empty.txt"}));
  EXPECT_NE(std::find(rows.begin(), rows.end(), "missing.txt,,,error,cannot read: No such file or directory,,,,,,,,,"),
            rows.end());
  EXPECT_EQ(rows.back(), "empty.txt,,,error,empty file,,,,,,,,,");

  // Past the file column, a file's rows are those of --format csv for it
  // alone, header aside.
  std::vector<std::string> robots;
  for (const std::string& row : rows)
    if (FirstField(row) == "robots.txt") robots.push_back(row.substr(std::string("robots.txt,").size()));
  ASSERT_EQ(Run({"--format", "csv", "--result", "style,references,verbs", "robots.txt"}), kExitOk);
  std::vector<std::string> alone = Lines(out);
  alone.erase(alone.begin());
  EXPECT_EQ(robots, alone);
  EXPECT_GT(robots.size(), 4u);
}

TEST_F(CliRunTest, EachTextPutsEveryFileUnderItsNameLine) {
  EXPECT_EQ(Run({"--each", "robots.txt", "missing.txt", "houses.txt"}), kExitSomeFilesFailed);
  const std::string each = out;
  ASSERT_EQ(Run({"robots.txt"}), kExitOk);
  const std::string robots = out;
  ASSERT_EQ(Run({"houses.txt"}), kExitOk);
  const std::string houses = out;
  EXPECT_EQ(each, "== robots.txt\n" + robots + "\n" + "== missing.txt\nerror: cannot read: No such file or directory\n\n" +
                      "== houses.txt\n" + houses + "\n");
}

TEST_F(CliRunTest, EachEndsWithStatus0WhenEveryFileWasAnalysed) {
  EXPECT_EQ(Run({"--each", "--format", "json", "robots.txt", "houses.txt", dir.File("robots.txt")}), kExitOk);
  EXPECT_EQ(Lines(out).size(), 3u);
  EXPECT_EQ(err, "");
}

TEST_F(CliRunTest, EachStoppedByTheUserEndsAfterTheFileUnderWayWithStatus1) {
  // Ctrl-C comes while the first file is analysed.
  int asked = 0;
  interrupted = [&asked] { return ++asked > 1; };
  EXPECT_EQ(Run({"--each", "--format", "json", "robots.txt", "houses.txt", "robots.txt"}), kExitAnalysisFailed);
  const std::vector<std::string> lines = Lines(out);
  ASSERT_EQ(lines.size(), 1u);
  Json record;
  ASSERT_TRUE(JsonReader(lines[0]).Read(record));
  EXPECT_EQ(record.Member("file")->text, "robots.txt");
  EXPECT_EQ(err, "malvex-cli: stopped after 1 of 3 file(s)\n");
}

// A text file of `words` words of 10 bytes.
void WriteBigText(const std::string& path, int words) {
  std::string text;
  text.reserve(static_cast<size_t>(words) * 10);
  for (int w = 0; w < words; ++w) text += "abcdefgh. ";
  ASSERT_TRUE(testing::WriteFile(path, text));
}

TEST_F(CliRunTest, ATextCutByTheSizeWarningIsNotReportedComplete) {
  // The smallest size warning, 2 units of 1,024,000 bytes: the question
  // comes after 250,000 words of the first file and is answered No.
  engine->record().setTextSizeWarning(2);
  WriteBigText(dir.File("big.txt"), 300000);
  frontEnd.box.QueueAnswer(kButton2);
  EXPECT_EQ(Run({"--format", "json", "big.txt", "robots.txt"}), kExitAnalysisFailed);
  Json report;
  ASSERT_TRUE(JsonReader(out).Read(report)) << out.substr(0, 400);
  EXPECT_FALSE(report.Member("completed")->boolean);
  const int64_t kept = engine->stream().HighestPosition();
  EXPECT_EQ(report.Member("words")->number, kept);
  EXPECT_GE(kept, 200000);
  EXPECT_LT(kept, 300000);
  const std::string cut = "text cut at word 250000 of big.txt (the size warning was answered No) and the 1 file(s) "
                          "after it were not read; " + std::to_string(kept) + " words kept";
  ASSERT_NE(report.Member("error"), nullptr);
  EXPECT_EQ(report.Member("error")->text, cut);
  EXPECT_EQ(err,
            "malvex-cli: the text was cut: it is bigger than the size warning (2 MB) and the question was answered "
            "No; the reading stopped at word 250000 of big.txt and the 1 file(s) after it were not read; the "
            "analysis keeps " + std::to_string(kept) + " words (-y reads the whole text)\n");

  // Answered Yes, the whole text is analysed.
  frontEnd.box.QueueAnswer(kButton1);
  EXPECT_EQ(Run({"--format", "json", "big.txt", "robots.txt"}), kExitOk);
  ASSERT_TRUE(JsonReader(out).Read(report = Json{}));
  EXPECT_TRUE(report.Member("completed")->boolean);
  EXPECT_EQ(report.Member("error"), nullptr);
  EXPECT_GT(report.Member("words")->number, 300000);
  EXPECT_EQ(err, "");

  // With --each the cut file's record says so, and the next file is read.
  frontEnd.box.QueueAnswer(kButton2);
  EXPECT_EQ(Run({"--each", "--format", "json", "big.txt", "robots.txt"}), kExitSomeFilesFailed);
  const std::vector<std::string> lines = Lines(out);
  ASSERT_EQ(lines.size(), 2u);
  Json big;
  Json robots;
  ASSERT_TRUE(JsonReader(lines[0]).Read(big));
  ASSERT_TRUE(JsonReader(lines[1]).Read(robots));
  EXPECT_FALSE(big.Member("completed")->boolean);
  EXPECT_EQ(big.Member("error")->text.rfind("text cut at word 250000 of big.txt", 0), 0u);
  EXPECT_NE(big.Member("results"), nullptr);
  EXPECT_TRUE(robots.Member("completed")->boolean);
}

struct EmptyCase {
  const char* label;
  std::vector<std::string> files;
  std::string error;     // the JSON "error"
  std::string messages;  // standard error
};

class CliRunEmptyTest : public CliRunTest, public ::testing::WithParamInterface<EmptyCase> {};

TEST_P(CliRunEmptyTest, AFileThatGivesNoWordsIsNamedAndTheResultIsNotComplete) {
  const EmptyCase& c = GetParam();
  std::vector<std::string> args = {"--format", "json"};
  args.insert(args.end(), c.files.begin(), c.files.end());
  EXPECT_EQ(Run(args), kExitUnreadableInput);
  Json report;
  ASSERT_TRUE(JsonReader(out).Read(report)) << out;
  EXPECT_FALSE(report.Member("completed")->boolean);
  EXPECT_EQ(report.Member("error")->text, c.error);
  EXPECT_EQ(err, c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliRunEmptyTest,
    ::testing::Values(EmptyCase{"empty", {"empty.txt"}, "empty file", "malvex-cli: empty.txt: empty file\n"},
                      EmptyCase{"no_words", {"marks.txt"}, "no words to analyse",
                                "malvex-cli: marks.txt: no words to analyse\n"},
                      EmptyCase{"one_of_several",
                                {"robots.txt", "empty.txt", "houses.txt"},
                                "empty.txt: empty file",
                                "malvex-cli: empty.txt: empty file\n"}),
    [](const ::testing::TestParamInfo<EmptyCase>& info) { return std::string(info.param.label); });

// The program itself, run from an installation of the mini edition.
TEST(MalvexCliEachTest, TheProgramWritesOneLinePerFileAndTellsFailuresByItsStatus) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::WriteTestInstallation(dir.path(), MALVEX_TEST_EDITION));
  std::error_code ec;
  std::filesystem::copy_file(MALVEX_CLI_PROGRAM, dir.path() / "bin" / "malvex-cli", ec);
  ASSERT_FALSE(ec) << ec.message();
  ASSERT_TRUE(testing::WriteFile(dir.File("a.txt"), kRobots));
  ASSERT_TRUE(testing::WriteFile(dir.File("b.txt"), kHouses));
  ASSERT_TRUE(testing::WriteFile(dir.File("list.txt"), "a.txt\nmissing.txt\nb.txt\n"));
  const auto run = [&](const std::string& args) {
    const std::string command = "cd '" + dir.path().string() + "' && XDG_CONFIG_HOME='" + dir.File("config") +
                                "' XDG_DATA_HOME='" + dir.File("data") + "' ./bin/malvex-cli " + args + " > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status);
  };
  EXPECT_EQ(run("--each -q --format json --list list.txt"), kExitSomeFilesFailed);
  const std::vector<std::string> lines = Lines(testing::ReadFile(dir.File("out.txt")));
  ASSERT_EQ(lines.size(), 3u);
  const char* const names[] = {"a.txt", "missing.txt", "b.txt"};
  for (size_t i = 0; i < 3; ++i) {
    Json record;
    ASSERT_TRUE(JsonReader(lines[i]).Read(record)) << lines[i];
    EXPECT_EQ(record.Member("file")->text, names[i]);
    EXPECT_EQ(record.Member("completed")->boolean, i != 1);
  }
  EXPECT_NE(testing::ReadFile(dir.File("err.txt")).find("malvex-cli: cannot read missing.txt: No such file or directory\n"),
            std::string::npos);
  EXPECT_EQ(run("--each -q --format csv a.txt b.txt"), kExitOk);
  EXPECT_EQ(run("-q --format json a.txt b.txt"), kExitOk);
  EXPECT_EQ(run("--each --tagged a.txt"), kExitUsage);
}

}  // namespace
}  // namespace malvex
