// Which template file a report uses: the template folders of the two report
// kinds (under the start directory, or the user's and the installed ones),
// the files they hold and the template that the settings name.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "model/s_string.h"

class Rebound_Tester_Config;

enum class Report_Kind { Component, Area };

// The kind that default_print_template selects: 0 is the component report,
// any other value the test-area report.
Report_Kind report_kind_of(int32_t default_print_template);

// The kind's template folders in lookup order: 测区 or 构件 in each report
// folder of the settings.
std::vector<std::filesystem::path> template_folders(const Rebound_Tester_Config& config, Report_Kind kind);

struct Report_Template_File {
  std::filesystem::path path;
  QString name;  // as the messages name it
};

// The template of that kind that the settings name: the file of that name in
// the first folder that holds one, so that a user's template wins over an
// installed one of the same name.
Report_Template_File configured_template(const Rebound_Tester_Config& config, Report_Kind kind);

// The names (with extension, no folder) of the files in the folders, each
// name once, sorted by name. Files only: no folders, no hidden entries; a
// missing folder lists nothing.
QStringList list_template_files(const std::vector<std::filesystem::path>& folders);

// The index of the first name whose GBK form is wanted, comparing bytes
// exactly, letter case included; -1 when there is none.
int find_template(const QStringList& names, const S_String& wanted);

// Which of the files in the folders a report uses: the wanted name where it
// is among them, else the first file.
struct Template_Choice {
  QStringList files;  // as list_template_files gives them
  int chosen = -1;    // the index of the file to use; -1 when there is none
  // NO_TEMPLATE_FILE_MSG when nothing is listed, FIRST_TEMPLATE_CHOSEN_MSG
  // when the wanted name gave way to the first file; null otherwise.
  const char* note = nullptr;
};
Template_Choice choose_template_file(const S_String& wanted,
                                     const std::vector<std::filesystem::path>& folders);

// The choice in the kind's folders for the name the settings store.
Template_Choice choose_template(const Rebound_Tester_Config& config, Report_Kind kind);
