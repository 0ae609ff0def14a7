#include "report_printing.h"

#include <system_error>

#include "model/rebound_project.h"
#include "model/s_messages.h"
#include "report/s_qt_text.h"

namespace {

// The message with the template's name in its placeholder.
QString named(const char* message, const Report_Template_File& report_template) {
  return utf8_to_qstring(message_text(message, qstring_to_utf8(report_template.name)));
}

void tell(Report_Print_Job& job, const char* message) {
  job.information(utf8_to_qstring(message_text(message)));
}

bool load_template(Report_Print_Job& job, const Report_Template_File& report_template,
                   const char* missing_msg) {
  job.store_project_info();
  if (job.project.component_count() == 0) {
    tell(job, NO_DATA_TO_PRINT_MSG);
    return false;
  }
  // An empty name leads to the folder itself, which is no template either.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(report_template.path, ec)) {
    job.information(named(missing_msg, report_template));
    return false;
  }
  // A template that cannot be loaded would leave the previous definition in
  // the engine and print the wrong report: stop here instead.
  if (!job.engine.load_from_path(report_template.path)) {
    job.information(named(TEMPLATE_BROKEN_MSG, report_template));
    return false;
  }
  job.data.fetch_count = 0;
  Bind_Report_Fields(job.fields, job.engine);
  return true;
}

}  // namespace

bool Load_Component_Template(Report_Print_Job& job, const Report_Template_File& report_template) {
  return load_template(job, report_template, COMPONENT_TEMPLATE_MISSING_MSG);
}

bool Load_Area_Template(Report_Print_Job& job, const Report_Template_File& report_template) {
  return load_template(job, report_template, AREA_TEMPLATE_MISSING_MSG);
}

bool Run_Print_Command(Report_Print_Job& job, Report_Kind kind, const Report_Template_File& report_template) {
  job.data.Set_Report_Source(job.project, job.fields);
  if (kind == Report_Kind::Component) {
    if (job.project.checked_count() == 0) {
      tell(job, NO_CHECKED_COMPONENT_MSG);
      return false;
    }
    if (!Load_Component_Template(job, report_template)) return false;
    job.data.Set_Report_Mode(REPORT_MODE_COMPONENT);
    return job.output();
  }
  if (!Load_Area_Template(job, report_template)) return false;
  if (job.project.checked_count() == 0) {
    tell(job, NO_CHECKED_COMPONENT_MSG);
    return false;
  }
  job.data.Set_Report_Mode(REPORT_MODE_AREA);
  for (uint32_t i = 0; i < job.project.component_count(); ++i) {
    const R_Component* component = job.project.component(static_cast<int32_t>(i));
    if (!component->is_checked()) continue;
    job.data.Set_Report_Component(component);
    if (!job.output()) return false;
  }
  return true;
}
