// A notification box for tests: answers from a queue and records every box
// it was asked to show.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/notify.h"

namespace malvex {

class ScriptedBox : public NotificationBox {
 public:
  // One box the code asked for.
  struct Asked {
    std::string text;
    BoxKind kind;
    bool withCheckBox;
  };

  // `defaultAnswer` answers every box once the queue is empty.
  explicit ScriptedBox(int defaultAnswer = kClosed) : defaultAnswer_(defaultAnswer) {}

  // Queues the answer of a coming box; answers are used in order.
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  void SetDefaultAnswer(int answer) { defaultAnswer_ = answer; }
  // The state the user leaves the check box in, for boxes that show it.
  void SetCheckBoxState(bool ticked) { checkBoxState_ = ticked; }
  // While set, Show fails (returns false, leaves the answer untouched and
  // consumes no queued answer); the box is still recorded.
  void SetFailToShow(bool fail) { failToShow_ = fail; }

  bool Show(const std::string& text, BoxKind kind, bool withCheckBox, int& answer) override;
  bool DontShowAgain() const override { return dontShowAgain_; }
  void LastResortError(const std::string& text) override { lastResort_.push_back(text); }

  // Every box asked, in order, including the ones that failed to show.
  const std::vector<Asked>& asked() const { return asked_; }
  // Every last-resort error text, in order.
  const std::vector<std::string>& lastResortErrors() const { return lastResort_; }
  // Answers still queued.
  size_t pendingAnswers() const { return answers_.size(); }
  // Forgets the recorded boxes and errors (queue and settings stay).
  void ClearRecords();

 private:
  std::deque<int> answers_;
  int defaultAnswer_;
  bool checkBoxState_ = false;
  bool dontShowAgain_ = false;
  bool failToShow_ = false;
  std::vector<Asked> asked_;
  std::vector<std::string> lastResort_;
};

}  // namespace malvex
