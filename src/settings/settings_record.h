// The settings record: the option record of the application, kept from one
// run to the next as a raw little-endian image of exactly 12,816 bytes in
// the settings file. Fields are read and written through typed accessors by
// offset; the fields this file names are the ones with a fixed meaning and
// default, the other bytes belong to the option dialogs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace malvex {

// Where a field of the settings record lies: `width` bytes from `at`.
struct SettingsField {
  const char* name;
  size_t at;
  size_t width;
};

class SettingsRecord {
 public:
  static constexpr size_t kSize = 12816;
  static constexpr uint32_t kVersion = 14;
  static constexpr uint32_t kTrailer = 1234578;
  // A text field holds 260 characters and its terminating zero.
  static constexpr size_t kTextField = 261;
  static constexpr int kColourCount = 33;
  // The first 17 colours form the colour table of the graphs and the text
  // view, indexed 0..16.
  static constexpr int kColourTableSize = 17;
  static constexpr int kHistorySize = 12;
  static constexpr char kDefaultScenario[] = "Concepts Romanian V8.scn";

  // Offsets of the named fields.
  static constexpr size_t kVersionAt = 0;
  static constexpr size_t kReportGraphKindAt = 268;
  static constexpr size_t kReportTableKindAt = 272;
  static constexpr size_t kReportMaxGraphsAt = 276;
  static constexpr size_t kDictionaryFingerprintAt = 288;
  static constexpr size_t kGraphMagnificationAt = 344;
  static constexpr size_t kGraphObjectLimitAt = 346;
  static constexpr size_t kGraphTypeAt = 352;
  static constexpr size_t kFileTypeAt = 354;
  static constexpr size_t kClassMinWordsAt = 358;
  static constexpr size_t kClassPertinenceAt = 360;
  static constexpr size_t kRelationLevelAt = 362;
  static constexpr size_t kRemarkablePropositionsAt = 364;
  static constexpr size_t kTextSizeWarningAt = 372;
  static constexpr size_t kDistributionBarWidthAt = 374;
  static constexpr size_t kBoundedChoiceAt = 376;
  static constexpr size_t kOpenFilterIndexAt = 378;
  static constexpr size_t kOpaqueObjectsAt = 554;
  static constexpr size_t kGraphShowsSelectionAt = 558;
  static constexpr size_t kClassThresholdByWordsAt = 561;
  static constexpr size_t kPrintInColourAt = 563;
  static constexpr size_t kScenarioOnAllCategoriesAt = 565;
  static constexpr size_t kKeepBorderKeywordsAt = 566;
  static constexpr size_t kHideCategoryBundlesAt = 567;
  static constexpr size_t kSelectiveColorationAt = 572;
  static constexpr size_t kConfirmDeletionsAt = 576;
  static constexpr size_t kOfferScenarioWizardAt = 583;
  static constexpr size_t kOpenScenarioEditorAt = 584;
  static constexpr size_t kShowInformationPanelAt = 585;
  static constexpr size_t kKeepFileHistoryAt = 586;
  static constexpr size_t kLargeFontsAt = 588;
  static constexpr size_t kScenarioSortedAlphabeticallyAt = 592;
  static constexpr size_t kUnderscoreInCompoundsAt = 593;
  static constexpr size_t kReportShowsGraphAt = 595;
  static constexpr size_t kWordThroughConvertersAt = 596;
  static constexpr size_t kPdfThroughExtractorAt = 597;
  static constexpr size_t kScenarioWordsInCapitalsAt = 598;
  static constexpr size_t kUnaccentedScenarioFormsAt = 600;
  static constexpr size_t kTextViewByPropositionAt = 602;
  static constexpr size_t kWord97ThroughExtractorAt = 603;
  static constexpr size_t kNumbersAsSubstantivesAt = 625;
  static constexpr size_t kXpsThroughConverterAt = 630;
  static constexpr size_t kCheckDefaultOntologyAt = 634;
  static constexpr size_t kScenarioFileAt = 656;
  static constexpr size_t kBordersFileAt = 1178;
  static constexpr size_t kOpenDialogMaskAt = 1439;
  static constexpr size_t kSavedCurrentFolderAt = 1700;
  static constexpr size_t kColoursAt = 6400;
  static constexpr size_t kHistoryAt = 9664;
  static constexpr size_t kPrintChoice1At = 12796;
  static constexpr size_t kPrintChoice2At = 12800;
  static constexpr size_t kTrailerAt = 12812;

