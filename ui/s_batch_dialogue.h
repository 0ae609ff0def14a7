// The batch procedure's message and question, put to the user through the
// UI services.
#pragma once

#include "evaluation/caculate2.h"

class UI_Services;

class S_Batch_Dialogue : public Batch_Dialogue {
 public:
  explicit S_Batch_Dialogue(UI_Services& services) : services_(services) {}

  void inform(const std::string& message) override;
  bool ask_yes_no(const std::string& question) override;

 private:
  UI_Services& services_;
};
