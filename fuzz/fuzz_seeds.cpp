// Writes the seed corpora of the fuzz targets from our own sample data and
// the shipped report templates:
//   fuzz_seeds DIR  ->  DIR/project_file, DIR/device_file, DIR/settings,
//                       DIR/report_template
#include <cstdio>
#include <filesystem>
#include <string>

#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "tools/device_file_writer.h"

namespace {

bool put(const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return write_file_replacing(dir / name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  bool ok = true;

  const int sizes[] = {0, 1, 3, 50};
  Rebound_Project project;
  project.clear();
  project.examine_unit.assign(utf8_to_gbk("检测单位"));
  for (int n : sizes) {
    const std::string bytes = device_file_bytes(sample_device("KZ-" + std::to_string(n), n, 30 + n % 20));
    ok = put(root / "device_file", "areas_" + std::to_string(n) + ".R82", bytes) && ok;
    R_Component* c = project.new_component();
    S_Byte_Reader in(bytes);
    import_device_file(*c, in);
    calculate_component(*c);
    c->set_checked(n % 2 ? 1 : 0);
    S_Byte_Writer out;
    project.write(out);
    ok = put(root / "project_file", "components_" + std::to_string(project.component_count()) + ".prj",
             out.bytes()) &&
         ok;
  }

  const std::string section = "[" + utf8_to_gbk("系统设置") + "]";
  ok = put(root / "settings", "new.ini",
           section + "\n" +
               utf8_to_gbk("测区打印模版=默认模版\n构件打印模板=默认模版\n默认模板=0\n页眉=\n页脚=\n")) &&
       ok;
  ok = put(root / "settings", "crlf.ini",
           "; comment\r\n[other]\r\nx = 1\r\n" + section + "\r\n" + utf8_to_gbk(" 页眉 = abc \r\n")) &&
       ok;

  // Every shipped template, and a small one that uses each kind of item.
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(RV820_TEMPLATES_DIR, ec)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".xml") continue;
    std::string bytes;
    ok =
        read_file(entry.path(), bytes) &&
        put(root / "report_template",
            entry.path().parent_path().filename().string() + "_" + entry.path().filename().string(), bytes) &&
        ok;
  }
  ok = put(root / "report_template", "every_item.xml",
           "<report><page size=\"A5\" orientation=\"landscape\" margin-left=\"5\" font-size=\"8\"/>"
           "<page-header><text align=\"right\">{page}/{pages} {date} {{x}}</text></page-header>"
           "<report-header><grid widths=\"1 2\" border=\"bottom\"><row><cell span=\"2\" bold=\"true\">"
           "{a}</cell></row><row><cell border=\"none\">b</cell><cell>{a}{b}</cell></row></grid>"
           "<line weight=\"0.5\"/><space height=\"3\"/></report-header>"
           "<detail font-size=\"7\" padding=\"0.5\" row-height=\"6\" line=\"0.1\">"
           "<column label=\"L{a}\" width=\"3\" field=\"c\" align=\"center\"/></detail>"
           "<report-footer><text bold=\"false\" space-before=\"1\" space-after=\"1\">end</text>"
           "</report-footer><page-footer/></report>") &&
       ok;
  return ok ? 0 : 1;
}
