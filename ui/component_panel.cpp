#include "component_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "evaluation/caculate2.h"
#include "model/r_component.h"
#include "report/s_qt_text.h"
#include "s_date_edit.h"
#include "s_skin.h"

namespace {

constexpr int PANEL_WIDTH = 971;
constexpr int PANEL_HEIGHT = 130;
constexpr int FIELD_WIDTH = 95;
constexpr int NAME_WIDTH = 130;
constexpr int NOTE_WIDTH = 307;
const QString NO_VALUE = QStringLiteral("-.-");

}  // namespace

S_Component_Panel::S_Component_Panel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Component_Panel"));
  setFixedSize(PANEL_WIDTH, PANEL_HEIGHT);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(12, 8, 12, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);

  // Placed line by line; the creation order is the tab order.
  int line = 0;
  int column = 0;
  auto place = [&](const char* label, QWidget* field, int width, int span = 1) {
    field->setFixedWidth(width);
    auto* caption = new QLabel(utf8_to_qstring(label), this);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(caption, line, column);
    grid->addWidget(field, line, column + 1, 1, 2 * span - 1, Qt::AlignLeft);
    column += 2 * span;
  };
  auto edit = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    return e;
  };
  auto display = [&](const char* name) {
    QLineEdit* e = edit(name);
    style_display_box(*e);
    return e;
  };
  auto date = [this](const char* name) {
    auto* d = new S_Date_Edit(this);
    d->setObjectName(QString::fromLatin1(name));
    return d;
  };

  Component_Name = edit("Component_Name");
  place("构件名称：", Component_Name, NAME_WIDTH);
  Strength_Grade_Cb = new QComboBox(this);
  Strength_Grade_Cb->setObjectName(QStringLiteral("Strength_Grade_Cb"));
  for (const char* grade : STRENGTH_GRADES) Strength_Grade_Cb->addItem(QString::fromLatin1(grade));
  Strength_Grade_Cb->setCurrentIndex(-1);
  place("强度等级：", Strength_Grade_Cb, FIELD_WIDTH);
  Areas_Number = display("Areas_Number");
  place("测区数：", Areas_Number, FIELD_WIDTH);
  Component_Date = date("Component_Date");
  place("检测日期：", Component_Date, FIELD_WIDTH);
  Produced_Date = date("Produced_Date");
  place("生产日期：", Produced_Date, FIELD_WIDTH);

  ++line;
  column = 0;
  Strength_Avg = display("Strength_Avg");
  place("强度平均值：", Strength_Avg, FIELD_WIDTH);
  Strength_Min = display("Strength_Min");
  place("强度最小值：", Strength_Min, FIELD_WIDTH);
  Strength_Sd = display("Strength_Sd");
  place("强度标准差：", Strength_Sd, FIELD_WIDTH);
  Strength_E = display("Strength_E");
  place("强度推定值：", Strength_E, FIELD_WIDTH);
  Examine_Basis = edit("Examine_Basis");
  place("检测依据：", Examine_Basis, FIELD_WIDTH);

  ++line;
  column = 0;
  Device_Type = edit("Device_Type");
  place("仪器型号：", Device_Type, FIELD_WIDTH);
  Device_num = edit("Device_num");
  place("仪器编号：", Device_num, FIELD_WIDTH);
  Tester = edit("Tester");
  place("测试人员：", Tester, FIELD_WIDTH);
  Certificate_Serial = edit("Certificate_Serial");
  place("上岗证号：", Certificate_Serial, FIELD_WIDTH);

  ++line;
  column = 0;
  Bak_Info = edit("Bak_Info");
  place("备注：", Bak_Info, NOTE_WIDTH, 2);

  grid->setColumnStretch(10, 1);
}

void S_Component_Panel::show_component(const R_Component& c) {
  Component_Name->setText(to_qstring(c.component_name));
  Component_Date->set_date_text(c.component_date.bytes());
  Produced_Date->set_date_text(c.produced_date.bytes());
  Bak_Info->setText(to_qstring(c.bak_info));
  Areas_Number->setText(QString::number(c.get_area_count()));
  Strength_Grade_Cb->setCurrentIndex(
      c.strength_grade >= 0 && c.strength_grade < STRENGTH_GRADE_COUNT ? c.strength_grade : -1);
  Device_Type->setText(to_qstring(c.device_type));
  Device_num->setText(to_qstring(c.device_num));
  Tester->setText(to_qstring(c.tester));
  Certificate_Serial->setText(to_qstring(c.certificate_serial));
  Examine_Basis->setText(to_qstring(c.examine_basis));
  const Statistics_Texts texts = component_texts(c);
  Strength_Min->setText(utf8_to_qstring(texts.min));
  Strength_Avg->setText(utf8_to_qstring(texts.avg));
  Strength_Sd->setText(utf8_to_qstring(texts.sd));
  Strength_E->setText(utf8_to_qstring(texts.e));
}

void S_Component_Panel::clear_panel() {
  for (QLineEdit* e : {Component_Name, Bak_Info, Areas_Number, Device_Type, Device_num, Tester,
                       Certificate_Serial, Examine_Basis}) {
    e->clear();
  }
  Component_Date->clear_date();
  Produced_Date->clear_date();
  Strength_Grade_Cb->setCurrentIndex(0);
  for (QLineEdit* e : {Strength_Min, Strength_Avg, Strength_Sd, Strength_E}) e->setText(NO_VALUE);
}
