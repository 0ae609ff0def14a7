#include "program_windows.h"

#include "about_form_unit.h"
#include "permission_setting_form_unit.h"
#include "project_info_form_unit.h"
#include "report/report_print_preview_unit.h"
#include "report/report_setting_form_unit.h"

Program_Windows create_program_windows(UI_Services& services) {
  Program_Windows windows;
  windows.main_form = std::make_unique<TMain_Form>(services);
  TMain_Form& main_form = *windows.main_form;
  windows.dialogs.about = new TAbout_Form(&main_form);
  windows.dialogs.print_preview = new TReport_Print_Preview(services, &main_form);
  windows.dialogs.project_info = new TProject_Info_Form(main_form, &main_form);
  windows.dialogs.permission = new TPermission_Setting_Form(&main_form);
  windows.dialogs.report_setting = new TReport_Setting_Form(services, &main_form);
  main_form.Set_Dialogs(windows.dialogs);
  return windows;
}
