// The graph options dialog without its widgets: the graph type, the
// maximum number of objects, the bundles of the word categories and the
// texture of the objects. Every change is written to the settings record
// at once and the text and graph are drawn again; Cancel puts back what
// the dialog found when it opened.
#pragma once

#include <functional>
#include <string>

#include "settings/settings_record.h"

namespace malvex {

class Messages;

class TDlgOptionsGraphesModel {
 public:
  static constexpr int kMinObjects = 4;
  static constexpr int kMaxObjects = 100;
  // The limit shown when the stored one lies outside kMinObjects..kMaxObjects.
  static constexpr int kFallbackObjects = 8;
  static constexpr int kStarType = 2;
  static constexpr int kHelpTopic = 740;

  // `record` must outlive the model; `redraw` draws the text and the graph
  // again after a change (it may be empty).
  TDlgOptionsGraphesModel(SettingsRecord& record, std::function<void()> redraw)
      : record_(record), redraw_(std::move(redraw)) {}

  // The dialog opens: the controls take the settings and these are kept
  // for Cancel. A stored object limit outside 4..100 becomes 8 (in the
  // setting too); a graph type outside 1..5 shows the star type chosen but
  // leaves the setting as it is until a type is chosen.
  void FormShow();

  // What the controls show.
  int checkedType() const { return checkedType_; }  // 1..5
  int objectLimit() const { return objectLimit_; }
  std::string ObjectLimitLabel() const { return std::to_string(objectLimit_); }
  bool bundlesOnAllCategories() const { return !record_.hideCategoryBundles(); }
  bool opaqueObjects() const { return record_.opaqueObjects(); }

  // The handlers; each writes its setting and redraws.
  // Graph type 1 areas, 2 star, 3 distribution, 4 episodes, 5 actors;
  // other values are ignored.
  void RadioButtonTypeClick(int type);
  // The scroll bar's position, kept within 4..100.
  void ScrollNbreObjetsGrapheChange(int position);
  void AfficheRafalesSurCategoriesClick(bool checked);
  void AiresOpaquesClick(bool opaque);
  // Cancel: the settings found on opening come back, and the display
  // follows them.
  void ButtonAnnulerClick();

 private:
  void Changed();

  SettingsRecord& record_;
  std::function<void()> redraw_;
  int checkedType_ = kStarType;
  int objectLimit_ = kFallbackObjects;
  // As found on opening.
  int savedType_ = 1;
  int savedLimit_ = kFallbackObjects;
  bool savedHideBundles_ = false;
  bool savedOpaque_ = true;
};

// "Options (Graphs)".
std::string GraphOptionsCaption(Messages& messages);
// The caption of graph type `type` (1..5): "Area" (the catalogue's
// "area" with its first letter upper-cased), "star", "distribution",
// "Episodes", "Actors".
std::string GraphTypeCaption(Messages& messages, int type);

}  // namespace malvex
