#include "foundations/category.h"

#include "foundations/messages.h"

namespace malvex {
namespace {

// Catalogue ids of the names shown for categories.
constexpr int kMsgAmbiguity = 89;
constexpr int kMsgAuxiliary = 92;
constexpr int kMsgConnector = 109;
constexpr int kMsgModality = 121;
constexpr int kMsgFundamental = 129;
constexpr int kMsgVerb = 132;
constexpr int kMsgAdjective = 140;
constexpr int kMsgPronoun = 141;
constexpr int kMsgSubstantive = 143;
constexpr int kMsgDeterminant = 150;
constexpr int kMsgGerund = 166;
// The empty label: returned for "no label" and never appended.
constexpr int kMsgNone = 232;

// Connector subclass of the record by dictionary detail 1..10; the
// dictionary numbers the first six differently from the record.
constexpr uint8_t kConnectorByDetail[11] = {0, 1, 3, 4, 2, 6, 5, 7, 8, 9, 10};

int VerbSubclassLabel(uint8_t v) { return v >= 1 && v <= 4 ? 92 + v : kMsgNone; }
int VerbModeLabel(uint8_t v) { return v >= 1 && v <= 6 ? 98 + v : kMsgNone; }
int VerbTenseLabel(uint8_t v) { return v >= 1 && v <= 4 ? 104 + v : kMsgNone; }
int ConnectorLabel(uint8_t v) { return v >= 1 && v <= 10 ? 109 + v : kMsgNone; }
int ModalityLabel(uint8_t v) {
  if (v >= 1 && v <= 3) return 116 + v;  // time, place, manner: the connector texts
  if (v >= 4 && v <= 7) return 121 + v;
  return kMsgNone;
}
int AdjectiveLabel(uint8_t v) { return v >= 1 && v <= 4 ? 150 + v : kMsgNone; }
int PronounLabel(uint8_t v) { return v >= 1 && v <= 5 ? 144 + v : kMsgNone; }

// Appends " " and the text of `id` unless `id` is the empty label.
void AppendLabel(Messages& messages, int id, std::string& out) {
  if (id == kMsgNone) return;
  out += ' ';
  out += messages.message(id);
}

}  // namespace

WordCategory DecodeCategory(uint16_t code) {
  WordCategory r;
  const unsigned k = (code >> 8) & 0x0F;
  const unsigned d = code & 0xFF;
  switch (k) {
    case 1: {
      r.category = kClassVerb;
      r.subcategory = static_cast<uint8_t>((code & 0x03) + 1);
      r.tensePerson = static_cast<uint8_t>(((code >> 2) & 0x03) + 1);
      const unsigned mode = (code >> 4) & 0x03;
      const bool participle = (code & 0x40) != 0;
      if (participle && mode == 3) {
        r.modeMark = 5;
      } else if (participle) {
        r.modeMark = 4;
      } else if (mode == 3) {
        r.modeMark = 6;
      } else if (mode == 1) {
        r.modeMark = 2;
      } else if (mode == 2) {
        r.modeMark = 3;
      } else {
        r.modeMark = 1;
      }
      if (code & 0x80) r.flags |= kFlagAuxiliary;
      break;
    }
    case 2:
      r.category = kClassConnector;
      r.subcategory = d <= 10 ? kConnectorByDetail[d] : 0;
      break;
    case 3:
      r.category = kClassModality;
      r.subcategory = d >= 1 && d <= 7 ? static_cast<uint8_t>(d) : 0;
      break;
    case 4:
      r.category = kClassAdjective;
      r.subcategory = d >= 1 && d <= 3 ? static_cast<uint8_t>(d) : 4;
      break;
    case 5: {
      r.category = kClassPronoun;
      const unsigned low = d & 0x0F;
      const unsigned high = d >> 4;
      r.subcategory = low >= 1 && low <= 5 ? static_cast<uint8_t>(low) : 0;
      r.tensePerson = high >= 1 && high <= 7 ? static_cast<uint8_t>(high) : 0;
      if (code & 0x2000) r.modeMark = 1;
      break;
    }
    case 6:
      if (d == 1) {
        r.category = kClassDeterminantKind1;
      } else {
        r.category = kClassDeterminant;
        if (code & 0x1000) r.tensePerson = 1;
      }
      if (code & 0x2000) r.modeMark |= 0x01;
      break;
    case 8:
      r.category = kClassUndetermined;
      break;
    default:
      r.category = kClassSubstantive;
      if (code & 0x10) {
        r.modeMark = 1;
      } else if (code & 0x20) {
        r.modeMark = 2;
      } else if (code & 0x40) {
        r.modeMark = 3;
      }
      break;
  }
  if (code & 0x4000) r.flags |= kFlagFundamental;
  if (code & 0x8000) r.flags |= kFlagAmbiguous;
  return r;
}

bool SameWordClass(uint16_t a, uint16_t b) { return ((a ^ b) & 0x0F00) == 0; }

std::string ShortLabel(Messages& messages, const WordCategory& c) {
  int id;
  switch (c.category) {
    case 1: id = kMsgVerb; break;
    case 2: id = kMsgConnector; break;
    case 3: id = kMsgModality; break;
    case 4: id = kMsgAdjective; break;
    case 5: id = kMsgPronoun; break;
    case 6:
    case 7: id = kMsgDeterminant; break;
    default: id = kMsgSubstantive; break;
  }
  std::string out = " (";
  out += messages.message(id);
  out += ')';
  return out;
}

std::string LongLabel(Messages& messages, const WordCategory& c, bool withTenseAndMode) {
  std::string out = "   (";
  if (isAmbiguous(c)) {
    out += ' ';
    out += messages.message(kMsgAmbiguity);
  }
  out += ' ';
  switch (c.category) {
    case 1:
      out += messages.message(kMsgVerb);
      AppendLabel(messages, VerbSubclassLabel(c.subcategory), out);
      if (withTenseAndMode) {
        if (isGerund(c)) {
          AppendLabel(messages, kMsgGerund, out);
        } else {
          AppendLabel(messages, VerbModeLabel(c.modeMark), out);
          AppendLabel(messages, VerbTenseLabel(c.tensePerson), out);
        }
      }
      if (isAuxiliary(c)) AppendLabel(messages, kMsgAuxiliary, out);
      break;
    case 3:
      out += messages.message(kMsgModality);
      AppendLabel(messages, ModalityLabel(c.subcategory), out);
      break;
    case 2:
      out += messages.message(kMsgConnector);
      AppendLabel(messages, ConnectorLabel(c.subcategory), out);
      break;
    case 4:
      out += messages.message(kMsgAdjective);
      AppendLabel(messages, AdjectiveLabel(c.subcategory), out);
      break;
    case 5:
      out += messages.message(kMsgPronoun);
      AppendLabel(messages, PronounLabel(c.subcategory), out);
      break;
    case 6:
    case 7:
      out += messages.message(kMsgDeterminant);
      break;
    case 0:
    case 8:
      out += messages.message(kMsgSubstantive);
      break;
    case 9:
      out += "???";
      break;
    default:
      if (isFundamental(c)) out += messages.message(kMsgFundamental);
      break;
  }
  out += " )";
  return out;
}

bool matchesCriterion(const WordCategory& word, const WordCategory& criterion) {
  if (word.category != criterion.category) return false;
  if (criterion.subcategory != 0 && word.subcategory != criterion.subcategory) return false;
  if (criterion.tensePerson != 0 && word.tensePerson != criterion.tensePerson) return false;
  return true;
}

void setSubstantive(WordCategory& c) {
  c = WordCategory{};
  c.category = kClassSubstantive;
}

uint8_t defaultToSubstantive(WordCategory& c) {
  if (c.category == kClassUnclassified) c.category = kClassSubstantive;
  return c.category;
}

void setNumeralAdjective(WordCategory& c) {
  c.category = kClassAdjective;
  c.subcategory = 3;
  c.flags = 0;
}

void setModality(WordCategory& c, uint8_t subclass) {
  c = WordCategory{};
  c.category = kClassModality;
  c.subcategory = subclass;
}

}  // namespace malvex
