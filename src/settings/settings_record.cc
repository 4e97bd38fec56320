#include "settings/settings_record.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace malvex {
namespace {

constexpr std::array<uint32_t, SettingsRecord::kColourTableSize> kDefaultColours = {
    0x000000,  // 0 unused (black)
    0x0000A0,  // 1 verbs
    0x00FFFF,  // 2 connectors
    0xFF00FF,  // 3 modalities
    0x80FFA0,  // 4 adjectives
    0xFFFF00,  // 5 pronouns
    0x000000,  // 6 determinants
    0x000000,  // 7 determinants
    0x000000,  // 8 substantives
    0x000000,  // 9 undetermined
    0x000000,  // 10
    0xFF0000,  // 11 classes
    0xFF0000,  // 12 left lines of the graphs
    0xFF00FF,  // 13 right lines of the graphs
    0x00FF00,  // 14 graph objects
    0xC0C0C0,  // 15 background
    0x000000,  // 16
};

// Option bytes whose default is 1 beyond the named ones.
constexpr size_t kFurtherOptionBytes[] = {552, 553, 555, 556, 559, 560, 564, 568, 569, 570,
                                          574, 575, 587, 589, 601, 609, 610, 611, 612, 616,
                                          617, 618, 619, 621, 624, 626, 627, 628};

}  // namespace

const std::array<uint32_t, SettingsRecord::kColourTableSize>& DefaultColourTable() {
  return kDefaultColours;
}

SettingsRecord::SettingsRecord() { Reset(); }

void SettingsRecord::Reset() {
  bytes_.fill(0);
  setU32(kVersionAt, kVersion);
  setU32(264, 3);
  setU32(kReportGraphKindAt, 0);
  setU32(kReportTableKindAt, 0);
  setU16(kReportMaxGraphsAt, 8);
  setU32(280, 40);
  setU32(kDictionaryFingerprintAt, 0);
  setU16(kGraphMagnificationAt, 50);
  setU16(kGraphObjectLimitAt, 30);
  setU16(kGraphTypeAt, 1);
  setU16(kFileTypeAt, 10);
  setU16(356, 1);
  setU16(kClassMinWordsAt, 3);
  setU16(kClassPertinenceAt, 15);
  setU16(kRelationLevelAt, 1);
  setU16(kRemarkablePropositionsAt, 90);
  setU16(366, 1);
  setU16(368, 4);
  setU16(370, 3);
  setU16(kTextSizeWarningAt, 25);
  setU16(kDistributionBarWidthAt, 14);
  setU16(kBoundedChoiceAt, 4);
  setU16(kOpenFilterIndexAt, 12);
  setF64(384, 0.4);

  for (size_t at : {kOpaqueObjectsAt, kGraphShowsSelectionAt, kClassThresholdByWordsAt,
                    kSelectiveColorationAt, kConfirmDeletionsAt, kOfferScenarioWizardAt,
                    kShowInformationPanelAt, kKeepFileHistoryAt, kReportShowsGraphAt,
                    kWordThroughConvertersAt, kPdfThroughExtractorAt, kScenarioWordsInCapitalsAt,
                    kUnaccentedScenarioFormsAt, kWord97ThroughExtractorAt, kCheckDefaultOntologyAt}) {
    setU8(at, 1);
  }
  for (size_t at : kFurtherOptionBytes) setU8(at, 1);
  setU8(kPrintChoice1At, 1);
  setU8(kPrintChoice2At, 1);

  setU8(kScenarioAddModeAt, 1);
  setU8(kScenarioRepositionAt, 1);
  setU8(kWizardAutomaticLevelAt, 1);
  setU16(kWizardFrequencyThresholdAt, 3);
  setU8(kTerminologyShowCompoundsAt, 1);
  setU8(kTerminologyShowNonClassifiedAt, 1);
  setU8(kTerminologyFilterAt, 1);

  setText(kScenarioFileAt, kDefaultScenario);
  setText(kOpenDialogMaskAt, "*.*");
  RestoreDefaultColours();
  setU32(kTrailerAt, kTrailer);
}

bool SettingsRecord::IsValidImage(std::string_view bytes) {
  if (bytes.size() != kSize) return false;
  auto word = [&bytes](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
  };
  return word(kVersionAt) == kVersion && word(kTrailerAt) == kTrailer;
}

bool SettingsRecord::AssignImage(std::string_view bytes) {
  if (!IsValidImage(bytes)) return false;
  std::memcpy(bytes_.data(), bytes.data(), kSize);
  return true;
}

uint8_t SettingsRecord::u8(size_t at) const {
  assert(at < kSize);
  return bytes_[at];
}

void SettingsRecord::setU8(size_t at, uint8_t value) {
  assert(at < kSize);
  bytes_[at] = value;
}

uint16_t SettingsRecord::u16(size_t at) const {
  assert(at + 2 <= kSize);
  return static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
}

void SettingsRecord::setU16(size_t at, uint16_t value) {
  assert(at + 2 <= kSize);
  bytes_[at] = static_cast<uint8_t>(value);
  bytes_[at + 1] = static_cast<uint8_t>(value >> 8);
}

uint32_t SettingsRecord::u32(size_t at) const {
  assert(at + 4 <= kSize);
  return static_cast<uint32_t>(bytes_[at]) | static_cast<uint32_t>(bytes_[at + 1]) << 8 |
         static_cast<uint32_t>(bytes_[at + 2]) << 16 | static_cast<uint32_t>(bytes_[at + 3]) << 24;
}

void SettingsRecord::setU32(size_t at, uint32_t value) {
  assert(at + 4 <= kSize);
  for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

double SettingsRecord::f64(size_t at) const {
  assert(at + 8 <= kSize);
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | bytes_[at + i];
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void SettingsRecord::setF64(size_t at, double value) {
  assert(at + 8 <= kSize);
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) bytes_[at + i] = static_cast<uint8_t>(bits >> (8 * i));
}

std::string SettingsRecord::text(size_t at) const {
  assert(at + kTextField <= kSize);
  const char* field = reinterpret_cast<const char*>(bytes_.data() + at);
  return std::string(field, ::strnlen(field, kTextField - 1));
}

void SettingsRecord::setText(size_t at, std::string_view value) {
  assert(at + kTextField <= kSize);
  size_t n = std::min(value.size(), kTextField - 1);
  std::memset(bytes_.data() + at, 0, kTextField);
  // An empty view may hold no pointer at all; memcpy must not be given one.
  if (n > 0) std::memcpy(bytes_.data() + at, value.data(), n);
}

uint32_t SettingsRecord::colour(int index) const {
  assert(index >= 0 && index < kColourCount);
  return u32(kColoursAt + 4 * static_cast<size_t>(index));
}

void SettingsRecord::setColour(int index, uint32_t rgb) {
  assert(index >= 0 && index < kColourCount);
  setU32(kColoursAt + 4 * static_cast<size_t>(index), rgb);
}

void SettingsRecord::RestoreDefaultColours() {
  for (int i = 0; i < kColourTableSize; ++i) setColour(i, kDefaultColours[i]);
}

std::string SettingsRecord::historyEntry(int index) const {
  assert(index >= 0 && index < kHistorySize);
  return text(kHistoryAt + kTextField * static_cast<size_t>(index));
}

void SettingsRecord::setHistoryEntry(int index, std::string_view path) {
  assert(index >= 0 && index < kHistorySize);
  setText(kHistoryAt + kTextField * static_cast<size_t>(index), path);
}

}  // namespace malvex
