#include "project_info_form_unit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "model/rebound_project.h"
#include "report/s_qt_text.h"
#include "s_date_edit.h"

namespace {

constexpr int DIALOG_WIDTH = 554;
constexpr int DIALOG_HEIGHT = 498;
constexpr int EDIT_WIDTH = 165;

struct Control {
  const char* label;
  const char* name;
  S_String Rebound_Project::*text;
  bool date;
};

// Each group box in tab order: the left column takes the even positions,
// the right column the odd ones.
const Control PROJECT_CONTROLS[] = {
    {"工程名称：", "Project_Name", &Rebound_Project::project_name, false},
    {"工程地址：", "Project_Address", &Rebound_Project::project_address, false},
    {"施工单位：", "Constructor", &Rebound_Project::construction_unit, false},
    {"施工日期：", "Construction_Date", &Rebound_Project::construction_date, true},
    {"委托单位：", "Agent_Unit", &Rebound_Project::agent_unit, false},
    {"委托日期：", "Agent_Date", &Rebound_Project::agent_date, true},
    {"设计单位：", "Design_Unit", &Rebound_Project::design_unit, false},
    {"报告日期：", "Report_Date", &Rebound_Project::report_date, true},
    {"监理单位：", "Supervision_Unit", &Rebound_Project::supervision_unit, false},
    {"报告编号：", "Report_Serial", &Rebound_Project::report_serial, false},
    {"监督单位：", "Monitor", &Rebound_Project::monitor_unit, false},
    {"检测编号：", "Examine_Serial", &Rebound_Project::examine_serial, false},
    {"混凝土\n生产单位", "Concrete_Producer", &Rebound_Project::concrete_producer, false},
};

const Control UNIT_CONTROLS[] = {
    {"检测单位：", "Examine_Unit", &Rebound_Project::examine_unit, false},
    {"单位地址：", "Examine_Unit_Address", &Rebound_Project::examine_unit_address, false},
    {"资质证号：", "Unit_Certification_Serial", &Rebound_Project::unit_certification_serial, false},
    {"邮编：", "Zip_Code", &Rebound_Project::zip_code, false},
    {"电话：", "Phone_No", &Rebound_Project::phone_no, false},
    {"传真：", "Fax_No", &Rebound_Project::fax_no, false},
};

}  // namespace

TProject_Info_Form::TProject_Info_Form(Project_Info_Host& host, QWidget* parent)
    : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("TProject_Info_Form"));
  setWindowTitle(QStringLiteral("工程信息"));
  setFixedSize(DIALOG_WIDTH, DIALOG_HEIGHT);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 12, 14, 12);
  layout->setSpacing(10);
  auto group = [&](const char* title, const auto& controls) {
    auto* box = new QGroupBox(utf8_to_qstring(title), this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(7);
    grid->setColumnMinimumWidth(2, 16);
    int position = 0;
    for (const Control& c : controls) {
      const int row = position / 2;
      const int column = position % 2 == 0 ? 0 : 3;
      auto* label = new QLabel(utf8_to_qstring(c.label), box);
      label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      S_Date_Edit* date = c.date ? new S_Date_Edit(box) : nullptr;
      QLineEdit* edit = date ? date : new QLineEdit(box);
      edit->setObjectName(QString::fromLatin1(c.name));
      edit->setFixedWidth(EDIT_WIDTH);
      grid->addWidget(label, row, column);
      grid->addWidget(edit, row, column + 1);
      fields_.push_back({c.text, edit, date});
      ++position;
    }
    grid->setColumnStretch(5, 1);
    layout->addWidget(box);
    return box;
  };
  group("工程信息", PROJECT_CONTROLS);
  group("检测单位信息", UNIT_CONTROLS);
  layout->addStretch(1);

  sButton2 = new QPushButton(QStringLiteral("确  定"), this);
  sButton2->setObjectName(QStringLiteral("sButton2"));
  sButton2->setDefault(true);
  sButton1 = new QPushButton(QStringLiteral("取  消"), this);
  sButton1->setObjectName(QStringLiteral("sButton1"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(sButton2);
  buttons->addWidget(sButton1);
  layout->addLayout(buttons);
  connect(sButton2, &QPushButton::clicked, this, &TProject_Info_Form::sButton2Click);
  connect(sButton1, &QPushButton::clicked, this, &TProject_Info_Form::sButton1Click);
}

void TProject_Info_Form::Show_Project_Info(const Rebound_Project& project) {
  for (const Field& f : fields_) {
    const S_String& text = project.*f.text;
    if (f.date) {
      f.date->set_date_text(text.bytes());
    } else {
      f.edit->setText(to_qstring(text));
    }
  }
}

void TProject_Info_Form::Store_Project_Info(Rebound_Project& project) const {
  for (const Field& f : fields_) {
    S_String& text = project.*f.text;
    if (f.date) {
      if (f.date->edited()) text.assign(f.date->date_text());
    } else if (f.edit->text() != to_qstring(text)) {
      text = to_s_string(f.edit->text());
    }
  }
}

void TProject_Info_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

// Showing the project's texts rebuilds the main window's list; its current
// component stays current, however the dialog is closed.
void TProject_Info_Form::FormShow() { host_.Show_Project_Keeping_Current(); }

void TProject_Info_Form::sButton2Click() {
  host_.Store_Project_Info();
  accept();
}

void TProject_Info_Form::sButton1Click() {
  host_.Show_Project_Keeping_Current();
  reject();
}
