#include "batch_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include "evaluation/caculate2.h"
#include "model/r_component.h"
#include "report/s_qt_text.h"
#include "s_skin.h"

namespace {

constexpr int PANEL_HEIGHT = 57;
constexpr int BOX_WIDTH = 67;
constexpr int BOX_HEIGHT = 21;

void set_label_look(QLabel& label, int pixels) {
  QFont font = label.font();
  font.setPixelSize(pixels);
  label.setFont(font);
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, LABEL_COLOUR);
  label.setPalette(palette);
}

}  // namespace

S_Batch_Panel::S_Batch_Panel(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(PANEL_HEIGHT - 4);
  if (parent) {
    parent->installEventFilter(this);
    setGeometry(parent->rect());
  }
  auto label = [this](const char* name, const char* text, int x, int y) {
    auto* l = new QLabel(utf8_to_qstring(text), this);
    l->setObjectName(QString::fromLatin1(name));
    set_label_look(*l, UI_FONT_PIXELS);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  auto box = [this](const char* name, int x, int y) {
    auto* b = new QLineEdit(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, BOX_WIDTH, BOX_HEIGHT);
    b->setAlignment(Qt::AlignCenter);
    style_display_box(*b);
    return b;
  };

  Group_Caculate_Btn = new QCheckBox(QStringLiteral("按批处理"), this);
  Group_Caculate_Btn->setObjectName(QStringLiteral("Group_Caculate_Btn"));
  Group_Caculate_Btn->setGeometry(19, 3, 73, 23);
  Bat_Hint_Lbl = label("Bat_Hint_Lbl", "1-1", 113, 3);
  label("sLabel13", "强度等级：", 20, 32);
  Group_Strength_Grade_Cb = new QComboBox(this);
  Group_Strength_Grade_Cb->setObjectName(QStringLiteral("Group_Strength_Grade_Cb"));
  for (const char* grade : STRENGTH_GRADES) Group_Strength_Grade_Cb->addItem(QString::fromLatin1(grade));
  Group_Strength_Grade_Cb->setCurrentIndex(-1);
  Group_Strength_Grade_Cb->setGeometry(80, 28, 67, 22);
  QPalette choice = Group_Strength_Grade_Cb->palette();
  choice.setColor(QPalette::Base, CHOICE_BOX_COLOUR);
  choice.setColor(QPalette::Button, CHOICE_BOX_COLOUR);
  Group_Strength_Grade_Cb->setPalette(choice);

  label("sLabel15", "测区强度平均值：", 210, 8);
  Group_Strength_Avg = box("Group_Strength_Avg", 306, 4);
  label("sLabel16", "测区强度标准差：", 438, 8);
  Group_Strength_Sd = box("Group_Strength_Sd", 534, 4);
  label("sLabel17", "测区强度最小值：", 210, 32);
  Group_Strength_Min = box("Group_Strength_Min", 307, 28);
  label("sLabel18", "批构件强度推定值：", 426, 32);
  Group_Strength_E = box("Group_Strength_E", 534, 28);
}

bool S_Batch_Panel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
  return QWidget::eventFilter(watched, event);
}

void S_Batch_Panel::show_texts(const Statistics_Texts& texts) {
  Group_Strength_Avg->setText(utf8_to_qstring(texts.avg));
  Group_Strength_Sd->setText(utf8_to_qstring(texts.sd));
  Group_Strength_Min->setText(utf8_to_qstring(texts.min));
  Group_Strength_E->setText(utf8_to_qstring(texts.e));
}

void S_Batch_Panel::clear_texts() {
  for (QLineEdit* b : {Group_Strength_Avg, Group_Strength_Min, Group_Strength_E, Group_Strength_Sd}) {
    b->clear();
  }
}
