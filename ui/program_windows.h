// The program's windows, created in the start-up order: the main window
// first, then its dialogs. The dialogs are children of the main window and
// live as long as it does; only the main window is shown at start.
#pragma once

#include <memory>

#include "main_form_unit.h"

class UI_Services;

struct Program_Windows {
  std::unique_ptr<TMain_Form> main_form;
  TMain_Form::Dialogs dialogs;
};

Program_Windows create_program_windows(UI_Services& services);
