#include "export_tables.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "evaluation/caculate2.h"
#include "evaluation/s_float_text.h"
#include "model/r_component.h"
#include "model/rebound_project.h"

namespace {

Export_Cell text_cell(std::string text) { return {std::move(text), std::nullopt}; }
Export_Cell gbk_cell(const S_String& text) { return text_cell(text.utf8()); }
Export_Cell count_cell(uint32_t n) { return {std::to_string(n), static_cast<double>(n)}; }

// A float32 value as the window shows it: its figure where the window shows
// one (and it is finite), otherwise the text the window shows in its place.
Export_Cell value_cell(float x, bool shown_as_figure, const std::string& window_text) {
  if (!shown_as_figure || !std::isfinite(x)) return text_cell(window_text);
  std::string text = float_text(x);
  double number = 0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return {std::move(text), number};
}

}  // namespace

Export_Table component_table(const Rebound_Project& project) {
  return {"构件",
          {{"序号", 0},
           {"构件名称", 0},
           {"强度等级", 0},
           {"检测日期", 0},
           {"生产日期", 0},
           {"测区数", 0},
           {"强度平均值", 1},
           {"强度标准差", 2},
           {"强度最小值", 1},
           {"强度推定值", 1},
           {"仪器型号", 0},
           {"仪器编号", 0},
           {"测试人员", 0},
           {"上岗证号", 0},
           {"检测依据", 0},
           {"备注", 0},
           {"批处理", 0}},
          [&project](const std::function<bool(const Export_Table::Row&)>& sink) {
            for (uint32_t i = 0; i < project.component_count(); ++i) {
              const R_Component& c = *project.component(static_cast<int32_t>(i));
              const Statistics_Texts texts = component_texts(c);
              const Export_Table::Row row = {
                  count_cell(i + 1),
                  gbk_cell(c.component_name),
                  text_cell(strength_grade_text(c.strength_grade)),
                  gbk_cell(c.component_date),
                  gbk_cell(c.produced_date),
                  count_cell(c.get_area_count()),
                  value_cell(c.strength_avg, shows_statistic_figure(c.strength_avg), texts.avg),
                  value_cell(c.strength_sd, shows_statistic_figure(c.strength_sd), texts.sd),
                  value_cell(c.strength_min, strength_shown_as_number(c.strength_min), texts.min),
                  value_cell(c.strength_e, strength_shown_as_number(c.strength_e), texts.e),
                  gbk_cell(c.device_type),
                  gbk_cell(c.device_num),
                  gbk_cell(c.tester),
                  gbk_cell(c.certificate_serial),
                  gbk_cell(c.examine_basis),
                  gbk_cell(c.bak_info),
                  text_cell(c.is_checked() ? "是" : "否"),
              };
              if (!sink(row)) return false;
            }
            return true;
          }};
}

Export_Table area_table(const Rebound_Project& project) {
  std::vector<Export_Column> columns = {{"构件序号", 0}, {"构件名称", 0}, {"测区", 0}};
  for (int r = 1; r <= READINGS_PER_AREA; ++r) columns.push_back({std::to_string(r), 0});
  columns.push_back({"平均回弹", 1});
  columns.push_back({"换算强度", 1});
  return {"测区", std::move(columns), [&project](const std::function<bool(const Export_Table::Row&)>& sink) {
            Export_Table::Row row;
            for (uint32_t i = 0; i < project.component_count(); ++i) {
              const R_Component& c = *project.component(static_cast<int32_t>(i));
              const Export_Cell name = gbk_cell(c.component_name);
              for (uint32_t a = 0; a < c.get_area_count() && a < MAX_AREAS; ++a) {
                const R_Area& area = c.areas[a];
                row = {count_cell(i + 1), name, count_cell(a + 1)};
                for (const uint8_t reading : area.readings) row.push_back(count_cell(reading));
                row.push_back(value_cell(area.avg_rebound, true, avg_rebound_text(area.avg_rebound)));
                row.push_back(value_cell(area.strength, strength_shown_as_number(area.strength),
                                         strength_text(area.strength)));
                if (!sink(row)) return false;
              }
            }
            return true;
          }};
}
