// The results panel of the main window without its widgets: the function
// list and the result list, the "Actant" and "Acted" boxes, the sort order,
// the moves to the previous and next function, the information, message
// and status lines, and what choosing an item does to the text view (the
// selection it makes, the extracts it shows, the search for its next
// occurrence). The window draws what this object holds and forwards the
// user's actions to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "views/result_function_table.h"
#include "views/result_functions.h"
#include "views/result_list.h"

namespace malvex {

class Engine;
class ScenarioGroupHierarchy;
class SelectionState;
class TExtraitDuTexte;
struct WordNode;

class ResultPanelModel {
 public:
  // Catalogue ids of the texts the panel shows.
  static constexpr int kClassItemStatus = 887;      // "You can add these elements in the Scenario..."
  static constexpr int kPartsInformation = 369;     // "Summarize the Most Characteristic Parts of this text."

  // All three must outlive the model; `view` draws the stream of `engine`
  // with `selection`. `listCapacity` is the most lines the result list holds.
  ResultPanelModel(Engine& engine, TExtraitDuTexte& view, SelectionState& selection,
                   size_t listCapacity = ResultList::kDefaultCapacity);
  ~ResultPanelModel();
  ResultPanelModel(const ResultPanelModel&) = delete;
  ResultPanelModel& operator=(const ResultPanelModel&) = delete;

  // Before an analysis (or when the text is closed): forgets the functions,
  // the list and the selection, and detaches the view from the run's
  // stores, which the next run frees.
  void Clear();
  // After an analysis: rebuilds the function table, attaches the view to
  // the run's relation store and Scenario groups, clears the selection and
  // shows the text from its start.
  void AnalysisDone();
  bool Analysed() const { return analysed_; }

  // ---- Functions ----------------------------------------------------------

  // The lines of the function list (titles in table order, or the single
  // line of message 554 for a text of at most one word).
  std::vector<std::string> FunctionLines();
  int FunctionCount() const { return functions_.table().Count(); }
  // Chooses the function at `position` (the list or a menu command) and
  // fills the result list; false, with nothing changed, before an analysis
  // or outside the table. An Episode moves the text to its start.
  bool ChooseFunction(int position);
  // The function before or after the chosen one (the first one when none
  // is chosen); false at either end of the table.
  bool PreviousFunction();
  bool NextFunction();
  // Chooses again the function used last, also after a new analysis, when
  // the table still holds its position; false otherwise.
  bool ChooseLastFunction();
  int chosenFunction() const { return functions_.chosen(); }
  // The function used last, across analyses; -1 when none.
  int lastFunction() const { return lastFunction_; }
  ResultKind chosenKind() const;

  // ---- Items --------------------------------------------------------------

  const ResultList& items() const { return functions_.list(); }
  // Shows item `index` of the result list (see the kinds below); false when
  // no text is analysed, no function is chosen, the index is outside the
  // list or the line stands for nothing (a group header, an unknown class).
  //   classes, Scenario groups, relations, lemmas: selected; the text view
  //     shows the extracts that hold it, from the first one;
  //   word categories and colouring style verdicts: their words coloured
  //     and their explanation shown; the characteristic parts line shows
  //     those propositions; the episodes line goes to the first episode;
  //   Episode propositions: the text from that proposition.
  bool ChooseItem(int index);
  // The index chosen last in the current list; -1 when none.
  int chosenItem() const { return chosenItem_; }
  // The index of the first line carrying `item`; -1 when none.
  int IndexOfItem(int64_t item) const;

  // What a graph click selected: the class (relation) becomes the
  // selection, its line chosen when the result list holds it, and its
  // extracts are shown from the start. False for a class outside 1..4 or
  // an empty id.
  bool ShowGraphClass(int level, int32_t cls);
  bool ShowGraphRelation(int level, int32_t first, int32_t second);
  // The extracts of the selection as it stands (a bundle's class and span).
  void ShowSelectionExtracts();
  // The text view from `position` (a part of the distribution graph).
  void ShowTextAt(int32_t position);

  // Moves the text view to the next (or previous) proposition that holds
  // the selection, underlining the word found; false, with the view where
  // it was, when there is none further.
  bool FindOccurrence(bool forward);

  // ---- Boxes and order ----------------------------------------------------

  // Each change fills the chosen list again (the chosen item is forgotten).
  void SetActant(bool checked);
  void SetActed(bool checked);
  void SetAlphabetical(bool alphabetical);
  bool actant() const { return functions_.actant(); }
  bool acted() const { return functions_.acted(); }
  bool alphabetical() const { return functions_.alphabetical(); }
  // Hide branches / Expand all of the Scenario list.
  void SetBranchesHidden(bool hidden);
  bool branchesHidden() const { return functions_.branchesHidden(); }
  bool boxesEnabled() const { return functions_.boxesEnabled(); }

  // ---- Texts --------------------------------------------------------------

  // The information line (the function's question, an explanation, or
  // message 322 once the list stopped growing).
  const std::string& information() const { return information_; }
  // The second line of the information area (a figure or an explanation
  // that goes with the item chosen); empty when none.
  const std::string& message() const { return message_; }
  const std::string& status() const { return status_; }
  // The result list's hint.
  const std::string& hint() const { return hint_; }
  // The colour-table index the graphs write the selection's label in:
  // the group colour of a word-category line, the class colour otherwise.
  int selectionColour() const { return selectionColour_; }

  // ---- Pending expressions ------------------------------------------------

  // After an analysis: shows the first pending expression the text holds
  // (its name looked up at its level among the classes; level 4 reselects
  // the function used last) and consumes every slot. With none shown and
  // no function chosen, the status line asks to choose a type of results.
  // True when an expression was shown.
  bool ShowPendingExpressions(PendingExpressions& pending);

 private:
  void TakeFunctionTexts();
  bool ShowClass(int level, int32_t cls);
  bool ShowRelation(int level, int32_t first, int32_t second);
  bool ShowWord(uint32_t lemma, uint8_t category, const std::string& text);
  bool ShowStyleLine(int index, int id);
  bool ShowCategoryLine(int index);
  bool ShowEpisodeProposition(uint32_t proposition);
  bool GoToFirstEpisode();
  // Extracts of the selection from the start of the text, the first
  // occurrence underlined.
  void ShowExtracts();
  // The page from the start of the text, the selection's first occurrence
  // underlined and the search set to go on after it.
  void UnderlineFirstOccurrence();

  Engine& engine_;
  TExtraitDuTexte& view_;
  SelectionState& selection_;
  ResultFunctions functions_;
  std::unique_ptr<ScenarioGroupHierarchy> groups_;
  bool analysed_ = false;
  int lastFunction_ = -1;
  int chosenItem_ = -1;
  // Where the next forward search starts: after the occurrence shown last.
  WordNode* searchFrom_ = nullptr;
  int32_t shownProposition_ = 0;
  std::string information_;
  std::string message_;
  std::string status_;
  std::string hint_;
  int selectionColour_ = 11;
};

// The classification level a display request's level digit names: 1 the
// reference fields 1 (level 3), 2 the reference fields 2 (level 2), 3 the
// references (level 1), 4 the Scenario (level 4); 0 for any other digit.
int LevelOfRequestDigit(int digit);

}  // namespace malvex