  // The settings of the scenario windows (insertion, word search, creation
  // wizard, terminology extraction). They live in a block of the record
  // that no other field uses, from byte 2048; each has one place, listed in
  // kScenarioWindowFields, and later windows add theirs after the last.
  static constexpr size_t kScenarioWindowBlockAt = 2048;
  static constexpr size_t kScenarioAddModeAt = 2048;            // 1 Add, 0 Insert
  static constexpr size_t kScenarioNoSubclassifyAt = 2049;      // Insert makes no sub-group
  static constexpr size_t kScenarioRepositionAt = 2050;         // follow the search in the editor
  static constexpr size_t kWizardAutomaticLevelAt = 2051;       // 0 substantives, 1..3 class level
  static constexpr size_t kWizardNonClassifiedAt = 2052;        // take non-classified words
  static constexpr size_t kWizardNoSubclassifyAt = 2053;
  static constexpr size_t kWizardFrequencyThresholdAt = 2054;   // 16-bit word count
  static constexpr size_t kTerminologyShowCompoundsAt = 2056;
  static constexpr size_t kTerminologyShowNonClassifiedAt = 2057;
  static constexpr size_t kTerminologyFilterAt = 2058;          // only the most significant terms
  static constexpr size_t kTerminologyLocalizeAt = 2059;        // localize in the text

  // A record holding the defaults (as after Reset).
  SettingsRecord();

  // Clears the whole record and writes every default.
  void Reset();

  // True when `bytes` is a settings image: exactly kSize bytes, version 14
  // and trailer 1,234,578.
  static bool IsValidImage(std::string_view bytes);
  // Replaces the record by `bytes` when they form a valid image; otherwise
  // leaves it unchanged and returns false.
  bool AssignImage(std::string_view bytes);
  // The raw image, as stored in the settings file.
  std::string_view image() const {
    return std::string_view(reinterpret_cast<const char*>(bytes_.data()), kSize);
  }

  // Raw little-endian access; offsets beyond the record are a programming
  // error (checked by assertion).
  uint8_t u8(size_t at) const;
  void setU8(size_t at, uint8_t value);
  uint16_t u16(size_t at) const;
  void setU16(size_t at, uint16_t value);
  uint32_t u32(size_t at) const;
  void setU32(size_t at, uint32_t value);
  double f64(size_t at) const;
  void setF64(size_t at, double value);
  // A 261-byte text field: the bytes up to the first zero, at most 260.
  std::string text(size_t at) const;
  // Stores at most 260 bytes of `value`, zero-filling the rest of the field.
  void setText(size_t at, std::string_view value);

  // Named fields.
  uint32_t version() const { return u32(kVersionAt); }
  uint32_t trailer() const { return u32(kTrailerAt); }

  // Spreadsheet report (graph kind, table kind, maximum number of graphs).
  uint32_t reportGraphKind() const { return u32(kReportGraphKindAt); }
  void setReportGraphKind(uint32_t v) { setU32(kReportGraphKindAt, v); }
  uint32_t reportTableKind() const { return u32(kReportTableKindAt); }
  void setReportTableKind(uint32_t v) { setU32(kReportTableKindAt, v); }
  int reportMaxGraphs() const { return u16(kReportMaxGraphsAt); }
  void setReportMaxGraphs(int v) { setU16(kReportMaxGraphsAt, static_cast<uint16_t>(v)); }
  bool reportShowsGraph() const { return u8(kReportShowsGraphAt) != 0; }
  void setReportShowsGraph(bool v) { setU8(kReportShowsGraphAt, v); }

