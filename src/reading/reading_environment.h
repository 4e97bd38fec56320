// The long-lived objects a reading pass works with. The engine owns them
// and implements this interface; the reader sees nothing above its floor.
#pragma once

#include <memory>

#include "dictionaries/borders.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/gauge.h"
#include "reading/document_converters.h"
#include "reading/lexical_analysis.h"
#include "reading/read_ahead.h"
#include "reading/run_state.h"
#include "reading/segment_buffer.h"
#include "reading/stored_word_counter.h"
#include "reading/word_stream.h"
#include "settings/parameters.h"
#include "settings/settings_record.h"

namespace malvex {

class ReadingEnvironment {
 public:
  virtual ~ReadingEnvironment() = default;

  virtual Messages& messages() = 0;
  virtual RunState& run() = 0;
  virtual WordStream& stream() = 0;
  // Told of every node stored in the stream.
  virtual StoredWordCounter& wordCounter() = 0;
  virtual BordersStore& borders() = 0;
  virtual TThreadDeLectureDisque& worker() = 0;
  virtual LanguageTables& tables() = 0;
  virtual SettingsRecord& record() = 0;
  virtual const Parameters& parameters() const = 0;
  // The document converters, started once with the environment.
  virtual DocumentConverters& converters() = 0;
  // The gauge of the current run, or nullptr.
  virtual Gauge* gauge() = 0;
  // The segment buffers of the reading pass under way, or nullptr.
  virtual SegmentBuffer* lexicalBuffer() = 0;
  virtual SegmentBuffer* sentenceBuffer() = 0;
  // The lexical analysis over the dictionaries (or one that leaves every
  // word unclassified when they are not loaded) the reading passes share:
  // its tables of recent answers stay filled from one pass to the next, so
  // that a series of short texts does not pay for them each time. Null
  // when memory is exhausted.
  virtual LexicalAnalysis* lexicalAnalysis() = 0;
};

}  // namespace malvex
