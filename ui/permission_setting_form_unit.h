// TPermission_Setting_Form: the password box of the permission entry, which
// the menu keeps hidden. It only closes itself.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TPermission_Setting_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TPermission_Setting_Form(QWidget* parent);

  QLineEdit* sEdit1;
  QPushButton* sButton1;  // "确  定"

 private:
  void sButton1Click();
};