  // Semantic-dictionary entry count + noun-index entry count + 26 of the
  // dictionaries in use at the last exit.
  uint32_t dictionaryFingerprint() const { return u32(kDictionaryFingerprintAt); }
  void setDictionaryFingerprint(uint32_t v) { setU32(kDictionaryFingerprintAt, v); }

  // Graphs.
  int graphMagnification() const { return u16(kGraphMagnificationAt); }
  void setGraphMagnification(int v) { setU16(kGraphMagnificationAt, static_cast<uint16_t>(v)); }
  int graphObjectLimit() const { return u16(kGraphObjectLimitAt); }
  void setGraphObjectLimit(int v) { setU16(kGraphObjectLimitAt, static_cast<uint16_t>(v)); }
  // 1 areas, 2 star, 3 distribution, 4 episodes, 5 actors.
  int graphType() const { return u16(kGraphTypeAt); }
  void setGraphType(int v) { setU16(kGraphTypeAt, static_cast<uint16_t>(v)); }
  int distributionBarWidth() const { return u16(kDistributionBarWidthAt); }
  void setDistributionBarWidth(int v) { setU16(kDistributionBarWidthAt, static_cast<uint16_t>(v)); }
  bool opaqueObjects() const { return u8(kOpaqueObjectsAt) != 0; }
  void setOpaqueObjects(bool v) { setU8(kOpaqueObjectsAt, v); }
  // Cleared when the user hides the graph.
  bool graphShowsSelection() const { return u8(kGraphShowsSelectionAt) != 0; }
  void setGraphShowsSelection(bool v) { setU8(kGraphShowsSelectionAt, v); }
  bool hideCategoryBundles() const { return u8(kHideCategoryBundlesAt) != 0; }
  void setHideCategoryBundles(bool v) { setU8(kHideCategoryBundlesAt, v); }

  // File type of the file being read.
  int fileType() const { return u16(kFileTypeAt); }
  void setFileType(int v) { setU16(kFileTypeAt, static_cast<uint16_t>(v)); }

  // Class detection threshold.
  int classMinWords() const { return u16(kClassMinWordsAt); }
  void setClassMinWords(int v) { setU16(kClassMinWordsAt, static_cast<uint16_t>(v)); }
  int classPertinence() const { return u16(kClassPertinenceAt); }
  void setClassPertinence(int v) { setU16(kClassPertinenceAt, static_cast<uint16_t>(v)); }
  // True: threshold by minimum number of words; false: by pertinence.
  bool classThresholdByWords() const { return u8(kClassThresholdByWordsAt) != 0; }
  void setClassThresholdByWords(bool v) { setU8(kClassThresholdByWordsAt, v); }

  // 1 references, 2 universe 2, 3 universe 1, 4 scenario.
  int relationLevel() const { return u16(kRelationLevelAt); }
  void setRelationLevel(int v) { setU16(kRelationLevelAt, static_cast<uint16_t>(v)); }
  // Quantity of remarkable propositions (characteristic parts).
  int remarkablePropositions() const { return u16(kRemarkablePropositionsAt); }
  void setRemarkablePropositions(int v) { setU16(kRemarkablePropositionsAt, static_cast<uint16_t>(v)); }
  // Text-size warning threshold in units of 1,024,000 bytes.
  int textSizeWarning() const { return u16(kTextSizeWarningAt); }
  void setTextSizeWarning(int v) { setU16(kTextSizeWarningAt, static_cast<uint16_t>(v)); }
  // An option of the dialogs kept within 2..5 (4 otherwise) when loaded.
  int boundedChoice() const { return u16(kBoundedChoiceAt); }
  void setBoundedChoice(int v) { setU16(kBoundedChoiceAt, static_cast<uint16_t>(v)); }
  // Last filter index of the open-file dialog.
  int openFilterIndex() const { return u16(kOpenFilterIndexAt); }
  void setOpenFilterIndex(int v) { setU16(kOpenFilterIndexAt, static_cast<uint16_t>(v)); }

