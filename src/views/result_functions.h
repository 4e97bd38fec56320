// The result functions of the main window without its widgets: the function
// table rebuilt after each analysis, the choice of a function that fills
// the result list and sets the information line, the status line and the
// list hint, the "Actant" and "Acted" boxes and the sort order. The window
// shows what this object holds and forwards the user's actions to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "views/class_list.h"
#include "views/result_function_table.h"
#include "views/result_list.h"

namespace malvex {

class DiagnosisList;
class Engine;

class ResultFunctions {
 public:
  // Catalogue ids of the texts set when a function is chosen.
  static constexpr int kChooseStatus = 886;   // "Please, select an element in the list..."
  static constexpr int kClickMeHint = 722;
  static constexpr int kEpisodesGraphHint = 571;
  static constexpr int kNoWordsInformation = 1175;
  static constexpr int kNoWordsStatus = 1176;
  static constexpr int kChooseFunctionStatus = 287;
  static constexpr int kEpisodesGraphType = 4;

  // `engine` must outlive this object; `listCapacity` is the most lines the
  // result list holds.
  explicit ResultFunctions(Engine& engine, size_t listCapacity = ResultList::kDefaultCapacity);
  ~ResultFunctions();
  ResultFunctions(const ResultFunctions&) = delete;
  ResultFunctions& operator=(const ResultFunctions&) = delete;

  // After an analysis: rebuilds the function table from the text's words
  // and episodes, empties the result list and forgets the chosen function.
  void Rebuild();
  // Empties the table and the list (before an analysis).
  void Clear();

  const ResultFunctionTable& table() const { return table_; }
  // The lines of the function list: the titles in table order, or the
  // single line of message 554 for a text of at most one word.
  std::vector<std::string> FunctionLines();

  // Chooses the function at `position` and fills the result list. Ignored
  // (false, nothing changes) unless a text has been analysed and the
  // position is within the table.
  bool Choose(int position);
  // Fills the list of the chosen function again (after a box or the sort
  // order changed); false when no function is chosen.
  bool Refresh();
  // The position chosen last, -1 when none.
  int chosen() const { return chosen_; }

  const ResultList& list() const { return list_; }
  // The information line: the chosen function's explanation, or message
  // 322 once the list refused a line.
  const std::string& information() const { return information_; }
  const std::string& status() const { return status_; }
  const std::string& hint() const { return hint_; }
  // Whether the "Actant" and "Acted" boxes can be used.
  bool boxesEnabled() const { return boxesEnabled_; }

  // The boxes and the sort order (kept in the settings); each change fills
  // the chosen list again.
  void SetActant(bool checked);
  void SetActed(bool checked);
  bool actant() const { return filter_.actant; }
  bool acted() const { return filter_.acted; }
  void SetAlphabetical(bool alphabetical);
  bool alphabetical() const { return alphabetical_; }
  // The Scenario list shows its top-level groups only while the branches
  // are hidden; the state lasts as long as the window, not in the settings.
  void SetBranchesHidden(bool hidden);
  bool branchesHidden() const { return branchesHidden_; }

  // The diagnosis list the Text style and word-category lists fill (their
  // selection handlers read it).
  DiagnosisList& diagnosis() { return *diagnosis_; }

 private:
  void Fill(const ResultFunction& function, int position);
  bool FillClasses(int level);

  Engine& engine_;
  ResultFunctionTable table_;
  ResultList list_;
  std::unique_ptr<DiagnosisList> diagnosis_;
  ClassListOptions filter_;
  bool alphabetical_ = false;
  bool branchesHidden_ = false;
  bool analysed_ = false;
  int chosen_ = -1;
  std::string information_;
  std::string status_;
  std::string hint_;
  bool boxesEnabled_ = false;
};

}  // namespace malvex
