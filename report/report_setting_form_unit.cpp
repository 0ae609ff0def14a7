#include "report_setting_form_unit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/s_messages.h"
#include "report/report_templates.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"

namespace {

QComboBox* choice_list(const char* name) {
  auto* list = new QComboBox;
  list->setObjectName(QString::fromLatin1(name));
  list->setEditable(false);
  return list;
}

// A label with its control in the next column of the row.
void add_row(QGridLayout* grid, int row, const QString& label, QWidget* control) {
  auto* caption = new QLabel(label);
  caption->setBuddy(control);
  grid->addWidget(caption, row, 0);
  grid->addWidget(control, row, 1);
}

// A disabled, hidden edit with its hidden label, outside any layout.
QLineEdit* hidden_edit(const char* name, const QString& label, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setEnabled(false);
  edit->hide();
  auto* caption = new QLabel(label, parent);
  caption->setBuddy(edit);
  caption->hide();
  return edit;
}

}  // namespace

TReport_Setting_Form::TReport_Setting_Form(UI_Services& ui, QWidget* parent, Rebound_Tester_Config& config)
    : QDialog(parent), ui_(ui), config_(config) {
  setObjectName(QStringLiteral("TReport_Setting_Form"));
  setWindowTitle(QStringLiteral("报表设置"));
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

  Area_Template_Cb = choice_list("Area_Template_Cb");
  Component_Template_Cb = choice_list("Component_Template_Cb");
  Default_Print_Template_Cb = choice_list("Default_Print_Template_Cb");
  Default_Print_Template_Cb->addItems({QStringLiteral("只打印构件"), QStringLiteral("只打印测区")});
  Default_Print_Template_Cb->setCurrentIndex(-1);

  auto* templates = new QGroupBox(QStringLiteral("模板设置"));
  auto* template_grid = new QGridLayout(templates);
  add_row(template_grid, 0, QStringLiteral("测区模版："), Area_Template_Cb);
  add_row(template_grid, 1, QStringLiteral("构件模版："), Component_Template_Cb);
  template_grid->setColumnStretch(1, 1);

  auto* printing = new QGroupBox(QStringLiteral("打印设置"));
  auto* print_grid = new QGridLayout(printing);
  add_row(print_grid, 0, QStringLiteral("默认模版："), Default_Print_Template_Cb);
  print_grid->setColumnStretch(1, 1);

  // The page header and footer are kept in the settings and written back
  // unchanged; no report uses them, so they are neither shown nor editable
  // and take no room in the layout.
  Page_Header_Txt = hidden_edit("Page_Header_Txt", QStringLiteral("页    眉："), printing);
  Page_Footer_Txt = hidden_edit("Page_Footer_Txt", QStringLiteral("页    脚："), printing);

  sButton2 = new QPushButton(QStringLiteral("确   定"));
  sButton2->setObjectName(QStringLiteral("sButton2"));
  sButton2->setDefault(true);
  sButton2->setMinimumWidth(88);
  connect(sButton2, &QPushButton::clicked, this, &TReport_Setting_Form::sButton2Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(sButton2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(templates);
  layout->addWidget(printing);
  layout->addStretch(1);
  layout->addLayout(buttons);

  setFixedSize(478, 226);
}

bool TReport_Setting_Form::Init_Report_Settings() {
  Fill_Template_List(Area_Template_Cb, config_.Get_Area_Template(),
                     template_folders(config_, Report_Kind::Area));
  Fill_Template_List(Component_Template_Cb, config_.Get_Component_Template(),
                     template_folders(config_, Report_Kind::Component));
  config_.area_template = to_s_string(Area_Template_Cb->currentText());
  config_.component_template = to_s_string(Component_Template_Cb->currentText());
  Page_Header_Txt->setText(to_qstring(config_.page_header));
  Page_Footer_Txt->setText(to_qstring(config_.page_footer));
  const int32_t kind = config_.default_print_template;
  Default_Print_Template_Cb->setCurrentIndex(kind == 0 || kind == 1 ? kind : -1);
  return config_.Save();
}

void TReport_Setting_Form::Fill_Template_List(QComboBox* list, const S_String& wanted,
                                              const std::vector<std::filesystem::path>& folders) {
  const Template_Choice choice = choose_template_file(wanted, folders);
  // With nothing listed, the list keeps what it had.
  if (!choice.files.isEmpty()) {
    list->clear();
    list->addItems(choice.files);
    list->setCurrentIndex(choice.chosen);
  }
  if (choice.note) ui_.information(utf8_to_qstring(message_text(choice.note)));
}

void TReport_Setting_Form::sButton2Click() {
  config_.area_template = to_s_string(Area_Template_Cb->currentText());
  config_.component_template = to_s_string(Component_Template_Cb->currentText());
  config_.page_header = to_s_string(Page_Header_Txt->text());
  config_.page_footer = to_s_string(Page_Footer_Txt->text());
  config_.default_print_template = Default_Print_Template_Cb->currentIndex();
  config_.Save();
  accept();
}
