// TReport_Setting_Form: the report settings dialog. The user picks the
// test-area and the component template from the files of the two template
// folders and the kind of report that Print and Print preview produce; the
// choices are kept in the settings and saved.
#pragma once

#include <QDialog>
#include <filesystem>
#include <vector>

#include "report/rebound_tester_config.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class UI_Services;

class TReport_Setting_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TReport_Setting_Form(UI_Services& ui, QWidget* parent = nullptr,
                                Rebound_Tester_Config& config = Tester_Config());

  // Fills both template lists from their folders, brings the stored template
  // names into line with them, shows the stored report kind and saves the
  // settings; the result is that of the save.
  bool Init_Report_Settings();
  // Fills the list with the names of the files in the folders (each name
  // once, sorted), and selects the wanted name (compared byte for byte)
  // or, failing that, the first entry.
  void Fill_Template_List(QComboBox* list, const S_String& wanted,
                          const std::vector<std::filesystem::path>& folders);

  QComboBox* Area_Template_Cb;
  QComboBox* Component_Template_Cb;
  QComboBox* Default_Print_Template_Cb;
  QLineEdit* Page_Header_Txt;
  QLineEdit* Page_Footer_Txt;
  QPushButton* sButton2;

 public slots:
  // OK: stores the dialog's state in the settings, saves them and closes.
  void sButton2Click();

 private:
  UI_Services& ui_;
  Rebound_Tester_Config& config_;
};
