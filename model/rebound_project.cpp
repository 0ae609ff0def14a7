#include "rebound_project.h"

#include <new>

#include "gbk_codec.h"
#include "s_byte_stream.h"
#include "s_date.h"
#include "s_file.h"

namespace {

// How much of a project file a load holds at a time.
constexpr size_t LOAD_CHUNK = 1 << 20;

}  // namespace

const Project_Text PROJECT_TEXTS[Rebound_Project::TEXT_COUNT] = {
    {&Rebound_Project::project_name, "project_name"},
    {&Rebound_Project::project_address, "project_address"},
    {&Rebound_Project::construction_unit, "construction_unit"},
    {&Rebound_Project::construction_date, "construction_date"},
    {&Rebound_Project::agent_unit, "agent_unit"},
    {&Rebound_Project::agent_date, "agent_date"},
    {&Rebound_Project::design_unit, "design_unit"},
    {&Rebound_Project::report_date, "report_date"},
    {&Rebound_Project::supervision_unit, "supervision_unit"},
    {&Rebound_Project::report_serial, "report_serial"},
    {&Rebound_Project::monitor_unit, "monitor_unit"},
    {&Rebound_Project::examine_serial, "examine_serial"},
    {&Rebound_Project::concrete_producer, "concrete_producer"},
    {&Rebound_Project::examine_unit, "examine_unit"},
    {&Rebound_Project::examine_unit_address, "examine_unit_address"},
    {&Rebound_Project::unit_certification_serial, "unit_certification_serial"},
    {&Rebound_Project::examine_environment, "examine_environment"},
    {&Rebound_Project::examine_reason, "examine_reason"},
    {&Rebound_Project::zip_code, "zip_code"},
    {&Rebound_Project::phone_no, "phone_no"},
    {&Rebound_Project::fax_no, "fax_no"},
};

Rebound_Project::Rebound_Project() {
  static const std::string new_project_suffix = utf8_to_gbk(" 新工程");
  const std::string today = today_text();
  project_name.assign(today + new_project_suffix);
  construction_date.assign(today);
  agent_date.assign(today);
  report_date.assign(today);
}

R_Component* Rebound_Project::new_component() {
  try {
    components.push_back(std::make_unique<R_Component>());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return components.back().get();
}

bool Rebound_Project::remove_component(int32_t index) {
  if (index < 0 || static_cast<uint32_t>(index) >= component_count()) return false;
  components.erase(components.begin() + index);
  return true;
}

R_Component* Rebound_Project::component(int32_t index) const {
  if (index < 0 || static_cast<uint32_t>(index) >= component_count()) return nullptr;
  return components[static_cast<size_t>(index)].get();
}

uint32_t Rebound_Project::checked_count() const {
  uint32_t n = 0;
  for (const auto& c : components) n += c->is_checked() ? 1 : 0;
  return n;
}

bool Rebound_Project::write(S_Byte_Writer& out) const {
  for (int i = 0; i < TEXT_COUNT; ++i) {
    if (!text(i).write(out)) return false;
  }
  if (!out.write_u32(component_count())) return false;
  for (const auto& c : components) {
    if (!c->write(out)) return false;
  }
  return true;
}

bool Rebound_Project::read(S_Byte_Reader& in) {
  try {
    for (int i = 0; i < TEXT_COUNT; ++i) {
      if (!text(i).read(in)) return false;
    }
    uint32_t count = 0;
    if (!in.read_u32(count)) return false;
    for (uint32_t i = 0; i < count; ++i) {
      R_Component* c = new_component();
      if (!c || !c->read(in)) return false;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool Rebound_Project::load(const std::filesystem::path& path) {
  // The file is read a chunk at a time as the records are read: a load
  // never holds the whole file in memory beside the project it makes.
  S_File_Source file;
  if (!file.open(path)) return false;
  const auto source = [&file](char* dst, size_t n) {
    const long long got = file.read(dst, n);
    return got > 0 ? static_cast<size_t>(got) : size_t{0};
  };
  S_Byte_Reader in(source, file.size(), LOAD_CHUNK);
  return read(in);
}

bool Rebound_Project::save(const std::filesystem::path& path) const {
  S_File_Writer writer;
  return save(path, writer);
}

bool Rebound_Project::save(const std::filesystem::path& path, S_File_Writer& writer) const {
  try {
    // The stream goes to the file as it is made, a chunk at a time.
    const auto fill = [this](S_Byte_Writer& out) { return write(out); };
    return write_file_replacing(path, fill, writer);
  } catch (const std::exception&) {
    return false;
  }
}
