// The engine: the long-lived objects every analysis uses, created once per
// process by StartEngine and freed by StopEngine, and the analysis run that
// turns the file list into a filled word stream (the reading pass) and
// hands over to the semantic pass.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dictionaries/borders.h"
#include "dictionaries/category_matrix.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "dictionaries/semantic_dictionary.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/front_end.h"
#include "reading/document_converters.h"
#include "reading/file_list.h"
#include "reading/read_ahead.h"
#include "reading/reading_environment.h"
#include "reading/run_state.h"
#include "reading/word_stream.h"
#include "semantic/category_statistics.h"
#include "semantic/semantic_environment.h"
#include "settings/settings.h"

namespace malvex {

class AnalysisContext;
class CurrentScenario;
class ScenarioLayer;
class ScenarioStore;
class SegmentBuffer;
class TScenParser;

// Where the engine finds its folders. Without `places` the engine uses
// those of the running program (folders beside it, registry and user
// folder under the XDG folders).
struct EngineOptions {
  std::optional<SettingsPlaces> places;
  // The front end's set-up wizard for a first multi-user start; none in
  // batch use (the installation then runs single-user).
  SetupWizardRunner wizard;
  // When not empty, the borders file (a path) every run uses instead of
  // the one the settings name.
  std::string bordersPath;
};

// The engine implements the environments of the reading pass and of the
// semantic pass: both see its objects through them.
class Engine final : public ReadingEnvironment, public SemanticEnvironment {
 public:
  static constexpr size_t kMatrixBytes = CategoryMatrix::kBytes;
  static constexpr size_t kScratchBytes = 65535;
  static constexpr uint32_t kNounIndexCapacity = 5000000;

  // `frontEnd` must outlive the engine.
  Engine(FrontEnd& frontEnd, EngineOptions options);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Creates the engine objects in order and loads the settings. Fatal
  // errors end the process through FatalExit (codes 1, 2, 1412).
  bool StartEngine();
  // One complete analysis of the file list; true when the semantic pass
  // completed.
  bool RunAnalysis(uint8_t mode);
  // Fills the word stream from the file list.
  bool ReadingPass();
  // When `condition`, cleans up the run and returns true.
  bool AbortRun(bool condition);
  // Polls the gauge; true when the run must end.
  bool CheckStop();
  // Drops the semantic context of the last run; with `clearStream` also
  // the analysed text.
  void ReleaseAnalysis(bool clearStream);
  // Saves the settings and frees every engine object, in order.
  void StopEngine();

  bool Started() const { return started_; }

  FrontEnd& frontEnd() { return frontEnd_; }
  Messages& messages() override { return messages_; }
  RunState& run() override { return run_; }
  const RunState& run() const { return run_; }
  TPileFile& files() { return *files_; }
  WordStream& stream() override { return *stream_; }
  LanguageTables& tables() override { return tables_; }
  Settings& settings() { return *settings_; }
  SettingsRecord& record() override { return settings_->record(); }
  RunFlags& runFlags() { return settings_->runFlags(); }
  Folders& folders() override { return settings_->folders(); }
  const Parameters& parameters() const override { return settings_->parameters(); }
  TThreadDeLectureDisque& worker() override { return *worker_; }
  Lexicon& lexicon() { return *lexicon_; }
  SemanticDictionary& semanticDictionary() override { return *semantic_; }
  // The verb and adjective lemma indexes; null before StartEngine.
  LemmaIndex* verbLemmas() override { return verbLemmas_.get(); }
  LemmaIndex* adjectiveLemmas() override { return adjectiveLemmas_.get(); }
  BordersStore& borders() override { return *borders_; }
  // The document converters, started with the engine on the registered
  // programs; the reading pass converts with them and the window asks
  // them whether PDF files can be read.
  DocumentConverters& converters() override { return *converters_; }
  // The scenario store, the Scenario layer attached to the semantic
  // dictionary, and the current scenario's loading and saving.
  ScenarioStore& scenarioStore() { return *scenario_; }
  ScenarioLayer& scenarioLayer() { return *scenarioLayer_; }
  CurrentScenario& currentScenario() { return *currentScenario_; }
  // The criteria parser of the word search box, made once at start-up and
  // kept (with its choice history) until the engine stops; null before
  // StartEngine or when it could not be made (message 451 was shown).
  TScenParser* criteriaParser() { return criteriaParser_.get(); }
  const CategoryMatrix& matrix() const { return matrix_; }
  // The gauge of the current run, or nullptr.
  Gauge* gauge() override { return gauge_.get(); }
  // The semantic context of the last run, or nullptr.
  AnalysisContext* analysis() { return analysis_.get(); }
  StringPool& dictionaryPool() { return *dictionaryPool_; }
  CategoryStatistics& statistics() override { return statistics_; }
  StoredWordCounter& wordCounter() override { return statistics_; }
  // The lexical and sentence buffers of the reading pass under way, or
  // nullptr outside one.
  SegmentBuffer* lexicalBuffer() override { return lexicalBuffer_.get(); }
  SegmentBuffer* sentenceBuffer() override { return sentenceBuffer_.get(); }
  // Made again when the dictionaries are loaded or unloaded, when the
  // Scenario words change and when the hyphen setting changes: the answers
  // it keeps hold as long as what it looks up does not change.
  LexicalAnalysis* lexicalAnalysis() override;

