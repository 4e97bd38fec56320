#include "app/main_window_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

// A host that keeps a file stack like the engine's (at most 10000 names)
// and logs what the model asks of it.
class FakeHost : public MainWindowHost {
 public:
  bool AnalysisRunning() override { return running; }
  bool PdfConverterInstalled() override { return converter; }
  void OpenAnalysisOptions() override { log.push_back("options"); }
  void CloseTextView() override { log.push_back("close"); }
  void ClearFiles() override { stack.clear(); }
  bool PushFile(const std::string& path) override {
    if (stack.size() >= 10000 || failPush) return false;
    stack.push_back(path);
    return true;
  }
  bool RunAnalysis() override {
    log.push_back("run");
    analysed.push_back(stack);
    return true;
  }
  void SetCurrentFolder(const std::string& folder) override { currentFolder = folder; }
  void HistoryChanged() override { ++historyChanges; }

  bool running = false;
  bool converter = true;
  bool failPush = false;
  std::vector<std::string> log;
  std::vector<std::string> stack;
  std::vector<std::vector<std::string>> analysed;
  std::string currentFolder;
  int historyChanges = 0;
};

class MainWindowModelTest : public ::testing::Test {
 protected:
  MainWindowModelTest() : messages_(box_), model_(record_, messages_, host_) {}

  ScriptedBox box_;
  Messages messages_;
  SettingsRecord record_;
  FakeHost host_;
  MainWindowModel model_;
};

std::vector<std::string> Paths(int n) {
  std::vector<std::string> paths;
  for (int i = 1; i <= n; ++i) paths.push_back("/corpus/f" + std::to_string(i) + ".txt");
  return paths;
}

TEST_F(MainWindowModelTest, OneFileOpenedIsStackedAloneAndGoesIntoTheHistory) {
  ASSERT_TRUE(model_.FileOpen1Execute({"/home/ana/Text/poem.txt"}, 1));
  EXPECT_EQ(host_.log, (std::vector<std::string>{"close", "run"}));
  ASSERT_EQ(host_.analysed.size(), 1u);
  EXPECT_EQ(host_.analysed[0], std::vector<std::string>{"/home/ana/Text/poem.txt"});
  EXPECT_EQ(model_.history().Slot(1), "/home/ana/Text/poem.txt");
  EXPECT_EQ(host_.historyChanges, 1);
  EXPECT_EQ(host_.currentFolder, "/home/ana/Text");
  EXPECT_EQ(record_.fileType(), 1);
  EXPECT_EQ(record_.openFilterIndex(), 1);
  EXPECT_EQ(model_.currentFile(), "/home/ana/Text/poem.txt");
}

TEST_F(MainWindowModelTest, SelectionsAreOneCorpusCutToTenThousandFiles) {
  struct Case {
    int selected;
    size_t stacked;
  };
  for (const Case c : {Case{2, 2}, Case{10000, 10000}, Case{10001, 10000}}) {
    SCOPED_TRACE(c.selected);
    FakeHost host;
    SettingsRecord record;
    MainWindowModel model(record, messages_, host);
    const std::vector<std::string> selection = Paths(c.selected);
    ASSERT_TRUE(model.FileOpen1Execute(selection, 12));
    ASSERT_EQ(host.analysed.size(), 1u);
    EXPECT_EQ(host.analysed[0].size(), c.stacked);
    EXPECT_EQ(host.analysed[0].front(), selection.front());
    EXPECT_EQ(host.analysed[0].back(), selection[c.stacked - 1]);
    // A corpus does not go into the history.
    EXPECT_EQ(model.history().Slot(1), "");
    EXPECT_EQ(record.openFilterIndex(), 12);
  }
}

TEST_F(MainWindowModelTest, AFailedPushOpensNothing) {
  host_.failPush = true;
  EXPECT_FALSE(model_.FileOpen1Execute(Paths(3), 12));
  EXPECT_TRUE(host_.analysed.empty());
  EXPECT_FALSE(model_.HasAnalysed());
}

TEST_F(MainWindowModelTest, NothingOpensWhileAnalysingOrClosing) {
  host_.running = true;
  EXPECT_FALSE(model_.FileOpen1Execute({"/t/a.txt"}, 1));
  EXPECT_FALSE(model_.WmDropFiles({"/t/a.txt"}));
  model_.history().Add("/t/h.txt");
  EXPECT_FALSE(model_.MenuHistoFichierClick(1));
  host_.running = false;
  model_.SetClosing();
  EXPECT_FALSE(model_.WmDropFiles({"/t/a.txt"}));
  EXPECT_FALSE(model_.ReLancerAnalyse());
  EXPECT_TRUE(host_.log.empty());
  EXPECT_EQ(model_.history().Slot(1), "/t/h.txt");
}

