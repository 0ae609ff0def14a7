// The component panel: the labelled fields of the current component in four
// lines, above the component list and the test-area grid. It only shows; the
// main window's change handlers write the user's edits into the component.
#pragma once

#include <QFrame>

class QComboBox;
class QLineEdit;
class R_Component;
class S_Date_Edit;

class S_Component_Panel : public QFrame {
  Q_OBJECT

 public:
  explicit S_Component_Panel(QWidget* parent = nullptr);

  // Shows the component's fields and stored results.
  void show_component(const R_Component& component);
  // Empty texts and dates, the first strength grade, "-.-" for the results.
  void clear_panel();

  QLineEdit* Component_Name;
  QComboBox* Strength_Grade_Cb;
  QLineEdit* Areas_Number;
  S_Date_Edit* Component_Date;
  S_Date_Edit* Produced_Date;
  QLineEdit* Strength_Avg;
  QLineEdit* Strength_Min;
  QLineEdit* Strength_Sd;
  QLineEdit* Strength_E;
  QLineEdit* Examine_Basis;
  QLineEdit* Device_Type;
  QLineEdit* Device_num;
  QLineEdit* Tester;
  QLineEdit* Certificate_Serial;
  QLineEdit* Bak_Info;
};
