#include "app/graph_options_model.h"

#include "foundations/charset.h"
#include "foundations/messages.h"

namespace malvex {

void TDlgOptionsGraphesModel::FormShow() {
  int limit = record_.graphObjectLimit();
  if (limit < kMinObjects || limit > kMaxObjects) {
    limit = kFallbackObjects;
    record_.setGraphObjectLimit(limit);
  }
  objectLimit_ = limit;
  const int type = record_.graphType();
  checkedType_ = type >= 1 && type <= 5 ? type : kStarType;
  // Cancel puts back the limit as corrected: an out-of-range value is not
  // one to return to.
  savedType_ = type;
  savedLimit_ = limit;
  savedHideBundles_ = record_.hideCategoryBundles();
  savedOpaque_ = record_.opaqueObjects();
}

void TDlgOptionsGraphesModel::Changed() {
  if (redraw_) redraw_();
}

void TDlgOptionsGraphesModel::RadioButtonTypeClick(int type) {
  if (type < 1 || type > 5) return;
  checkedType_ = type;
  record_.setGraphType(type);
  Changed();
}

void TDlgOptionsGraphesModel::ScrollNbreObjetsGrapheChange(int position) {
  if (position < kMinObjects) position = kMinObjects;
  if (position > kMaxObjects) position = kMaxObjects;
  objectLimit_ = position;
  record_.setGraphObjectLimit(position);
  Changed();
}

void TDlgOptionsGraphesModel::AfficheRafalesSurCategoriesClick(bool checked) {
  record_.setHideCategoryBundles(!checked);
  Changed();
}

void TDlgOptionsGraphesModel::AiresOpaquesClick(bool opaque) {
  record_.setOpaqueObjects(opaque);
  Changed();
}

void TDlgOptionsGraphesModel::ButtonAnnulerClick() {
  record_.setGraphType(savedType_);
  record_.setGraphObjectLimit(savedLimit_);
  record_.setHideCategoryBundles(savedHideBundles_);
  record_.setOpaqueObjects(savedOpaque_);
  objectLimit_ = savedLimit_;
  checkedType_ = savedType_ >= 1 && savedType_ <= 5 ? savedType_ : kStarType;
  Changed();
}

std::string GraphOptionsCaption(Messages& messages) {
  std::string caption = messages.message(620);
  caption += " (";
  caption += messages.message(727);
  caption += ")";
  return caption;
}

std::string GraphTypeCaption(Messages& messages, int type) {
  static constexpr int kIds[] = {537, 514, 538, 564, 1245};
  if (type < 1 || type > 5) return std::string();
  std::string text = messages.message(kIds[type - 1]);
  if (type == 1 && !text.empty()) text[0] = static_cast<char>(UpperCaseOf(static_cast<uint8_t>(text[0])));
  return text;
}

}  // namespace malvex