TEST_F(MainWindowModelTest, ADropOpensOnlyTheFirstFile) {
  ASSERT_TRUE(model_.WmDropFiles({"/t/one.txt", "/t/two.txt", "/t/three.txt"}));
  ASSERT_EQ(host_.analysed.size(), 1u);
  EXPECT_EQ(host_.analysed[0], std::vector<std::string>{"/t/one.txt"});
  EXPECT_EQ(model_.history().Slot(1), "/t/one.txt");
  EXPECT_EQ(model_.history().Slot(2), "");
}

TEST_F(MainWindowModelTest, HistoryMenuReopensItsSlotAndMovesItToTheTop) {
  for (const std::string& p : Paths(4)) model_.history().Add(p);  // f4 on top
  ASSERT_TRUE(model_.MenuHistoFichierClick(3));                  // f2
  EXPECT_EQ(host_.analysed.back(), std::vector<std::string>{"/corpus/f2.txt"});
  EXPECT_EQ(model_.history().Slot(1), "/corpus/f2.txt");
  EXPECT_EQ(model_.history().Slot(2), "/corpus/f4.txt");
  EXPECT_EQ(model_.history().Slot(3), "/corpus/f3.txt");
  EXPECT_EQ(model_.history().Slot(4), "/corpus/f1.txt");
  EXPECT_FALSE(model_.MenuHistoFichierClick(5));  // an empty slot
  EXPECT_FALSE(model_.MenuHistoFichierClick(9));  // not a menu slot
  EXPECT_EQ(host_.analysed.size(), 1u);
}

TEST_F(MainWindowModelTest, PdfDocumentsNeedAConverterAndTheirOption) {
  struct Case {
    const char* name;
    const char* file;
    bool converter;
    bool pdfOption;
    const char* box;  // the error shown, empty for none
    bool options;     // the analysis options opened
    bool analysed;
  };
  const Case cases[] = {
      {"no converter", "/t/a.pdf", false, true,
       "The conversion of the PDF and Office formats requires the installation of specific drivers on your "
       "computer. See software User's manual for more information.",
       false, false},
      {"conversion off", "/t/a.PDF", true, false,
       "The analysis of PDF documents is disabled. Please change the Analysis options of to handle this file "
       "format.",
       true, false},
      {"conversion on", "/t/a.pdf", true, true, "", false, true},
      // A plain text opens whatever filter the dialog had last.
      {"plain text after the PDF filter", "/t/a.txt", false, false, "", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedBox box;
    Messages messages(box);
    SettingsRecord record;
    record.setFileType(9);
    record.setPdfThroughExtractor(c.pdfOption);
    FakeHost host;
    host.converter = c.converter;
    MainWindowModel model(record, messages, host);
    model.SetCurrentFile(c.file);
    EXPECT_EQ(model.CmOuvrir(true, false), c.analysed);
    if (c.box[0] == '\0') {
      EXPECT_TRUE(box.asked().empty());
    } else {
      ASSERT_EQ(box.asked().size(), 1u);
      EXPECT_EQ(box.asked()[0].text, c.box);
    }
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "options"), c.options ? 1 : 0);
    EXPECT_EQ(host.analysed.size(), c.analysed ? 1u : 0u);
    EXPECT_EQ(model.history().Slot(1), c.analysed ? c.file : "");
  }
}

TEST_F(MainWindowModelTest, RerunAnalysesTheSameStackOnlyAfterAFirstAnalysis) {
  EXPECT_FALSE(model_.ReLancerAnalyse());
  ASSERT_TRUE(model_.FileOpen1Execute(Paths(3), 1));
  host_.log.clear();
  ASSERT_TRUE(model_.ReLancerAnalyse());
  EXPECT_EQ(host_.log, (std::vector<std::string>{"close", "run"}));
  ASSERT_EQ(host_.analysed.size(), 2u);
  EXPECT_EQ(host_.analysed[1], host_.analysed[0]);
  host_.running = true;
  EXPECT_FALSE(model_.ReLancerAnalyse());
}

TEST_F(MainWindowModelTest, FilesListIsAnalysedInListOrderWithoutHistory) {
  EXPECT_FALSE(model_.ButtonListeFichiersAnalyserClick());  // empty list
  model_.filesList().Add({"/t/c.txt", "/t/a.txt", "/t/b.txt"});
  ASSERT_TRUE(model_.ButtonListeFichiersAnalyserClick());
  EXPECT_EQ(host_.analysed.back(), (std::vector<std::string>{"/t/c.txt", "/t/a.txt", "/t/b.txt"}));
  model_.filesList().Sort();
  ASSERT_TRUE(model_.ButtonListeFichiersAnalyserClick());
  EXPECT_EQ(host_.analysed.back(), (std::vector<std::string>{"/t/a.txt", "/t/b.txt", "/t/c.txt"}));
  EXPECT_EQ(model_.history().Slot(1), "");
  EXPECT_EQ(host_.historyChanges, 0);
}

