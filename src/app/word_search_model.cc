#include "app/word_search_model.h"

#include "dictionaries/lemma_index.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_tree.h"

namespace malvex {

namespace {

// The search subject and the inserted word keep at most 79 characters of
// the box.
inline constexpr size_t kSubjectChars = 79;
// A dropped result keeps at most 80.
inline constexpr size_t kDropChars = 80;

}  // namespace

WordSearchModel::WordSearchModel(Engine& engine, TextSearch& search, WordSearchHost& host)
    : engine_(engine), search_(search), host_(host), parser_(engine.criteriaParser()) {
  if (parser_ == nullptr) {
    CriteriaParserSources sources;
    sources.tables = &engine_.tables();
    sources.messages = &engine_.messages();
    sources.lexicon = &engine_.lexicon();
    sources.semantic = &engine_.semanticDictionary();
    sources.verbLemmas = engine_.verbLemmas();
    sources.adjectiveLemmas = engine_.adjectiveLemmas();
    sources.scenario = &engine_.scenarioLayer();
    ownParser_ = std::make_unique<TScenParser>(sources, CriteriaParserOptions{});
    parser_ = ownParser_.get();
  }
  addMode_ = engine_.record().scenarioAddMode();
  subclassify_ = !engine_.record().scenarioNoSubclassify();
}

bool WordSearchModel::reposition() const { return engine_.record().scenarioReposition(); }

void WordSearchModel::SetReposition(bool v) { engine_.record().setScenarioReposition(v); }

bool WordSearchModel::searchEnabled() const { return !text_.empty() && host_.TextAnalysed(); }

void WordSearchModel::EditUnMotChange(std::string_view text) {
  text_ = std::string(text.substr(0, kWordBoxChars));
  fromTop_ = true;
  insertEnabled_ = true;
  if (text_.empty()) {
    // An emptied box leaves no meanings of the former word behind.
    parser().ParseText(text_);
    checkedLine_ = 0;
    return;
  }
  parser().ParseText(text_);
  if (parser().tokenCount() == 0) return;
  checkedLine_ = 0;
  std::vector<CriteriaLine>& lines = parser_->mutableLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].checked) continue;
    if (checkedLine_ == 0) {
      checkedLine_ = static_cast<int>(i) + 1;
    } else {
      lines[i].checked = false;
    }
  }
}

bool WordSearchModel::DropText(std::string_view text) {
  if (host_.AnalysisRunning() || !host_.TextAnalysed()) return false;
  EditUnMotChange(text.substr(0, kDropChars));
  return true;
}

void WordSearchModel::ListBoxSensClickCheck(int line, bool checked) {
  std::vector<CriteriaLine>& lines = parser_->mutableLines();
  if (line < 1 || line > static_cast<int>(lines.size())) return;
  itself_ = false;
  CriteriaLine& clicked = lines[line - 1];
  if (clicked.disabled) return;
  clicked.checked = checked;
  if (!checked) {
    if (checkedLine_ == line) checkedLine_ = 0;
    return;
  }
  parser().RecordChoice(clicked.classes);
  checkedLine_ = line;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (static_cast<int>(i) + 1 != line) lines[i].checked = false;
  }
  FindCheckedLine();
  insertEnabled_ = true;
}

int WordSearchModel::FindCheckedLine() {
  checkedLine_ = 0;
  const std::vector<CriteriaLine>& lines = parser().lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].checked) continue;
    checkedLine_ = static_cast<int>(i) + 1;
    parser().RecordChoice(lines[i].classes);
    break;
  }
  return checkedLine_;
}

void WordSearchModel::Remember(const std::string& subject) {
  if (subject.empty() || subject == lastRemembered_) return;
  boxHistory_.insert(boxHistory_.begin(), subject);
  lastRemembered_ = subject;
}

void WordSearchModel::ReportNotFound() {
  host_.ShowMessageLine(TextSearch::NotFoundText(engine_.messages(), subject_));
  host_.Beep();
  fromTop_ = true;
}

bool WordSearchModel::SearchLine(const CriteriaLine& line) {
  TextSearchSubject subject;
  if (line.IsVerbOrAdjective()) {
    LemmaIndex* index = isVerb(line.category) ? engine_.verbLemmas() : engine_.adjectiveLemmas();
    const uint32_t lemma = index != nullptr ? index->LemmaNumberOfLemma(line.item) : 0;
    subject = TextSearchSubject::Lemma(lemma, isVerb(line.category) ? kClassVerb : kClassAdjective);
  } else if (line.kind == TParseCmdCriteres::kKindGroup) {
    subject = TextSearchSubject::Class(kScenarioLevel, static_cast<uint32_t>(line.reference));
  } else if (line.kind >= 1 && line.kind <= 3 && line.classes.at(line.kind) != 0) {
    subject = TextSearchSubject::Class(line.kind, static_cast<uint32_t>(line.classes.at(line.kind)));
  } else {
    // A word line, or the line of a word no dictionary classes: the word.
    subject = TextSearchSubject::Word(line.item, true);
  }
  return search_.Find(subject, fromTop_);
}

