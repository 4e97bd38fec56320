#include "engine/engine.h"

#include <cstdio>
#include <new>

#include "platform/fatal.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "reading/borders_filter.h"
#include "reading/lexicon_analysis.h"
#include "reading/ms_word_document.h"
#include "reading/text_reader.h"
#include "scenarios/criteria_parser.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "semantic/analysis_context.h"

namespace malvex {

Engine::Engine(FrontEnd& frontEnd, EngineOptions options)
    : frontEnd_(frontEnd), options_(std::move(options)), messages_(frontEnd.Box()) {
  const LanguageInfo& language = LanguageFor(kEditionLanguage);
  settings_ = std::make_unique<Settings>(
      messages_, options_.places ? *options_.places : DefaultSettingsPlaces(language), language);
  if (options_.wizard) settings_->setWizardRunner(options_.wizard);
}

Engine::~Engine() { StopEngine(); }

bool Engine::StartEngine() {
  if (started_) return true;
  // 1. Run flags and tables start from their defaults.
  run_ = RunState{};
  runFlags() = RunFlags{};
  runFlags().setLanguageCode(kEditionLanguage);
  tables_ = DefaultLanguageTables();
  settings_->ResetSettings();

  // 2. The file list.
  files_.reset(new (std::nothrow) TPileFile);
  messages_.checkMemory(files_.get());
  files_->Clear();

  // 4. The engine objects, in order.
  scratch_.assign(kScratchBytes, 0);
  stream_.reset(new (std::nothrow) WordStream(&messages_));
  messages_.checkMemory(stream_.get());
  scenario_.reset(new (std::nothrow) ScenarioStore(messages_));
  messages_.checkMemory(scenario_.get());
  if (!scenario_->Ok()) FatalExit(1);
  borders_.reset(new (std::nothrow) BordersStore(messages_));
  messages_.checkMemory(borders_.get());
  if (!borders_->Ok()) FatalExit(1);
  // Without the dictionary folder no dictionary can be read: say so before
  // trying the files one by one.
  std::string dictionaryFolder = folders().dictionaryBase;
  if (!StripLastComponent(dictionaryFolder) || !FolderExists(dictionaryFolder)) {
    messages_.errorBox(messages_.message(10));
    FatalExit(2);
  }
  matrix_.LoadOrExit(folders().dictionaryBase, messages_);
  dictionaryPool_.reset(new (std::nothrow) StringPool);
  messages_.checkMemory(dictionaryPool_.get());
  lexicon_.reset(new (std::nothrow) Lexicon(messages_, tables_));
  messages_.checkMemory(lexicon_.get());
  lexicon_->Open(folders().dictionaryBase);
  if (!lexicon_->Ready()) return false;
  if (!semantic_) {
    semantic_.reset(new (std::nothrow) SemanticDictionary(messages_, tables_, *dictionaryPool_));
    messages_.checkMemory(semantic_.get());
    semantic_->Load(folders().dictionaryBase);
  }
  // The verb and adjective lemma indexes, read from their files; their
  // lemma texts go to the dictionaries' pool.
  if (!verbLemmas_) {
    verbLemmas_.reset(new (std::nothrow) LemmaIndex(29, 7, &messages_, dictionaryPool_.get()));
    messages_.checkMemory(verbLemmas_.get());
    verbLemmas_->Load(ChangeExtension(folders().dictionaryBase, kVerbLemmaExtension));
  }
  if (!adjectiveLemmas_) {
    adjectiveLemmas_.reset(new (std::nothrow) LemmaIndex(29, 7, &messages_, dictionaryPool_.get()));
    messages_.checkMemory(adjectiveLemmas_.get());
    adjectiveLemmas_->Load(ChangeExtension(folders().dictionaryBase, kAdjectiveLemmaExtension));
  }
  // The lemmas a run adds for the forms the indexes lack belong to that
  // run alone.
  verbLemmas_->KeepRunLemmasApart();
  adjectiveLemmas_->KeepRunLemmasApart();
  if (!nounLemmas_) nounLemmas_.reset(new (std::nothrow) NounLemmaIndex(kNounIndexCapacity));
  messages_.checkMemory(nounLemmas_.get());
  // The lexicon asks the semantic dictionary for the forms it lacks, and
  // the verb index and the semantic dictionary for lemmas.
  lexiconFallback_.reset(new (std::nothrow) SemanticLexiconFallback(*semantic_));
  messages_.checkMemory(lexiconFallback_.get());
  lexicon_->SetFallback(lexiconFallback_.get());
  lexicon_->SetLemmaSources(verbLemmas_.get(), semantic_.get());
  // The Scenario layer links the scenario's items to the dictionary's
  // classes and the lemma indexes.
  scenarioLayer_.reset(new (std::nothrow)
                           ScenarioLayer(*semantic_, *scenario_, verbLemmas_.get(), adjectiveLemmas_.get(), messages_));
  messages_.checkMemory(scenarioLayer_.get());
  semantic_->SetScenarioGroups(scenarioLayer_.get());
  {
    // The parser reads the dictionaries made just above.
    CriteriaParserSources sources;
    sources.tables = &tables_;
    sources.messages = &messages_;
    sources.lexicon = lexicon_.get();
    sources.semantic = semantic_.get();
    sources.verbLemmas = verbLemmas_.get();
    sources.adjectiveLemmas = adjectiveLemmas_.get();
    sources.scenario = scenarioLayer_.get();
    criteriaParser_.reset(new (std::nothrow) TScenParser(sources, CriteriaParserOptions{}));
    if (!criteriaParser_) messages_.errorBox(messages_.message(451));
  }
  worker_.reset(new (std::nothrow) TThreadDeLectureDisque);
  messages_.checkMemory(worker_.get());
  worker_->Start();

  // 5. The settings.
  settings_->LoadSettings(DictionaryFingerprint(semantic_->EntryCount(), nounLemmas_->EntryCount()));
  // The document converters, once for the engine's life, with the
  // programs registered in the user registry the settings use. An
  // unavailable PDF converter switches PDF conversion off in the settings
  // just loaded.
  converters_.reset(new (std::nothrow) DocumentConverters(messages_, record()));
  messages_.checkMemory(converters_.get());
  {
    Registry registry(settings_->registryPath());
    registry.Load();
    converters_->Start(ReadConverterOverrides(registry));
  }
  // Word 97-2003 documents that no converter reads go to the system's own
  // Word reader before the binary filter.
  converters_->SetWordReader(ReadWordDocumentText);
  // 6. The current scenario, named in the settings. A file that is not
  // there leaves the engine without a Scenario; the front end reports it
  // when it loads the scenario after reading its command line.
  currentScenario_.reset(new (std::nothrow) CurrentScenario(*scenario_, scenarioLayer_.get(), record(), folders()));
  messages_.checkMemory(currentScenario_.get());
  int64_t scenarioSize = 0;
  if (FileExists(currentScenario_->Path(), scenarioSize)) currentScenario_->LoadCurrentScenario();
  // The current borders file: one that cannot be read is reported and
  // its name cleared from the settings, so that later runs do not stumble
  // on it again.
  if (options_.bordersPath.empty() && !FilePart(record().bordersFile()).empty()) PrepareCurrentBorders();
  started_ = true;
  stopped_ = false;
  frontEnd_.SetWaitCursor(false);
  return true;
}

LexicalAnalysis* Engine::lexicalAnalysis() {
  Lexicon* const lexicon = started_ ? lexicon_.get() : nullptr;
  const ScenarioGroups* const scenario = semantic_ ? &semantic_->scenarioGroups() : nullptr;
  const uint64_t scenarioWords = scenario != nullptr ? scenario->WordsVersion() : 0;
  const bool hyphens = runFlags().hyphenConcatenation();
  if (!lexicalAnalysis_ || lexicalAnalysisLexicon_ != lexicon || lexicalAnalysisScenario_ != scenario ||
      lexicalAnalysisScenarioWords_ != scenarioWords || lexicalAnalysisHyphens_ != hyphens) {
    lexicalAnalysis_.reset();
    lexicalAnalysis_ =
        MakeLexicalAnalysis(lexicon, tables_, matrix_, verbLemmas_.get(), adjectiveLemmas_.get(), hyphens);
    lexicalAnalysisLexicon_ = lexicon;
    lexicalAnalysisScenario_ = scenario;
    lexicalAnalysisScenarioWords_ = scenarioWords;
    lexicalAnalysisHyphens_ = hyphens;
  }
  return lexicalAnalysis_.get();
}

bool Engine::RunAnalysis(uint8_t mode) {
  if (!started_ || run_.running) return false;
  run_.converterWarningShown = false;
  run_.quiet = false;
  frontEnd_.SetWaitCursor(true);
  CreateGauge();
  gauge_->DefinirMaximum(0);
  gauge_->SetPumping(true);
  if (!ReadingPass()) return false;
  run_.stopRequested = false;
  frontEnd_.SetWaitCursor(true);
  run_.mode = mode;
  analysis_.reset(new (std::nothrow) AnalysisContext(*this));
  messages_.checkMemory(analysis_.get());
  if (!analysis_->Ok()) FatalExit(1);
  if (!analysis_->Run()) {
    AbortRun(true);
    return false;
  }
  run_.running = false;
  DestroyGauge();
  frontEnd_.SetWaitCursor(false);
  return true;
}

bool Engine::ReadingPass() {
  if (run_.running) return false;
  run_.running = true;
  run_.runAborted = false;
  run_.readInterrupted = false;
  run_.stopRequested = false;
  runFlags().setAnalysisMade(true);
  int units = record().textSizeWarning();
  if (units <= 1) {
    units = 2;
    record().setTextSizeWarning(2);
  }
  run_.sizeLimitBytes = static_cast<int64_t>(units) * 1024000;
  // The stores of the last semantic pass point into the word stream: they
  // go before the stream is emptied, so that nothing reads them meanwhile.
  analysis_.reset();
  stream_->Reset();
  if (verbLemmas_) verbLemmas_->ForgetRunLemmas();
  if (adjectiveLemmas_) adjectiveLemmas_->ForgetRunLemmas();
  if (gauge_) gauge_->DefinirMaximum(0);
  statistics_.ResetStatistics();
  run_.unreadFiles.clear();
  run_.cut = ReadingCut{};
  // The borders of the current borders file, read afresh for every run.
  run_.borders = BordersReport{};
  run_.borders.active = PrepareCurrentBorders();

  lexicalBuffer_.reset(new (std::nothrow) SegmentBuffer);
  if (!lexicalBuffer_) return !AbortRun(true);
  if (CheckStop()) return false;
  sentenceBuffer_.reset(new (std::nothrow) SegmentBuffer);
  if (!sentenceBuffer_) return !AbortRun(true);
  if (CheckStop()) return false;
  if (!run_.quiet) frontEnd_.SetWaitCursor(true);

  if (!ReadAllFiles()) {
    if (!run_.runAborted) AbortRun(true);
    return false;
  }
  if (CheckStop()) return false;
  DestroySegmentBuffers();
  statistics_.FinaliseStatistics();
  return !CheckStop();
}

bool Engine::PrepareCurrentBorders() {
  if (!options_.bordersPath.empty())
    return PrepareBordersFile(*borders_, options_.bordersPath, record().keepBorderKeywords());
  bool unreadable = false;
  const bool active = PrepareBorders(*borders_, folders().scenario, record().bordersFile(),
                                     record().keepBorderKeywords(), &unreadable);
  if (unreadable) record().setBordersFile("");
  return active;
}

bool Engine::ReadAllFiles() {
  stream_->Reset();
  TextReader reader(*this);
  int n = files_->Count();
  for (int i = 1; i <= n; ++i) {
    run_.currentFileIndex = i;
    const std::string& name = files_->Get(i);
    if (gauge_) gauge_->DefinirValeur(3, std::to_string(i));
    bool ok = reader.ReadFile(name);
    ok = reader.EndOfFile() && ok;
    if (reader.StopReading() && !run_.stopRequested && (reader.FileCut() || i < n)) {
      // The size warning answered No or the word limit: the rest of this
      // file, if any, and the files after it are left out.
      run_.cut.cut = true;
      run_.cut.wordLimit = reader.WordLimitReached();
      run_.cut.fileIndex = i;
      run_.cut.fileWords = reader.FileWords();
      run_.cut.filesLeft = n - i;
    }
    if (reader.StopReading() || run_.stopRequested) break;
    (void)ok;
  }
  run_.borders.filteredPropositions = reader.writer().ExcludedEndMarkers();
  if (run_.stopRequested) {
    run_.readInterrupted = true;
    return false;
  }
  return true;
}

bool Engine::AbortRun(bool condition) {
  if (!condition) return false;
  DestroySegmentBuffers();
  run_.runAborted = true;
  run_.running = false;
  DestroyGauge();
  frontEnd_.SetWaitCursor(false);
  return true;
}

bool Engine::CheckStop() {
  if (gauge_ && !gauge_->Continue()) run_.stopRequested = true;
  if (AbortRun(run_.stopRequested)) return true;
  return AbortRun(run_.runAborted);
}

void Engine::ReleaseAnalysis(bool clearStream) {
  analysis_.reset();
  if (clearStream && stream_) stream_->Reset();
}

void Engine::CreateGauge() {
  if (!gauge_) gauge_ = frontEnd_.CreateGauge();
  gauge_->Show();
}

void Engine::DestroyGauge() {
  if (!gauge_) return;
  gauge_->Close();
  gauge_.reset();
}

void Engine::DestroySegmentBuffers() {
  lexicalBuffer_.reset();
  sentenceBuffer_.reset();
}

void Engine::StopEngine() {
  if (!started_ || stopped_) return;
  stopped_ = true;
  record().setDictionaryFingerprint(DictionaryFingerprint(semantic_->EntryCount(), nounLemmas_->EntryCount()));
  settings_->SaveSettings();
  analysis_.reset();
  // The lexical analysis looks up the dictionaries freed below.
  lexicalAnalysis_.reset();
  lexicalAnalysisLexicon_ = nullptr;
  lexicalAnalysisScenario_ = nullptr;
  currentScenario_.reset();
  criteriaParser_.reset();
  if (semantic_) semantic_->SetScenarioGroups(nullptr);
  scenarioLayer_.reset();
  lexicon_.reset();
  lexiconFallback_.reset();
  verbLemmas_.reset();
  adjectiveLemmas_.reset();
  nounLemmas_.reset();
  semantic_.reset();
  matrix_ = CategoryMatrix();
  borders_.reset();
  dictionaryPool_.reset();
  files_.reset();
  scratch_.clear();
  scratch_.shrink_to_fit();
  converters_.reset();
  if (worker_) worker_->Terminate();
  worker_.reset();
  stream_.reset();
  scenario_.reset();
  started_ = false;
}

}  // namespace malvex