TEST_F(MainWindowModelTest, StartUpClearsTheHistoryUnlessItIsKept) {
  for (bool keep : {true, false}) {
    SCOPED_TRACE(keep);
    SettingsRecord record;
    record.setKeepFileHistory(keep);
    record.setHistoryEntry(0, "/t/a.txt");
    FakeHost host;
    MainWindowModel model(record, messages_, host);
    model.StartUp();
    EXPECT_EQ(model.history().Slot(1), keep ? "/t/a.txt" : "");
    EXPECT_EQ(host.historyChanges, 1);
  }
}

TEST(MenuState, NoTextAndResultsStates) {
  const MenuState none = MenuStateFor(false, true);
  EXPECT_FALSE(none.textCommands);
  EXPECT_FALSE(none.episodes);
  EXPECT_FALSE(none.resultsPage);
  EXPECT_FALSE(none.panels);
  EXPECT_EQ(none.explanationTitleId, 1071);
  const MenuState results = MenuStateFor(true, true);
  EXPECT_TRUE(results.textCommands);
  EXPECT_TRUE(results.episodes);
  EXPECT_TRUE(results.resultsPage);
  EXPECT_TRUE(results.panels);
  EXPECT_EQ(results.explanationTitleId, 1070);
  EXPECT_FALSE(MenuStateFor(true, false).episodes);
}

TEST(StartLayout, GeometryFollowsTheWorkArea) {
  struct Case {
    int left, top, width, height;
    WindowLayout expected;
  };
  const Case cases[] = {
      {0, 0, 800, 600, {10, 40, 560, 520, 240, 200}},
      {0, 0, 1024, 768, {10, 40, 654, 688, 324, 256}},
      {0, 0, 1280, 1024, {10, 40, 910, 944, 452, 288}},
      {0, 0, 1920, 1080, {10, 40, 1550, 1000, 480, 340}},
      {100, 30, 1920, 1050, {110, 70, 1550, 970, 465, 340}},
      {0, 0, 200, 60, {10, 40, 1, 1, 1, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    const WindowLayout l = StartLayout(c.left, c.top, c.width, c.height);
    EXPECT_EQ(l.left, c.expected.left);
    EXPECT_EQ(l.top, c.expected.top);
    EXPECT_EQ(l.width, c.expected.width);
    EXPECT_EQ(l.height, c.expected.height);
    EXPECT_EQ(l.graphPanelHeight, c.expected.graphPanelHeight);
    EXPECT_EQ(l.resultsPanelWidth, c.expected.resultsPanelWidth);
  }
}


TEST(TextPopup, ItemsFollowTheToolWindows) {
  struct Case {
    ToolWindows tools;
    bool closing;
    TextPopupItems expected;
  };
  const Case cases[] = {
      // This version's windows: only Colours can be chosen.
      {{}, false, {false, false, false, false, false, true}},
      {{true, true, true, false}, false, {true, true, true, false, false, true}},
      {{false, false, false, true}, false, {false, false, false, true, true, true}},
      // The scenario items wait for a window that is not closing.
      {{false, false, false, true}, true, {false, false, false, false, false, true}},
  };
  for (const Case& c : cases) {
    const TextPopupItems items = PopupMenuImageTextePopup(c.tools, c.closing);
    EXPECT_EQ(items.copy, c.expected.copy);
    EXPECT_EQ(items.search, c.expected.search);
    EXPECT_EQ(items.context, c.expected.context);
    EXPECT_EQ(items.copyIntoScenario, c.expected.copyIntoScenario);
    EXPECT_EQ(items.insertIntoScenario, c.expected.insertIntoScenario);
    EXPECT_EQ(items.colours, c.expected.colours);
  }
}

class FakeClipboard : public ClipboardText {
 public:
  bool SetText(const std::string& text) override {
    if (fail) return false;
    held = text;
    return true;
  }
  bool fail = false;
  std::string held = "before";
};

TEST(CopyResults, OneLinePerItemAndTheStatusText) {
  ScriptedBox box;
  Messages messages(box);
  FakeClipboard clipboard;
  const std::vector<std::string> lines = {"pia\xFE\xE3\t0004", "timp\t0002"};
  EXPECT_EQ(CopyResultatsDsClipBrd(lines, clipboard, messages), "The results are copied in the clipboard");
  EXPECT_EQ(clipboard.held, "pia\xFE\xE3\t0004\ntimp\t0002\n");
  EXPECT_EQ(ResultsClipboardText({}), "");
}

TEST(CopyResults, AClipboardFailureShowsTheErrorTitle) {
  ScriptedBox box;
  Messages messages(box);
  FakeClipboard clipboard;
  clipboard.fail = true;
  EXPECT_EQ(CopyResultatsDsClipBrd({"a\t0001"}, clipboard, messages), "Error");
  EXPECT_EQ(clipboard.held, "before");
}

}  // namespace
}  // namespace malvex
