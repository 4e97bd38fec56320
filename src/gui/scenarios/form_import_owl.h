// "OWL Import Filter": the window the Scenario Tool's Open shows for a
// ".owl" file. A thin form over OwlImportModel: the six options as check
// boxes, OK runs the import (progress in the status line), Cancel closes.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <string>

#include "app/owl_import_model.h"

namespace malvex {

class Engine;
class Messages;
class ScenarioEditor;

class TFormImportOWL : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the form.
  TFormImportOWL(OwlImportModel& model, Messages& messages, QWidget* parent = nullptr);

  QLabel* LabelWelcome = nullptr;
  QLabel* LabelFile = nullptr;
  QCheckBox* CheckBoxOWLPluriels = nullptr;
  QCheckBox* CheckBoxConvertUnicode = nullptr;
  QCheckBox* CheckBoxDiscardOtherLanguages = nullptr;
  QCheckBox* CheckBoxIgnoreRestrictions = nullptr;
  QCheckBox* CheckBoxLogDetaillee = nullptr;
  QCheckBox* CheckBoxDumpInputBufferDansLogFile = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QLabel* StatusBar = nullptr;

  // OK: the options into the model, then the import; the window closes
  // accepted when a Scenario was written, rejected when the import failed.
  void ButtonOKClick();
  void ButtonCancelClick();

 private:
  QCheckBox* BoxOf(OwlOption option) const;

  OwlImportModel& model_;
  Messages& messages_;
};

// Opens the log of an import for the user (the system's program for it);
// replaceable (tests).
using OwlLogOpener = std::function<void(const std::string& path)>;
void SetOwlLogOpener(OwlLogOpener opener);

// Imports `owlPath` through the window (modal above `parent`); when a
// Scenario was written, `editor` loads it as the current one and the log is
// opened.
void RunOwlImport(Engine& engine, ScenarioEditor& editor, const std::string& owlPath, QWidget* parent);

}  // namespace malvex
