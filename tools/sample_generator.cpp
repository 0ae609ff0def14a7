// Writes sample instrument files and a sample project into a folder:
//   rv820-samples DIR
// DIR/samples/*.R82 (four components) and DIR/sample.prj (imported and
// calculated, with two components ticked).
#include <cstdio>
#include <filesystem>
#include <string>

#include "device_file_writer.h"
#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: rv820-samples DIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir / "samples", ec);

  struct Sample {
    const char* name;
    int areas;
    int base;
  };
  const Sample samples[] = {{"KZ-1", 10, 36}, {"KZ-2", 12, 41}, {"L-3", 10, 33}, {"B-4", 4, 45}};
  Rebound_Project project;
  project.project_name.assign(utf8_to_gbk("示例工程"));
  int index = 0;
  for (const Sample& s : samples) {
    const std::string bytes = device_file_bytes(sample_device(s.name, s.areas, s.base));
    const std::filesystem::path file = dir / "samples" / (std::string(s.name) + ".R82");
    if (!write_file_replacing(file, bytes)) {
      std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
      return 1;
    }
    R_Component* c = project.new_component();
    S_Byte_Reader in(bytes);
    import_device_file(*c, in);
    calculate_component(*c);
    c->set_checked(index++ < 2 ? 1 : 0);
  }
  if (!project.save(dir / "sample.prj")) {
    std::fprintf(stderr, "cannot write %s\n", (dir / "sample.prj").string().c_str());
    return 1;
  }
  return 0;
}