  bool printInColour() const { return u8(kPrintInColourAt) != 0; }
  void setPrintInColour(bool v) { setU8(kPrintInColourAt, v); }
  // The print dialog's check list: one byte per report, from print choice 1
  // on (a reset checks the first and the fifth).
  static constexpr int kPrintChoiceCount = 11;
  bool printChoice(int i) const {
    return i >= 0 && i < kPrintChoiceCount && u8(kPrintChoice1At + static_cast<size_t>(i)) != 0;
  }
  void setPrintChoice(int i, bool v) {
    if (i >= 0 && i < kPrintChoiceCount) setU8(kPrintChoice1At + static_cast<size_t>(i), v);
  }
  bool scenarioOnAllCategories() const { return u8(kScenarioOnAllCategoriesAt) != 0; }
  void setScenarioOnAllCategories(bool v) { setU8(kScenarioOnAllCategoriesAt, v); }
  bool keepBorderKeywords() const { return u8(kKeepBorderKeywordsAt) != 0; }
  void setKeepBorderKeywords(bool v) { setU8(kKeepBorderKeywordsAt, v); }
  bool selectiveColoration() const { return u8(kSelectiveColorationAt) != 0; }
  void setSelectiveColoration(bool v) { setU8(kSelectiveColorationAt, v); }
  bool confirmDeletions() const { return u8(kConfirmDeletionsAt) != 0; }
  void setConfirmDeletions(bool v) { setU8(kConfirmDeletionsAt, v); }
  bool offerScenarioWizard() const { return u8(kOfferScenarioWizardAt) != 0; }
  void setOfferScenarioWizard(bool v) { setU8(kOfferScenarioWizardAt, v); }
  bool openScenarioEditorAtStart() const { return u8(kOpenScenarioEditorAt) != 0; }
  void setOpenScenarioEditorAtStart(bool v) { setU8(kOpenScenarioEditorAt, v); }
  bool showInformationPanel() const { return u8(kShowInformationPanelAt) != 0; }
  void setShowInformationPanel(bool v) { setU8(kShowInformationPanelAt, v); }
  bool keepFileHistory() const { return u8(kKeepFileHistoryAt) != 0; }
  void setKeepFileHistory(bool v) { setU8(kKeepFileHistoryAt, v); }
  bool largeFonts() const { return u8(kLargeFontsAt) != 0; }
  void setLargeFonts(bool v) { setU8(kLargeFontsAt, v); }
  bool scenarioSortedAlphabetically() const { return u8(kScenarioSortedAlphabeticallyAt) != 0; }
  void setScenarioSortedAlphabetically(bool v) { setU8(kScenarioSortedAlphabeticallyAt, v); }
  bool underscoreInCompounds() const { return u8(kUnderscoreInCompoundsAt) != 0; }
  void setUnderscoreInCompounds(bool v) { setU8(kUnderscoreInCompoundsAt, v); }
  bool wordThroughConverters() const { return u8(kWordThroughConvertersAt) != 0; }
  void setWordThroughConverters(bool v) { setU8(kWordThroughConvertersAt, v); }
  bool pdfThroughExtractor() const { return u8(kPdfThroughExtractorAt) != 0; }
  void setPdfThroughExtractor(bool v) { setU8(kPdfThroughExtractorAt, v); }
  bool scenarioWordsInCapitals() const { return u8(kScenarioWordsInCapitalsAt) != 0; }
  void setScenarioWordsInCapitals(bool v) { setU8(kScenarioWordsInCapitalsAt, v); }
  bool unaccentedScenarioForms() const { return u8(kUnaccentedScenarioFormsAt) != 0; }
  void setUnaccentedScenarioForms(bool v) { setU8(kUnaccentedScenarioFormsAt, v); }
  // True: the text view shows propositions; false: a fragment of context.
  bool textViewByProposition() const { return u8(kTextViewByPropositionAt) != 0; }
  void setTextViewByProposition(bool v) { setU8(kTextViewByPropositionAt, v); }
  bool word97ThroughExtractorFirst() const { return u8(kWord97ThroughExtractorAt) != 0; }
  void setWord97ThroughExtractorFirst(bool v) { setU8(kWord97ThroughExtractorAt, v); }
  bool numbersAsSubstantives() const { return u8(kNumbersAsSubstantivesAt) != 0; }
  void setNumbersAsSubstantives(bool v) { setU8(kNumbersAsSubstantivesAt, v); }
  bool xpsThroughConverter() const { return u8(kXpsThroughConverterAt) != 0; }
  void setXpsThroughConverter(bool v) { setU8(kXpsThroughConverterAt, v); }
  bool checkDefaultOntology() const { return u8(kCheckDefaultOntologyAt) != 0; }
  void setCheckDefaultOntology(bool v) { setU8(kCheckDefaultOntologyAt, v); }

