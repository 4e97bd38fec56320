#include "app/external_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace malvex {
namespace {

// Records what the request asks of the window.
class FakeTarget : public RequestTarget {
 public:
  bool Busy() override { return busy; }
  void ShowError(int id) override { calls.push_back("error " + std::to_string(id)); }
  void RestoreAndFocus() override { calls.push_back("focus"); }
  PendingExpressions& Pending() override { return pending; }
  void CloseCurrentText() override { calls.push_back("close"); }
  std::string CurrentScenario() override { return scenario; }
  void LoadScenario(const std::string& name) override { calls.push_back("scenario " + name); }
  void AnalyseFiles(const std::vector<std::string>& files, bool history) override {
    std::string call = history ? "analyse+history" : "analyse";
    for (const std::string& f : files) call += " " + f;
    calls.push_back(call);
  }

  bool busy = false;
  std::string scenario = "Concepts Romanian V8.scn";
  PendingExpressions pending;
  std::vector<std::string> calls;
};

ExternalRequest TextRequest(const std::string& path) {
  ExternalRequest r;
  r.command = ExternalRequest::kAnalyseText;
  r.path = path;
  r.expression = "casa";
  r.levelCode = 3;
  return r;
}

TEST(ExternalRequestTest, RecordLayoutRoundTrips) {
  ExternalRequest r = TextRequest("/home/u/texte.txt");
  r.scenario = "Mine.scn";
  const std::string record = EncodeExternalRequest(r);
  ASSERT_EQ(record.size(), kExternalRequestSize);
  EXPECT_EQ(record.substr(4, 8), "Mine.scn");
  EXPECT_EQ(record.substr(265, 17), "/home/u/texte.txt");
  EXPECT_EQ(record.substr(526, 4), "casa");
  EXPECT_EQ(record[2126], 3);
  EXPECT_EQ(record[2127], 0);

  ExternalRequest back;
  ASSERT_TRUE(ParseExternalRequest(record, back));
  EXPECT_EQ(back.command, r.command);
  EXPECT_EQ(back.scenario, r.scenario);
  EXPECT_EQ(back.path, r.path);
  EXPECT_EQ(back.expression, r.expression);
  EXPECT_EQ(back.levelCode, 3);
}

TEST(ExternalRequestTest, OnlyTheExactLengthAndKnownCommandsAreAccepted) {
  const std::string good = EncodeExternalRequest(TextRequest("/t.txt"));
  std::string unknownCommand = good;
  unknownCommand[0] = 2;
  const std::string cases[] = {good.substr(0, 2166), good + '\0', std::string(), unknownCommand};
  for (const std::string& payload : cases) {
    ExternalRequest r;
    EXPECT_FALSE(ParseExternalRequest(payload, r)) << payload.size();
    FakeTarget target;
    EXPECT_FALSE(ActOnExternalRequest(payload, target));
    EXPECT_EQ(target.calls, std::vector<std::string>{"error 451"});
  }
}

TEST(ExternalRequestTest, FieldWithoutItsZeroEndsAtTheFieldLimit) {
  std::string record = EncodeExternalRequest(TextRequest(""));
  for (size_t i = 265; i < 526; ++i) record[i] = 'x';
  ExternalRequest r;
  ASSERT_TRUE(ParseExternalRequest(record, r));
  EXPECT_EQ(r.path, std::string(260, 'x'));
  EXPECT_EQ(r.expression, "casa");
}

TEST(ExternalRequestTest, TextRequestAnalysesTheTextWithItsExpression) {
  FakeTarget target;
  target.pending.entries[5].text = "old";
  ExternalRequest r = TextRequest("/t/texte.txt");
  r.scenario = "concepts romanian v8.scn";  // the current one, in other case
  ASSERT_TRUE(ActOnExternalRequest(EncodeExternalRequest(r), target));
  EXPECT_EQ(target.calls, (std::vector<std::string>{"focus", "close", "analyse+history /t/texte.txt"}));
  EXPECT_EQ(target.pending.entries[0].text, "casa");
  EXPECT_TRUE(target.pending.entries[0].levelGiven);
  EXPECT_EQ(target.pending.entries[0].level, 3);
  EXPECT_TRUE(target.pending.entries[5].Empty());

  FakeTarget other;
  r.scenario = "Other.scn";
  ASSERT_TRUE(ActOnExternalRequest(EncodeExternalRequest(r), other));
  EXPECT_EQ(other.calls,
            (std::vector<std::string>{"focus", "close", "scenario Other.scn", "analyse+history /t/texte.txt"}));
}

TEST(ExternalRequestTest, ListRequestAnalysesTheListedFiles) {
  testing::TempDir dir;
  const std::string one = dir.File("one.lst");
  const std::string two = dir.File("two.lst");
  ASSERT_TRUE(testing::WriteFile(one, "a.txt\n"));
  ASSERT_TRUE(testing::WriteFile(two, "a.txt\nb.txt\n"));
  struct Case {
    std::string list;
    std::vector<std::string> calls;
    bool accepted;
  };
  const Case cases[] = {
      {one, {"focus", "analyse+history " + dir.File("a.txt")}, true},
      {two, {"focus", "analyse " + dir.File("a.txt") + " " + dir.File("b.txt")}, true},
      {dir.File("none.lst"), {"focus", "error 18"}, false},
  };
  for (const Case& c : cases) {
    FakeTarget target;
    ExternalRequest r;
    r.command = ExternalRequest::kAnalyseList;
    r.path = c.list;
    EXPECT_EQ(ActOnExternalRequest(EncodeExternalRequest(r), target), c.accepted);
    EXPECT_EQ(target.calls, c.calls);
  }
}

TEST(ExternalRequestTest, BusyWindowIgnoresTheRequest) {
  FakeTarget target;
  target.busy = true;
  EXPECT_FALSE(ActOnExternalRequest(EncodeExternalRequest(TextRequest("/t.txt")), target));
  EXPECT_TRUE(target.calls.empty());
}

TEST(ExternalRequestTest, LevelCodeAsNumberOrDigit) {
  struct Case {
    uint16_t code;
    bool given;
    int level;
  };
  const Case cases[] = {{1, true, 1}, {4, true, 4}, {'2', true, 2}, {0, false, 0}, {5, false, 0}, {'9', false, 0}};
  for (const Case& c : cases) {
    ExternalRequest r = TextRequest("/t.txt");
    r.levelCode = c.code;
    const DisplayRequest d = ExpressionOf(r);
    EXPECT_EQ(d.levelGiven, c.given) << c.code;
    EXPECT_EQ(d.level, c.level) << c.code;
  }
}

}  // namespace
}  // namespace malvex
