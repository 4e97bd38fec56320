// The Report dialog (File, Report): a modal form over ReportDialogModel.
// Its OK writes the Scenario report as a spreadsheet workbook and opens it
// with the desktop's spreadsheet program; when the file cannot be opened
// the status bar says where it is and the dialog stays open.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <memory>
#include <string>

#include "app/report_dialog_model.h"

namespace malvex {

class Messages;

// The workbook writer of libxlsxwriter and the desktop's opener.
class WorkbookReportOutput : public ReportOutput {
 public:
  explicit WorkbookReportOutput(Messages& messages) : messages_(messages) {}
  bool Write(const ScenarioReport& report, const std::string& path, std::string& error) override;
  Opening Open(const std::string& path) override;

 private:
  Messages& messages_;
};

class TDlgReportMng : public QDialog {
  Q_OBJECT
 public:
  // `model` and `messages` must outlive the form; the model is opened here.
  // `path` is where OK writes the workbook.
  TDlgReportMng(ReportDialogModel& model, Messages& messages, std::string path, QWidget* parent = nullptr);

  // Replaces the writer and opener (tests); `output` must outlive the form.
  void SetOutput(ReportOutput* output) { output_ = output; }
  const std::string& path() const { return path_; }

  QTabWidget* PageControl;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  QGroupBox* GroupBoxTypeDeTableau;
  QRadioButton* RadioButtonTableauSelection;
  QRadioButton* RadioButtonTableauBranche;
  QRadioButton* RadioButtonTableauTout;
  QGroupBox* GroupBoxGraphe;
  QCheckBox* CheckBoxAfficherGraphe;
  QLabel* LabelTypeGraphe;
  QComboBox* ComboTypeDeGraphe;
  QLabel* LabelWarningLimites2;
  QSpinBox* UpDownFreq;
  QLabel* LabelTitreExpliquer;
  QTextEdit* RichEdit4;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* ButtonHelp;
  QStatusBar* StatusBar;
  QLabel* StatusPanel1;
  QLabel* StatusPanel2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OKBtnClick();
  void ShowModel();

  ReportDialogModel& model_;
  Messages& messages_;
  std::string path_;
  WorkbookReportOutput ownOutput_;
  ReportOutput* output_;
  bool errorShown_ = false;
};

}  // namespace malvex
