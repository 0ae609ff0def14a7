// The component list, the component panel and the component commands of
// the main window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "batch_panel.h"
#include "component_panel.h"
#include "evaluation/caculate2.h"
#include "main_form_columns.h"
#include "main_form_unit.h"
#include "model/s_messages.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"
#include "s_date_edit.h"

void TMain_Form::Component_ListSelectItem() {
  const QModelIndexList rows = Component_List->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  current_item = rows.first().row();
  const R_Component* component = project.component(current_item);
  if (!component) return;
  Component_Panel->show_component(*component);
  Show_Component_Areas(component);
}

void TMain_Form::Component_ListChange(int row) {
  if (closing || current_item < 0) return;
  R_Component* component = project.component(row);
  const QTableWidgetItem* item = Component_List->item(row, 0);
  if (!component || !item) return;
  component->set_checked(item->checkState() == Qt::Checked ? 1 : 0);
  Show_Checked_Count();
}

void TMain_Form::Show_Checked_Count() {
  Batch_Panel->Bat_Hint_Lbl->setText(
      QStringLiteral("%1/%2").arg(project.checked_count()).arg(project.component_count()));
}

void TMain_Form::Store_Component_Text(S_String R_Component::*field, const QString& text) {
  if (R_Component* component = current_component()) (component->*field) = to_s_string(text);
}

void TMain_Form::Component_NameChange() {
  R_Component* component = current_component();
  if (!component) return;
  const QString name = Component_Panel->Component_Name->text();
  component->component_name = to_s_string(name);
  if (QTableWidgetItem* cell = Component_List->item(current_item, LIST_NAME)) cell->setText(name);
}

void TMain_Form::Component_DateChange() {
  R_Component* component = current_component();
  if (!component) return;
  component->component_date.assign(Component_Panel->Component_Date->date_text());
  if (QTableWidgetItem* cell = Component_List->item(current_item, LIST_DATE)) {
    cell->setText(to_qstring(component->component_date));
  }
}

void TMain_Form::Produced_DateChange() {
  if (R_Component* component = current_component()) {
    component->produced_date.assign(Component_Panel->Produced_Date->date_text());
  }
}

void TMain_Form::Strength_Grade_CbChange(int index) {
  if (R_Component* component = current_component()) component->strength_grade = index;
}

void TMain_Form::Bak_InfoChange() {
  Store_Component_Text(&R_Component::bak_info, Component_Panel->Bak_Info->text());
}

void TMain_Form::Examine_BasisChange() {
  Store_Component_Text(&R_Component::examine_basis, Component_Panel->Examine_Basis->text());
}

void TMain_Form::Device_TypeChange() {
  Store_Component_Text(&R_Component::device_type, Component_Panel->Device_Type->text());
}

void TMain_Form::Device_numChange() {
  Store_Component_Text(&R_Component::device_num, Component_Panel->Device_num->text());
}

void TMain_Form::TesterChange() {
  Store_Component_Text(&R_Component::tester, Component_Panel->Tester->text());
}

void TMain_Form::Certificate_SerialChange() {
  Store_Component_Text(&R_Component::certificate_serial, Component_Panel->Certificate_Serial->text());
}

void TMain_Form::Create_Component_ActExecute() {
  if (!project.new_component()) return;
  Show_Project();
  // The new component, the last row, becomes the current one.
  select_row(static_cast<int>(project.component_count()) - 1);
}

void TMain_Form::Remove_Component_ActExecute() {
  if (current_item < 0) return;
  Store_Project_Info();
  const int index = current_item;
  if (project.remove_component(index)) {
    Show_Project();
  } else {
    services.information(utf8_to_qstring(message_text(COMPONENT_REMOVE_FAILED_MSG, index + 1)));
  }
}

void TMain_Form::Caculate_ActExecute() {
  if (current_item < 0) {
    services.information(utf8_to_qstring(message_text(NO_COMPONENT_CHOSEN_MSG)));
    return;
  }
  const int index = current_item;
  R_Component* component = project.component(index);
  if (!component) {
    services.information(utf8_to_qstring(message_text(NO_VALID_AREA_DATA_MSG)));
    return;
  }
  if (const char* message = calculate_component(*component)) {
    services.information(utf8_to_qstring(message_text(message)));
    return;
  }
  Show_Project_Keeping_Current();
}
