// The long-lived objects the semantic pass reads and fills: the analysed
// text, the dictionaries, the statistics of the reading pass and the
// settings. The engine owns them and implements this interface.
#pragma once

#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/gauge.h"
#include "reading/run_state.h"
#include "reading/word_stream.h"
#include "semantic/category_statistics.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

namespace malvex {

class SemanticEnvironment {
 public:
  virtual ~SemanticEnvironment() = default;

  virtual Messages& messages() = 0;
  virtual RunState& run() = 0;
  virtual WordStream& stream() = 0;
  virtual SemanticDictionary& semanticDictionary() = 0;
  // The verb and adjective lemma indexes, or nullptr.
  virtual LemmaIndex* verbLemmas() = 0;
  virtual LemmaIndex* adjectiveLemmas() = 0;
  virtual CategoryStatistics& statistics() = 0;
  virtual SettingsRecord& record() = 0;
  virtual Folders& folders() = 0;
  virtual LanguageTables& tables() = 0;
  // The gauge of the current run, or nullptr.
  virtual Gauge* gauge() = 0;
};

}  // namespace malvex
