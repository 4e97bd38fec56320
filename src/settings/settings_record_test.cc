#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace malvex {
namespace {

// Every default of a reset record, one row per field.
struct Default {
  size_t offset;
  int width;  // 1, 2 or 4 bytes
  uint32_t value;
};

constexpr Default kDefaults[] = {
    {0, 4, 14},      {264, 4, 3},    {268, 4, 0},    {272, 4, 0},    {276, 2, 8},    {280, 4, 40},
    {288, 4, 0},     {344, 2, 50},   {346, 2, 30},   {352, 2, 1},    {354, 2, 10},   {356, 2, 1},
    {358, 2, 3},     {360, 2, 15},   {362, 2, 1},    {364, 2, 90},   {366, 2, 1},    {368, 2, 4},
    {370, 2, 3},     {372, 2, 25},   {374, 2, 14},   {376, 2, 4},    {378, 2, 12},   {552, 1, 1},
    {553, 1, 1},     {554, 1, 1},    {555, 1, 1},    {556, 1, 1},    {558, 1, 1},    {559, 1, 1},
    {560, 1, 1},     {561, 1, 1},    {563, 1, 0},    {564, 1, 1},    {565, 1, 0},    {566, 1, 0},
    {567, 1, 0},     {568, 1, 1},    {569, 1, 1},    {570, 1, 1},    {572, 1, 1},    {574, 1, 1},
    {575, 1, 1},     {576, 1, 1},    {583, 1, 1},    {584, 1, 0},    {585, 1, 1},    {586, 1, 1},
    {587, 1, 1},     {588, 1, 0},    {589, 1, 1},    {592, 1, 0},    {593, 1, 0},    {595, 1, 1},
    {596, 1, 1},     {597, 1, 1},    {598, 1, 1},    {600, 1, 1},    {601, 1, 1},    {602, 1, 0},
    {603, 1, 1},     {609, 1, 1},    {610, 1, 1},    {611, 1, 1},    {612, 1, 1},    {616, 1, 1},
    {617, 1, 1},     {618, 1, 1},    {619, 1, 1},    {621, 1, 1},    {624, 1, 1},    {625, 1, 0},
    {626, 1, 1},     {627, 1, 1},    {628, 1, 1},    {630, 1, 0},    {634, 1, 1},    {12796, 1, 1},
    {12800, 1, 1},   {12812, 4, 1234578},
    // The scenario windows: Add mode, reposition, automatic level 1,
    // frequency threshold 3, terminology compounds, non-classified, filter.
    {2048, 1, 1},    {2050, 1, 1},   {2051, 1, 1},   {2054, 2, 3},   {2056, 1, 1},   {2057, 1, 1},
    {2058, 1, 1},
    // The colour table (0x00BBGGRR), colours 0..16.
    {6400, 4, 0},    {6404, 4, 0x0000A0}, {6408, 4, 0x00FFFF}, {6412, 4, 0xFF00FF},
    {6416, 4, 0x80FFA0}, {6420, 4, 0xFFFF00}, {6444, 4, 0xFF0000}, {6448, 4, 0xFF0000},
    {6452, 4, 0xFF00FF}, {6456, 4, 0x00FF00}, {6460, 4, 0xC0C0C0},
};

uint32_t ReadLittleEndian(std::string_view image, size_t offset, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(image[offset + i]);
  return v;
}

TEST(SettingsRecord, ResetWritesEveryDefaultAndZeroElsewhere) {
  SettingsRecord record;
  // Dirty every byte, then reset.
  std::string dirty(SettingsRecord::kSize, '\x5A');
  std::memcpy(&dirty[0], "\x0E\0\0\0", 4);
  std::memcpy(&dirty[12812], "\x92\xD6\x12\x00", 4);
  ASSERT_TRUE(record.AssignImage(dirty));
  record.Reset();
  const std::string_view image = record.image();
  ASSERT_EQ(image.size(), 12816u);

  std::set<size_t> covered;
  for (const Default& d : kDefaults) {
    SCOPED_TRACE(d.offset);
    EXPECT_EQ(ReadLittleEndian(image, d.offset, d.width), d.value);
    for (int i = 0; i < d.width; ++i) covered.insert(d.offset + i);
  }
  // The real at 384.
  EXPECT_DOUBLE_EQ(record.f64(384), 0.4);
  for (size_t i = 384; i < 392; ++i) covered.insert(i);
  // The texts: default scenario and the open-dialog mask.
  const std::string scenario = "Concepts Romanian V8.scn";
  EXPECT_EQ(image.substr(656, scenario.size() + 1), std::string_view(scenario.c_str(), scenario.size() + 1));
  EXPECT_EQ(image.substr(1439, 4), std::string_view("*.*\0", 4));
  for (size_t i = 0; i < scenario.size(); ++i) covered.insert(656 + i);
  for (size_t i = 0; i < 3; ++i) covered.insert(1439 + i);

  for (size_t i = 0; i < SettingsRecord::kSize; ++i) {
    if (covered.count(i) == 0) {
      EXPECT_EQ(image[i], '\0') << "byte " << i;
    }
  }
}

// No two fields share a byte, every field lies inside the record, and the
// scenario windows' settings lie outside every fixed field.
TEST(SettingsRecord, FieldsDoNotOverlap) {
  std::vector<const SettingsField*> fields;
  for (const SettingsField& f : kFixedSettingsFields) fields.push_back(&f);
  for (const SettingsField& f : kScenarioWindowFields) fields.push_back(&f);
  std::vector<const char*> owner(SettingsRecord::kSize, nullptr);
  for (const SettingsField* f : fields) {
    ASSERT_GT(f->width, 0u) << f->name;
    ASSERT_LE(f->at + f->width, SettingsRecord::kSize) << f->name;
    for (size_t i = f->at; i < f->at + f->width; ++i) {
      EXPECT_EQ(owner[i], nullptr) << f->name << " and " << (owner[i] ? owner[i] : "") << " share byte " << i;
      owner[i] = f->name;
    }
  }
  // The named offsets of the record are all in the fixed table.
  for (size_t at : {SettingsRecord::kScenarioFileAt, SettingsRecord::kConfirmDeletionsAt,
                    SettingsRecord::kScenarioWordsInCapitalsAt, SettingsRecord::kUnaccentedScenarioFormsAt,
                    SettingsRecord::kColoursAt, SettingsRecord::kTrailerAt, SettingsRecord::kOpenFilterIndexAt}) {
    bool inFixed = false;
    for (const SettingsField& f : kFixedSettingsFields) inFixed = inFixed || (at >= f.at && at < f.at + f.width);
    EXPECT_TRUE(inFixed) << at;
  }
  for (const SettingsField& f : kScenarioWindowFields) EXPECT_GE(f.at, SettingsRecord::kScenarioWindowBlockAt);
}

TEST(SettingsRecord, ScenarioWindowAccessors) {
  SettingsRecord record;
  EXPECT_TRUE(record.scenarioAddMode());
  EXPECT_FALSE(record.scenarioNoSubclassify());
  EXPECT_TRUE(record.scenarioReposition());
  EXPECT_EQ(record.wizardAutomaticLevel(), 1);
  EXPECT_EQ(record.wizardFrequencyThreshold(), 3);
  record.setWizardFrequencyThreshold(1000);
  EXPECT_EQ(record.u16(SettingsRecord::kWizardFrequencyThresholdAt), 1000);
  record.setWizardAutomaticLevel(7);
  EXPECT_EQ(record.wizardAutomaticLevel(), 1);
  record.setScenarioAddMode(false);
  EXPECT_EQ(record.u8(SettingsRecord::kScenarioAddModeAt), 0);
  record.setTerminologyLocalize(true);
  EXPECT_EQ(record.u8(SettingsRecord::kTerminologyLocalizeAt), 1);
  EXPECT_EQ(record.u8(SettingsRecord::kTerminologyFilterAt), 1);
}

TEST(SettingsRecord, NamedAccessorsReadTheirOffsets) {
  SettingsRecord record;
  EXPECT_EQ(record.version(), 14u);
  EXPECT_EQ(record.trailer(), 1234578u);
  EXPECT_EQ(record.graphObjectLimit(), 30);
  EXPECT_EQ(record.graphType(), 1);
  EXPECT_EQ(record.relationLevel(), 1);
  EXPECT_EQ(record.textSizeWarning(), 25);
  EXPECT_TRUE(record.checkDefaultOntology());
  EXPECT_FALSE(record.printInColour());
  EXPECT_EQ(record.scenarioFile(), "Concepts Romanian V8.scn");
  EXPECT_EQ(record.bordersFile(), "");
  EXPECT_EQ(record.openDialogMask(), "*.*");
  EXPECT_EQ(record.colour(1), 0x0000A0u);
  EXPECT_EQ(record.colour(15), 0xC0C0C0u);

  record.setRelationLevel(3);
  record.setDictionaryFingerprint(0x01020304);
  record.setLargeFonts(true);
  record.setColour(32, 0xABCDEF);
  EXPECT_EQ(record.u16(362), 3);
  EXPECT_EQ(record.image().substr(288, 4), std::string_view("\x04\x03\x02\x01", 4));
  EXPECT_EQ(record.u8(588), 1);
  EXPECT_EQ(record.u32(6400 + 4 * 32), 0xABCDEFu);
}

TEST(SettingsRecord, TextFieldsHoldAtMost260BytesAndClearTheirTail) {
  SettingsRecord record;
  record.setScenarioFile(std::string(300, 'a'));
  EXPECT_EQ(record.scenarioFile(), std::string(260, 'a'));
  EXPECT_EQ(record.u8(656 + 260), 0);
  record.setScenarioFile("b.scn");
  EXPECT_EQ(record.scenarioFile(), "b.scn");
  EXPECT_EQ(record.u8(656 + 6), 0);  // the longer old text is gone
  // A field without a zero among its 261 bytes still reads 260 bytes.
  for (size_t i = 0; i < 261; ++i) record.setU8(1700 + i, 'x');
  EXPECT_EQ(record.savedCurrentFolder(), std::string(260, 'x'));
}

TEST(SettingsRecord, HistoryEntriesFollowEachOther) {
  SettingsRecord record;
  for (int i = 0; i < SettingsRecord::kHistorySize; ++i) record.setHistoryEntry(i, "/t/" + std::to_string(i));
  EXPECT_EQ(record.text(9664 + 261 * 11), "/t/11");
  EXPECT_EQ(record.historyEntry(0), "/t/0");
  // The last entry ends before the print-choice bytes.
  EXPECT_EQ(record.u8(12796), 1);
}

TEST(SettingsRecord, ImageValidity) {
  SettingsRecord record;
  std::string image(record.image());
  EXPECT_TRUE(SettingsRecord::IsValidImage(image));
  EXPECT_FALSE(SettingsRecord::IsValidImage(image.substr(0, image.size() - 1)));
  EXPECT_FALSE(SettingsRecord::IsValidImage(image + '\0'));
  std::string wrongVersion = image;
  wrongVersion[0] = 13;
  EXPECT_FALSE(SettingsRecord::IsValidImage(wrongVersion));
  std::string wrongTrailer = image;
  wrongTrailer[12812] ^= 1;
  EXPECT_FALSE(SettingsRecord::IsValidImage(wrongTrailer));

  record.setGraphType(5);
  EXPECT_FALSE(record.AssignImage(wrongTrailer));
  EXPECT_EQ(record.graphType(), 5);  // unchanged
  EXPECT_TRUE(record.AssignImage(image));
  EXPECT_EQ(record.graphType(), 1);
}

TEST(SettingsRecord, RestoreDefaultColoursLeavesTheSpareColours) {
  SettingsRecord record;
  record.setColour(1, 0x123456);
  record.setColour(20, 0x654321);
  record.RestoreDefaultColours();
  EXPECT_EQ(record.colour(1), DefaultColourTable()[1]);
  EXPECT_EQ(record.colour(20), 0x654321u);
}

}  // namespace
}  // namespace malvex
