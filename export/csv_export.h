// An export table as a CSV file: RFC 4180 (a field in double quotes where it
// holds a comma, a quote or a line break, a quote inside written twice, CR LF
// after every record), UTF-8 with a byte-order mark so that a spreadsheet
// reads the Chinese texts as they are. Each cell is written as its text:
// figures with "." as the decimal point, the window's texts ("-.-") as they are.
#pragma once

#include <filesystem>

#include "export_tables.h"

class S_Byte_Writer;
class S_File_Writer;

// Writes the header and every row; false when out takes no more bytes.
bool write_csv(const Export_Table& table, S_Byte_Writer& out);

// Writes the file through the safe replacing write: on failure an existing
// file is left as it was.
bool export_csv(const Export_Table& table, const std::filesystem::path& path);
// The same, with the low-level writes done by writer.
bool export_csv(const Export_Table& table, const std::filesystem::path& path, S_File_Writer& writer);