  // Current scenario and borders file names (in their folders); an empty
  // borders name means no borders filter.
  std::string scenarioFile() const { return text(kScenarioFileAt); }
  void setScenarioFile(std::string_view v) { setText(kScenarioFileAt, v); }
  std::string bordersFile() const { return text(kBordersFileAt); }
  void setBordersFile(std::string_view v) { setText(kBordersFileAt, v); }
  // Last file mask of the open dialog and current folder at the last exit.
  std::string openDialogMask() const { return text(kOpenDialogMaskAt); }
  void setOpenDialogMask(std::string_view v) { setText(kOpenDialogMaskAt, v); }
  std::string savedCurrentFolder() const { return text(kSavedCurrentFolderAt); }
  void setSavedCurrentFolder(std::string_view v) { setText(kSavedCurrentFolderAt, v); }

  // Colour `index` (0..32) as a 0x00BBGGRR value.
  uint32_t colour(int index) const;
  void setColour(int index, uint32_t rgb);
  // Writes the default colour table (colours 0..16).
  void RestoreDefaultColours();

  // Scenario windows (see kScenarioWindowFields).
  bool scenarioAddMode() const { return u8(kScenarioAddModeAt) != 0; }
  void setScenarioAddMode(bool v) { setU8(kScenarioAddModeAt, v); }
  bool scenarioNoSubclassify() const { return u8(kScenarioNoSubclassifyAt) != 0; }
  void setScenarioNoSubclassify(bool v) { setU8(kScenarioNoSubclassifyAt, v); }
  bool scenarioReposition() const { return u8(kScenarioRepositionAt) != 0; }
  void setScenarioReposition(bool v) { setU8(kScenarioRepositionAt, v); }
  // 0..3; another stored value reads as 1.
  int wizardAutomaticLevel() const {
    const int v = u8(kWizardAutomaticLevelAt);
    return v <= 3 ? v : 1;
  }
  void setWizardAutomaticLevel(int v) { setU8(kWizardAutomaticLevelAt, static_cast<uint8_t>(v)); }
  bool wizardNonClassified() const { return u8(kWizardNonClassifiedAt) != 0; }
  void setWizardNonClassified(bool v) { setU8(kWizardNonClassifiedAt, v); }
  bool wizardNoSubclassify() const { return u8(kWizardNoSubclassifyAt) != 0; }
  void setWizardNoSubclassify(bool v) { setU8(kWizardNoSubclassifyAt, v); }
  int wizardFrequencyThreshold() const { return u16(kWizardFrequencyThresholdAt); }
  void setWizardFrequencyThreshold(int v) { setU16(kWizardFrequencyThresholdAt, static_cast<uint16_t>(v)); }
  bool terminologyShowCompounds() const { return u8(kTerminologyShowCompoundsAt) != 0; }
  void setTerminologyShowCompounds(bool v) { setU8(kTerminologyShowCompoundsAt, v); }
  bool terminologyShowNonClassified() const { return u8(kTerminologyShowNonClassifiedAt) != 0; }
  void setTerminologyShowNonClassified(bool v) { setU8(kTerminologyShowNonClassifiedAt, v); }
  bool terminologyFilter() const { return u8(kTerminologyFilterAt) != 0; }
  void setTerminologyFilter(bool v) { setU8(kTerminologyFilterAt, v); }
  bool terminologyLocalize() const { return u8(kTerminologyLocalizeAt) != 0; }
  void setTerminologyLocalize(bool v) { setU8(kTerminologyLocalizeAt, v); }

