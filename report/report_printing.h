// The print sequence shared by the window's Print and Print preview and by
// the command line: the checks and messages, the loading of the template and
// the reports handed to the output step, one for the component report or one
// per ticked component for the test-area report.
#pragma once

#include <QString>
#include <functional>

#include "report/report_data.h"
#include "report/report_templates.h"

class Rebound_Project;

// What one command prints with, and the steps that differ between the window
// and the command line.
struct Report_Print_Job {
  Rebound_Project& project;
  Report_Engine& engine;
  tagGrid_Report_Field& fields;
  Report_Data& data;
  // Puts the texts of the project information dialog into the project.
  std::function<void()> store_project_info;
  // Shows one information message.
  std::function<void(const QString&)> information;
  // Builds one report through the engine and puts it out; false stops the
  // command (the user cancelled, or the output failed).
  std::function<bool()> output;
  // Shows a warning, after which the command goes on; without it a warning
  // is shown as an information message.
  std::function<void(const QString&)> warning = nullptr;
};

// Stores the project information, then loads the template into the engine
// and binds the fields. False, after its message, when the project has no
// component or the template is missing or cannot be loaded (the message then
// gives the reason on a line of its own). What the engine had to change to
// print the template is shown as a warning.
bool Load_Component_Template(Report_Print_Job& job, const Report_Template_File& report_template);
bool Load_Area_Template(Report_Print_Job& job, const Report_Template_File& report_template);

// The whole command: true when every report went to the output step, false
// when a check stopped it (after its message) or the output step did. An
// error thrown on the way (memory running out included) ends the command
// with the message "报表打印失败！".
bool Run_Print_Command(Report_Print_Job& job, Report_Kind kind, const Report_Template_File& report_template);
