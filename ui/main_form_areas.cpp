// The test-area grid of the main window: typing readings, adding and
// removing test areas.
#include <QLineEdit>

#include "component_panel.h"
#include "main_form_columns.h"
#include "main_form_unit.h"
#include "model/s_messages.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"
#include "s_string_grid.h"
#include "s_trace.h"
#include "s_typed_reading.h"

void TMain_Form::Areas_GridSetEditText(int ACol, int ARow, const QString& Value) {
  R_Component* component = current_component();
  if (!component || Value.isEmpty()) return;
  if (ACol == GRID_AVG_REBOUND_COL || ACol == GRID_STRENGTH_COL) {
    // Derived values are not typed: the cell shows the stored one again.
    Show_Component_Areas(component);
    return;
  }
  if (ACol < GRID_FIRST_READING_COL || ACol > GRID_LAST_READING_COL || ARow < 1 ||
      ARow > static_cast<int>(component->get_area_count())) {
    return;
  }
  uint8_t& reading = component->areas[ARow - 1].readings[ACol - GRID_FIRST_READING_COL];
  const S_Typed_Reading typed = typed_reading(qstring_to_utf8(Value));
  switch (typed.verdict) {
    case S_Typed_Reading::Verdict::Not_A_Number:
      trace("Areas grid data 2 int convert error.");
      Areas_Grid->set_cell(ACol, ARow, QString::number(reading));
      return;
    case S_Typed_Reading::Verdict::Out_Of_Range:
      Areas_Grid->set_cell(ACol, ARow, QString::number(reading));
      return;
    case S_Typed_Reading::Verdict::Not_Forced:
      return;
    case S_Typed_Reading::Verdict::Accepted:
      break;
  }
  Areas_Grid->set_cell(ACol, ARow, QString::number(typed.value));
  reading = typed.value;
  if (ACol < GRID_LAST_READING_COL) {
    Areas_Grid->set_current(ACol + 1, ARow);
  } else if (ARow + 1 < Areas_Grid->row_count()) {
    Areas_Grid->set_current(GRID_FIRST_READING_COL, ARow + 1);
  }
}

void TMain_Form::Create_Area_ActExecute() {
  if (current_item < 0) return;
  Store_Project_Info();
  R_Component* component = current_component();
  if (!component) return;
  if (!component->add_area()) {
    services.information(utf8_to_qstring(message_text(AREA_ADD_FAILED_MSG)));
    return;
  }
  Show_Component_Areas(component);
  // The area count beside the grid follows the new row.
  Component_Panel->Areas_Number->setText(QString::number(component->get_area_count()));
}

void TMain_Form::Remove_Area_ActExecute() {
  if (current_item < 0) return;
  Store_Project_Info();
  const int index = current_item;
  R_Component* component = current_component();
  if (!component) {
    Show_Project();
    return;
  }
  // The area removed is the one of the grid's current row; none is removed
  // when no row of areas is current.
  const int row = Areas_Grid->row();
  if (row < 1) return;
  if (component->get_area_count() == 1 || !component->remove_area(row - 1)) {
    services.information(utf8_to_qstring(message_text(AREA_REMOVE_FAILED_MSG)));
    return;
  }
  // The same component stays current and shown.
  Show_Project();
  select_row(index);
}
