// TProject_Info_Form: the project information dialog. Its controls are the
// working copy of the project's texts: the main window fills them from the
// project (Show_Project) and copies them back (Store_Project_Info).
#pragma once

#include <QDialog>
#include <vector>

#include "model/s_string.h"
#include "project_info_host.h"

class QLineEdit;
class QPushButton;
class Rebound_Project;
class S_Date_Edit;

class TProject_Info_Form : public QDialog {
  Q_OBJECT

 public:
  TProject_Info_Form(Project_Info_Host& host, QWidget* parent);

  // Sets every control from its project text (dates by the date edit's rule).
  void Show_Project_Info(const Rebound_Project& project);
  // Sets every project text from its control. A text whose control still
  // shows it keeps its bytes (a damaged byte that the control shows as a
  // replacement character is not rewritten), and a date that the user has not
  // edited since it was shown keeps its stored text, so that a text which
  // names no valid date survives until the user sets that date.
  void Store_Project_Info(Rebound_Project& project) const;

  QPushButton* sButton1;  // "取  消"
  QPushButton* sButton2;  // "确  定"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void sButton2Click();
  void sButton1Click();

  struct Field {
    S_String Rebound_Project::*text;
    QLineEdit* edit;
    S_Date_Edit* date;  // set for the three dates, edit is then the same control
  };

  Project_Info_Host& host_;
  std::vector<Field> fields_;
};