bool WordSearchModel::ButtonChercherClick() {
  if (host_.AnalysisRunning() || !host_.TextAnalysed()) return false;
  std::string typed = text_.substr(0, kSubjectChars);
  FoldToLower(typed);
  subject_ = NormalizeTerm(engine_.tables(), typed);
  Remember(subject_);

  bool found = false;
  const CriteriaLine* line = nullptr;
  if (itself_) {
    found = search_.Find(TextSearchSubject::Word(subject_, wholeWord_), fromTop_);
  } else if (FindCheckedLine() != 0) {
    line = &parser().lines()[checkedLine_ - 1];
    found = SearchLine(*line);
  }
  if (!found) {
    ReportNotFound();
    return false;
  }
  host_.ShowHit(search_.lastHitPosition());
  fromTop_ = false;
  if (line != nullptr && line->kind == TParseCmdCriteres::kKindGroup) {
    if (ScenarioEditor* editor = host_.Editor()) {
      if (editor->SelectByLabel(line->item, true) != nullptr) host_.EditorChanged();
    }
    if (reposition()) host_.ShowGroupInResults(line->reference);
  }
  return true;
}

bool WordSearchModel::InsertClass(ScenarioEditor& editor, const std::string& text, int level, char letter) {
  editor.SetPending(text, level, letter);
  ScenarioNode* selected = editor.selected();
  if (!addMode_ && selected != nullptr && !selected->IsGroup()) {
    selected = selected->parent;
    editor.Select(selected);
  }
  // A sub-group named after the class, made only where it and the item
  // it receives stay within the deepest level; deeper, the item goes into
  // the selected group itself.
  if (!addMode_ && subclassify_ && selected != nullptr &&
      selected->Level() + 2 <= kScenarioMaxNodeLevel) {
    if (!editor.EnsureGroup(-1, true)) return false;
    editor.SetPending(text, level, letter);
  }
  if (addMode_ || editor.selected() == nullptr) return editor.AddWithGroup();
  return editor.InsertIntoSelection();
}

bool WordSearchModel::ButtonInsererClick() {
  ScenarioEditor* editor = host_.Editor();
  if (editor == nullptr) {
    host_.OpenEditor();
    return false;
  }
  char letter = '?';
  std::string text;
  int level = 0;
  if (!itself_) {
    if (FindCheckedLine() == 0) {
      host_.Beep();
      return false;
    }
    const CriteriaLine& line = parser().lines()[checkedLine_ - 1];
    if (line.kind == TParseCmdCriteres::kKindGroup) {
      host_.Beep();
      return false;
    }
    text = line.item;
    level = line.kind;
    if (line.IsVerbOrAdjective()) {
      level = 0;
      letter = isVerb(line.category) ? 'V' : 'A';
    } else if (level == 1) {
      // Only a class the dictionary holds is inserted as a class; one made
      // during the analysis (or a name that is no level-1 class) is a word.
      SemanticDictionary& semantic = engine_.semanticDictionary();
      std::string folded = text;
      FoldToLower(folded);
      const int32_t cls = semantic.ClassNumberOfName(1, folded.c_str());
      if (cls == 0 || static_cast<uint32_t>(cls) > semantic.NumberOfClasses(1)) level = 0;
    }
  } else {
    std::string typed = text_.substr(0, kSubjectChars);
    FoldToLower(typed);
    text = NormalizeTerm(engine_.tables(), typed);
    subject_ = text;
    Remember(text);
  }
  if (text.empty()) {
    host_.Beep();
    return false;
  }
  engine_.record().setScenarioAddMode(addMode_);

  bool done = false;
  if (level > 0) {
    done = InsertClass(*editor, text, level, letter);
  } else if (addMode_) {
    done = editor->AddAsNewGroup(text, letter);
  } else {
    done = editor->InsertInGroup(text, letter, subclassify_);
  }
  host_.EditorChanged();
  return done;
}

void WordSearchModel::FormClose() { engine_.record().setScenarioAddMode(addMode_); }

}  // namespace malvex
