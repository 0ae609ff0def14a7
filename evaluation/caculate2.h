// Strength evaluation: each test area's average rebound value and converted
// strength, the statistics of a component and of a batch, and the texts under
// which the window, the reports and the command line show them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/r_area.h"
#include "model/s_messages.h"

class R_Component;
class Rebound_Project;

// The evaluation's messages (NO_AREA_DATA_MSG, NO_VALID_AREA_DATA_MSG,
// FEW_AREAS_QUESTION) are those of the message table.

// The average of the ten middle readings of 16, as float32.
float area_average(const uint8_t readings[READINGS_PER_AREA]);
// f(R) = 0.75 R - 7.83 + 0.0079 R^2, as float32, with no limits applied.
float convert_strength(float avg_rebound);
// Sets avg_rebound and strength of the first count records.
void evaluate_areas(_TESTAREA* areas, uint32_t count);

struct Strength_Statistics {
  float mean = 0.0f;
  float min = 0.0f;
  float sd = 0.0f;
  float e = 0.0f;  // estimated strength (强度推定值)
};

// The four statistics of the strengths of the first n records; the message
// NO_AREA_DATA_MSG (and no result) when n is 0.
const char* strength_statistics(const _TESTAREA* areas, uint32_t n, Strength_Statistics& result);

// Evaluates the component's areas and stores the new area values and
// statistics in it; returns the message of strength_statistics (and leaves
// the component unchanged) when it has no areas, otherwise nullptr.
const char* calculate_component(R_Component& component);

// How the batch procedure puts its message and its question to the user.
class Batch_Dialogue {
 public:
  virtual ~Batch_Dialogue() = default;
  virtual void inform(const std::string& message) = 0;
  // Yes/No question captioned "提示"; true for Yes.
  virtual bool ask_yes_no(const std::string& question) = 0;
};

struct Batch_Result {
  uint32_t n = 0;  // areas in the batch
  Strength_Statistics statistics;
};

// The statistics over the stored strengths of every area of the checked
// components; nothing when the procedure ended abandoned. Changes nothing in
// the project.
std::optional<Batch_Result> batch_statistics(const Rebound_Project& project, Batch_Dialogue& dialogue);

// True when a strength is shown as its number: from 0 up to the display
// bound of 200.0. Above it the text is ">100.0"; below 0, or not a number,
// "0.0".
bool strength_shown_as_number(float x);
// The text of an area's converted strength (grid column 18).
std::string strength_text(float x);
// The text of an area's average rebound value (grid column 17).
std::string avg_rebound_text(float x);

// The texts of the four statistics boxes of a component or of a batch.
struct Statistics_Texts {
  std::string avg;
  std::string sd;
  std::string min;
  std::string e;
};

Statistics_Texts component_texts(const R_Component& component);
Statistics_Texts batch_texts(const Batch_Result& batch);
