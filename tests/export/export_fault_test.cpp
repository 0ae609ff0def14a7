// A failed export leaves the file it was to replace as it was, and leaves no
// temporary file beside it.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "export/csv_export.h"
#include "export/workbook_export.h"
#include "export_fixture.h"
#include "model/rebound_project.h"
#include "model/s_file.h"
#include "tests/model/test_support.h"

namespace {

// Writes as usual, then cannot flush the file to the device.
class Failing_Flush_Writer : public S_File_Writer {
 public:
  bool sync(s_platform::File) override {
    errno = EIO;
    return false;
  }
};

TEST(Failed_Export, KeepsTheOldFile) {
  Rebound_Project project;
  fill_export_project(project);
  const std::pair<const char*, std::function<bool(const std::filesystem::path&, S_File_Writer&)>> kinds[] = {
      {"p.xlsx", [&](const auto& path, auto& writer) { return export_workbook(project, path, writer); }},
      {"p.csv",
       [&](const auto& path, auto& writer) { return export_csv(component_table(project), path, writer); }},
  };
  for (const auto& [name, write] : kinds) {
    test_support::Temp_Dir dir;
    test_support::put_file(dir / name, "the old file\n");
    Failing_Flush_Writer writer;
    EXPECT_FALSE(write(dir / name, writer)) << name;
    EXPECT_EQ(test_support::file_bytes(dir / name), "the old file\n") << name;
    EXPECT_EQ(dir.listing(), name);
  }
  // A folder that does not exist.
  test_support::Temp_Dir dir;
  EXPECT_FALSE(export_workbook(project, dir / "missing" / "p.xlsx"));
  EXPECT_FALSE(export_csv(area_table(project), dir / "missing" / "p.csv"));
}

}  // namespace
