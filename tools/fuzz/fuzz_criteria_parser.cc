// The criteria parser of the word search box: any bytes as the typed text,
// parsed by the engine's parser (mini edition, default scenario), then
// parsed again after a pick of one of its lines and with dotted forms kept.
// What must hold whatever was typed: at most 100 tokens of at most 80
// characters, none empty before the last unless a compound emptied it; at
// most 201 lines with items of at most 79 characters, known kinds, checks
// only on enabled lines; a pick only reorders the lines, never changes
// their number; the lexicon never overflows its readings.
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionaries/lexicon.h"
#include "fuzz_engine.h"
#include "scenarios/criteria_parser.h"

namespace {

using namespace malvex;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckParse(const TScenParser& parser) {
  Check(parser.tokenCount() >= 0 && parser.tokenCount() <= TParseCmdCriteres::kMaxTokens);
  for (int i = 1; i <= parser.tokenCount(); ++i) {
    Check(parser.token(i).size() <= TParseCmdCriteres::kTokenChars);
    Check(parser.tokenOperators(i).size() <= static_cast<size_t>(TParseCmdCriteres::kOperatorsPerToken));
  }
  if (parser.tokenCount() > 0) Check(!parser.token(1).empty());
  Check(parser.tokenResultCount() <= TParseCmdCriteres::kMaxTokenResults);
  const auto& lines = parser.lines();
  Check(lines.size() <= static_cast<size_t>(TParseCmdCriteres::kMaxLines));
  Check(parser.lineCount() == static_cast<int>(lines.size()));
  if (parser.tokenCount() == 0) Check(lines.empty());
  for (const CriteriaLine& l : lines) {
    Check(l.item.size() <= TParseCmdCriteres::kItemChars);
    Check(l.kind >= TParseCmdCriteres::kKindWord && l.kind <= TParseCmdCriteres::kKindGroup);
    Check(!(l.disabled && l.IsVerbOrAdjective()));
    // A word no dictionary knows is a level-1 line of no class.
    if (l.kind == 2 || l.kind == 3) Check(l.classes.at(l.kind) != 0);
    if (l.kind == 1 && l.classes.at(1) == 0) Check(l.classes == ClassPath{});
    if (l.kind == TParseCmdCriteres::kKindGroup) Check(l.reference != 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Engine& engine = fuzz::TheEngine();
  TScenParser* parser = engine.criteriaParser();
  Check(parser != nullptr);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // Every input starts from an empty history and the default options.
  parser->ResetAll();
  parser->options() = CriteriaParserOptions{};
  parser->ParseText(text);
  CheckParse(*parser);
  const size_t count = parser->lines().size();
  if (count > 0) {
    parser->RecordChoice(parser->lines()[size % count].classes);
    parser->ParseText(text);
    CheckParse(*parser);
    Check(parser->lines().size() == count);
  }
  parser->options().keepDottedForms = true;
  parser->ParseText(text);
  CheckParse(*parser);
  Check(!engine.lexicon().depthOverflow());
  return 0;
}
