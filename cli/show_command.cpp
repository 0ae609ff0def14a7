// rv820-cli show IN.prj [--json]: the project as a table, or as JSON.
#include <cstdint>

#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_console.h"
#include "cli_json.h"
#include "cli_messages.h"
#include "cli_output.h"
#include "evaluation/caculate2.h"
#include "model/rebound_project.h"
#include "project_json.h"
#include "text_table.h"

namespace {

const Cli_Option SHOW_OPTIONS[] = {{"--json"}};

// The project name, then one row per component with the columns of the list
// and the panel.
std::string project_table(const Rebound_Project& project) {
  using Align = Text_Table::Align;
  Text_Table table;
  table.add_column("序号", Align::right);
  table.add_column("构件名称", Align::left);
  table.add_column("强度等级", Align::left);
  table.add_column("检测日期", Align::left);
  table.add_column("测区数", Align::right);
  table.add_column("强度平均值", Align::right);
  table.add_column("强度最小值", Align::right);
  table.add_column("强度标准差", Align::right);
  table.add_column("强度推定值", Align::right);
  for (uint32_t i = 0; i < project.component_count(); ++i) {
    const R_Component& c = *project.component(static_cast<int32_t>(i));
    const Statistics_Texts texts = component_texts(c);
    table.add_row({std::to_string(i + 1), c.component_name.utf8(), strength_grade_text(c.strength_grade),
                   c.component_date.utf8(), std::to_string(c.area_count), texts.avg, texts.min, texts.sd,
                   texts.e});
  }
  return "工程名称：" + project.project_name.utf8() + "\n\n" + table.text();
}

Cli_Status run_show(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {SHOW_OPTIONS, 1, 1}, arguments)) return Cli_Status::usage;
  Cli_Messages messages;
  Rebound_Project project;
  if (messages.report(open_project(project, argument_path(arguments.positional[0]))))
    return messages.status();
  if (arguments.has("--json")) {
    print_json(project_json(project));
  } else {
    write_output(project_table(project));
  }
  return messages.status();
}

}  // namespace

const Cli_Command SHOW_COMMAND = {"show", "IN.prj [--json]", "prints the project", run_show};
