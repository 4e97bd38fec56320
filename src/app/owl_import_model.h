// The model of the OWL import window ("OWL Import Filter"): the OWL file
// the Scenario Tool's Open chose, the six options, and the import itself,
// which writes the Scenario in the Scenario folder without replacing an
// existing one unasked, then has the editor load it.
#pragma once

#include <string>

#include "scenarios/owl_import.h"

namespace malvex {

class Engine;
class ScenarioEditor;

// Catalogue texts of the window.
inline constexpr int kOwlTitleMessage = 2270;
inline constexpr int kOwlWelcomeMessage = 2271;
inline constexpr int kOwlFlexedFormsMessage = 2272;
inline constexpr int kOwlConvertUnicodeMessage = 2273;
inline constexpr int kOwlOtherLanguagesMessage = 2274;
inline constexpr int kOwlRestrictionsMessage = 2275;
inline constexpr int kOwlVerboseMessage = 2276;
inline constexpr int kOwlDumpMessage = 2277;
// "OwlOutput.scn" exists: replace it (Yes) or write a new name (No)?
inline constexpr int kOwlReplaceMessage = 2278;
// Start of the line that tells where the log is.
inline constexpr int kOwlLogMessage = 2279;

// The six options in the window's order.
enum class OwlOption {
  kFlexedForms,
  kConvertUnicode,
  kDiscardOtherLanguages,
  kIgnoreRestrictions,
  kVerboseLog,
  kDumpInput,
};
inline constexpr int kOwlOptionCount = 6;

class OwlImportModel {
 public:
  // `engine` gives the tables, settings, folders and boxes; it must be
  // started and outlive the model.
  OwlImportModel(Engine& engine, std::string owlPath);

  const std::string& owlPath() const { return owlPath_; }
  // The OWL file's name, for the window's file label.
  std::string FileName() const;
  // The catalogue text of option `option`.
  int OptionMessage(OwlOption option) const;
  // All options but the two reporting ones (verbose log, dump) start on.
  bool option(OwlOption option) const;
  void setOption(OwlOption option, bool on);
  // The options as the import takes them (with the edition's language and
  // the unaccented-forms setting).
  OwlImportOptions Options() const;

  // OK: runs the import. When "OwlOutput.scn" exists in the Scenario folder
  // (it may be the current scenario), asks whether to replace it; No writes
  // the first free OwlOutput-2.scn, OwlOutput-3.scn... A failure shows an
  // error box with the last status text. True when a Scenario was written:
  // outputPath() is then its full path.
  bool Run(const OwlStatusSink& status = {});
  // Cancel: no output.
  void Cancel() { outputPath_.clear(); }

  // After the window closed: the editor loads the Scenario written (it
  // becomes the current one). False when none was written or it cannot be
  // loaded.
  bool LoadInto(ScenarioEditor& editor);

  const std::string& outputPath() const { return outputPath_; }
  const OwlImportResult& result() const { return result_; }

 private:
  Engine& engine_;
  std::string owlPath_;
  bool options_[kOwlOptionCount] = {true, true, true, true, false, false};
  std::string outputPath_;
  OwlImportResult result_;
};

}  // namespace malvex
