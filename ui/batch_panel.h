// The batch evaluation panel in the status bar: the check box "按批处理",
// the count of ticked components, a strength grade choice and the four boxes
// of the batch statistics. It covers its parent whole, at every size.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
struct Statistics_Texts;

class S_Batch_Panel : public QWidget {
  Q_OBJECT

 public:
  explicit S_Batch_Panel(QWidget* parent = nullptr);

  void show_texts(const Statistics_Texts& texts);
  void clear_texts();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 public:
  QCheckBox* Group_Caculate_Btn;
  QLabel* Bat_Hint_Lbl;
  QComboBox* Group_Strength_Grade_Cb;
  QLineEdit* Group_Strength_Avg;
  QLineEdit* Group_Strength_Sd;
  QLineEdit* Group_Strength_Min;
  QLineEdit* Group_Strength_E;
};