  // Shows the gauge when it does not exist yet (RunAnalysis does it; the
  // reading pass can run on its own too).
  void CreateGauge();
  void DestroyGauge();

 private:
  void DestroySegmentBuffers();
  bool ReadAllFiles();
  // Loads and compiles the borders file of this run (the one of the
  // options, else the one the settings name); true when borders filter.
  bool PrepareCurrentBorders();

  FrontEnd& frontEnd_;
  EngineOptions options_;
  Messages messages_;
  RunState run_;
  bool started_ = false;
  bool stopped_ = false;

  LanguageTables tables_;
  std::unique_ptr<Settings> settings_;

  std::unique_ptr<TPileFile> files_;
  std::vector<uint8_t> scratch_;
  std::unique_ptr<WordStream> stream_;
  std::unique_ptr<ScenarioStore> scenario_;
  std::unique_ptr<BordersStore> borders_;
  CategoryMatrix matrix_;
  std::unique_ptr<StringPool> dictionaryPool_;
  std::unique_ptr<Lexicon> lexicon_;
  std::unique_ptr<SemanticDictionary> semantic_;
  std::unique_ptr<SemanticLexiconFallback> lexiconFallback_;
  std::unique_ptr<LemmaIndex> verbLemmas_;
  std::unique_ptr<LemmaIndex> adjectiveLemmas_;
  std::unique_ptr<NounLemmaIndex> nounLemmas_;
  std::unique_ptr<ScenarioLayer> scenarioLayer_;
  std::unique_ptr<CurrentScenario> currentScenario_;
  std::unique_ptr<TScenParser> criteriaParser_;
  std::unique_ptr<TThreadDeLectureDisque> worker_;
  std::unique_ptr<DocumentConverters> converters_;
  std::unique_ptr<LexicalAnalysis> lexicalAnalysis_;
  // What lexicalAnalysis_ was made with: the lexicon (null: none), the
  // Scenario words (their layer and its version) and the hyphen setting.
  const Lexicon* lexicalAnalysisLexicon_ = nullptr;
  const ScenarioGroups* lexicalAnalysisScenario_ = nullptr;
  uint64_t lexicalAnalysisScenarioWords_ = 0;
  bool lexicalAnalysisHyphens_ = false;

  std::unique_ptr<SegmentBuffer> lexicalBuffer_;
  std::unique_ptr<SegmentBuffer> sentenceBuffer_;
  std::unique_ptr<Gauge> gauge_;
  CategoryStatistics statistics_;
  std::unique_ptr<AnalysisContext> analysis_;
};

}  // namespace malvex