  // File history entry 0..11; empty when unused.
  std::string historyEntry(int index) const;
  void setHistoryEntry(int index, std::string_view path);

 private:
  std::array<uint8_t, kSize> bytes_;
};

// The fields with a fixed place in the record, including the unnamed
// option bytes that Reset sets.
inline constexpr SettingsField kFixedSettingsFields[] = {
    {"version", 0, 4}, {"264", 264, 4}, {"report graph kind", 268, 4}, {"report table kind", 272, 4},
    {"report max graphs", 276, 2}, {"280", 280, 4}, {"dictionary fingerprint", 288, 4},
    {"graph magnification", 344, 2}, {"graph object limit", 346, 2}, {"graph type", 352, 2},
    {"file type", 354, 2}, {"356", 356, 2}, {"class min words", 358, 2}, {"class pertinence", 360, 2},
    {"relation level", 362, 2}, {"remarkable propositions", 364, 2}, {"366", 366, 2}, {"368", 368, 2},
    {"370", 370, 2}, {"text size warning", 372, 2}, {"distribution bar width", 374, 2},
    {"bounded choice", 376, 2}, {"open filter index", 378, 2}, {"384", 384, 8},
    {"option bytes", 552, 83},  // 552..634: the option check boxes
    {"scenario file", 656, 261}, {"borders file", 1178, 261}, {"open dialog mask", 1439, 261},
    {"saved current folder", 1700, 261}, {"colours", 6400, 132}, {"history", 9664, 12 * 261},
    {"print choice 1", 12796, 4}, {"print choice 2", 12800, 4}, {"trailer", 12812, 4},
};

// The settings of the scenario windows, one place each.
inline constexpr SettingsField kScenarioWindowFields[] = {
    {"scenario add mode", SettingsRecord::kScenarioAddModeAt, 1},
    {"scenario no subclassify", SettingsRecord::kScenarioNoSubclassifyAt, 1},
    {"scenario reposition", SettingsRecord::kScenarioRepositionAt, 1},
    {"wizard automatic level", SettingsRecord::kWizardAutomaticLevelAt, 1},
    {"wizard non-classified", SettingsRecord::kWizardNonClassifiedAt, 1},
    {"wizard no subclassify", SettingsRecord::kWizardNoSubclassifyAt, 1},
    {"wizard frequency threshold", SettingsRecord::kWizardFrequencyThresholdAt, 2},
    {"terminology show compounds", SettingsRecord::kTerminologyShowCompoundsAt, 1},
    {"terminology show non-classified", SettingsRecord::kTerminologyShowNonClassifiedAt, 1},
    {"terminology filter", SettingsRecord::kTerminologyFilterAt, 1},
    {"terminology localize", SettingsRecord::kTerminologyLocalizeAt, 1},
};

// The default colour table (0x00BBGGRR): 1 verbs, 2 connectors,
// 3 modalities, 4 adjectives, 5 pronouns, 11 classes, 12 left lines,
// 13 right lines, 14 graph objects, 15 background; the others black.
const std::array<uint32_t, SettingsRecord::kColourTableSize>& DefaultColourTable();

}  // namespace malvex
