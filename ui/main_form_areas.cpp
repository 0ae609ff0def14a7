// The test-area grid of the main window: typing readings, adding and
// removing test areas.
#include <QLineEdit>
#include <charconv>
#include <optional>

#include "component_panel.h"
#include "main_form_unit.h"
#include "report/ui_services.h"
#include "s_string_grid.h"
#include "s_trace.h"

namespace {

constexpr int AVG_REBOUND_COL = 17;
constexpr int STRENGTH_COL = 18;
constexpr int LAST_READING_COL = READINGS_PER_AREA;
constexpr long long LOWEST_PLAIN_READING = 10;
constexpr long long HIGHEST_PLAIN_READING = 98;
constexpr long long HIGHEST_READING = 255;

// A decimal integer with an optional sign, nothing else; none otherwise.
// Values beyond the range of long long are taken at that range's bound.
std::optional<long long> integer_value(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  const char* first = bytes.constData();
  const char* last = first + bytes.size();
  bool negative = false;
  if (first != last && (*first == '+' || *first == '-')) {
    negative = *first == '-';
    ++first;
  }
  if (first == last || *first < '0' || *first > '9') return std::nullopt;
  long long value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (end != last) return std::nullopt;
  if (error == std::errc::result_out_of_range) value = HIGHEST_READING + 1;
  return negative ? -value : value;
}

}  // namespace

void TMain_Form::Areas_GridSetEditText(int ACol, int ARow, const QString& Value) {
  R_Component* component = current_component();
  if (!component || Value.isEmpty()) return;
  if (ACol == AVG_REBOUND_COL || ACol == STRENGTH_COL) {
    // Derived values are not typed: the cell shows the stored one again.
    Show_Component_Areas(component);
    return;
  }
  if (ACol < 1 || ACol > LAST_READING_COL || ARow < 1 ||
      ARow > static_cast<int>(component->get_area_count())) {
    return;
  }
  uint8_t& reading = component->areas[ARow - 1].readings[ACol - 1];
  const QChar last = Value.back();
  const bool forced = last == u'n' || last == u'N';
  const std::optional<long long> number = integer_value(forced ? Value.chopped(1) : Value);
  if (!number) {
    trace("Areas grid data 2 int convert error.");
    Areas_Grid->set_cell(ACol, ARow, QString::number(reading));
    return;
  }
  if (*number < 0 || *number > HIGHEST_READING) {
    // A reading is one byte: a number outside it is refused, not cut down.
    Areas_Grid->set_cell(ACol, ARow, QString::number(reading));
    return;
  }
  if (!forced && (*number < LOWEST_PLAIN_READING || *number > HIGHEST_PLAIN_READING)) return;
  Areas_Grid->set_cell(ACol, ARow, QString::number(*number));
  reading = static_cast<uint8_t>(*number);
  if (ACol < LAST_READING_COL) {
    Areas_Grid->set_current(ACol + 1, ARow);
  } else if (ARow + 1 < Areas_Grid->row_count()) {
    Areas_Grid->set_current(1, ARow + 1);
  }
}

void TMain_Form::Create_Area_ActExecute() {
  if (current_item < 0) return;
  Store_Project_Info();
  R_Component* component = current_component();
  if (!component) return;
  if (!component->add_area()) {
    services.information(QStringLiteral("构件创建失败！构件最多只能创建50个"));
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
    services.information(QStringLiteral("测区删除失败！测区不能少于1个"));
    return;
  }
  // The same component stays current and shown.
  Show_Project();
  select_row(index);
}
