#include "project_json.h"

#include "evaluation/caculate2.h"
#include "model/r_component.h"
#include "model/rebound_project.h"

namespace {

Cli_Json area_json(const R_Area& area) {
  Cli_Json readings = Cli_Json::array();
  for (uint8_t reading : area.readings) readings.push_back(static_cast<unsigned>(reading));
  Cli_Json json;
  json["readings"] = std::move(readings);
  json["avg_rebound"] = area.avg_rebound;
  json["strength"] = area.strength;
  // The texts of the grid's columns 17 and 18.
  json["texts"] = {{"avg_rebound", avg_rebound_text(area.avg_rebound)},
                   {"strength", strength_text(area.strength)}};
  return json;
}

Cli_Json component_json(const R_Component& component) {
  Cli_Json json;
  json["component_name"] = component.component_name.utf8();
  json["component_date"] = component.component_date.utf8();
  json["produced_date"] = component.produced_date.utf8();
  json["bak_info"] = component.bak_info.utf8();
  json["strength_grade"] = component.strength_grade;
  json["strength_avg"] = component.strength_avg;
  json["strength_min"] = component.strength_min;
  json["strength_sd"] = component.strength_sd;
  json["strength_e"] = component.strength_e;
  json["device_type"] = component.device_type.utf8();
  json["device_num"] = component.device_num.utf8();
  json["tester"] = component.tester.utf8();
  json["certificate_serial"] = component.certificate_serial.utf8();
  json["examine_basis"] = component.examine_basis.utf8();
  json["area_count"] = component.area_count;
  json["checked"] = static_cast<unsigned>(component.checked);
  Cli_Json areas = Cli_Json::array();
  for (uint32_t i = 0; i < component.area_count && i < MAX_AREAS; ++i)
    areas.push_back(area_json(component.areas[i]));
  json["areas"] = std::move(areas);
  // The texts of the component panel.
  const Statistics_Texts texts = component_texts(component);
  json["texts"] = {{"strength_avg", texts.avg},
                   {"strength_min", texts.min},
                   {"strength_sd", texts.sd},
                   {"strength_e", texts.e}};
  return json;
}

}  // namespace

Cli_Json project_json(const Rebound_Project& project) {
  Cli_Json texts = Cli_Json::object();
  for (const Project_Text& text : PROJECT_TEXTS) texts[text.name] = (project.*text.text).utf8();
  Cli_Json components = Cli_Json::array();
  for (const auto& component : project.components) components.push_back(component_json(*component));
  Cli_Json json;
  json["project"] = std::move(texts);
  json["components"] = std::move(components);
  return json;
}
