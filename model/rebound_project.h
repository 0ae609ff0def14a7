// Rebound_Project: the open project, its 21 texts and its owned, ordered list
// of components, and the project file (.prj) that saves and restores it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "r_component.h"
#include "s_string.h"

class S_File_Writer;

class Rebound_Project {
 public:
  Rebound_Project();
  virtual ~Rebound_Project() { clear(); }
  Rebound_Project(const Rebound_Project&) = delete;
  Rebound_Project& operator=(const Rebound_Project&) = delete;

  R_Component* new_component();
  bool remove_component(int32_t index);
  R_Component* component(int32_t index) const;
  uint32_t component_count() const { return static_cast<uint32_t>(components.size()); }
  uint32_t checked_count() const;
  void clear() { components.clear(); }

  // Appends the file's components after those present and replaces the texts
  // read before any failure; nothing is rolled back.
  bool load(const std::filesystem::path& path);
  // Writes a temporary file beside the target and replaces the target only
  // once everything was written and flushed: a failed save leaves an existing
  // file as it was.
  bool save(const std::filesystem::path& path) const;
  // The same, with the low-level writes done by writer.
  bool save(const std::filesystem::path& path, S_File_Writer& writer) const;

  // The stream form of the whole project, as save writes it.
  bool write(S_Byte_Writer& out) const;
  // Reads a project stream into this project, as load does.
  bool read(S_Byte_Reader& in);

  // The 21 texts by their position in the file (0 = project_name).
  static constexpr int TEXT_COUNT = 21;
  S_String& text(int i);
  const S_String& text(int i) const;

  S_String project_name;
  S_String project_address;
  S_String construction_unit;
  S_String construction_date;
  S_String agent_unit;
  S_String agent_date;
  S_String design_unit;
  S_String report_date;
  S_String supervision_unit;
  S_String report_serial;
  S_String monitor_unit;
  S_String examine_serial;
  S_String concrete_producer;
  S_String examine_unit;
  S_String examine_unit_address;
  S_String unit_certification_serial;
  S_String examine_environment;
  S_String examine_reason;
  S_String zip_code;
  S_String phone_no;
  S_String fax_no;
  std::vector<std::unique_ptr<R_Component>> components;
};

// One of the 21 texts: its member and its name (as the command-line front end
// prints it).
struct Project_Text {
  S_String Rebound_Project::*text;
  const char* name;
};
// The 21 texts in file order: what the project file and the command line's
// JSON hold.
extern const Project_Text PROJECT_TEXTS[Rebound_Project::TEXT_COUNT];

inline S_String& Rebound_Project::text(int i) { return this->*PROJECT_TEXTS[i].text; }
inline const S_String& Rebound_Project::text(int i) const { return this->*PROJECT_TEXTS[i].text; }
