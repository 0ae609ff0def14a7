// A project exported as a workbook (.xlsx) with the sheets "构件" and "测区",
// written by libxlsxwriter: figures as number cells shown with the window's
// decimals, the window's texts as text cells, a bold and frozen header row,
// columns as wide as their texts, and pages set up for A4 landscape, all
// columns on the width of a page, with grid lines and the header row on every
// page.
#pragma once

#include <filesystem>

class Rebound_Project;
class S_File_Writer;

// Writes the file through the safe replacing write: on failure an existing
// file is left as it was.
bool export_workbook(const Rebound_Project& project, const std::filesystem::path& path);
// The same, with the low-level writes of the replacing write done by writer.
bool export_workbook(const Rebound_Project& project, const std::filesystem::path& path,
                     S_File_Writer& writer);
