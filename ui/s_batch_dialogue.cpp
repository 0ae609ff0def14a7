#include "s_batch_dialogue.h"

#include "report/ui_services.h"

void S_Batch_Dialogue::inform(const std::string& message) {
  services_.information(QString::fromStdString(message));
}

bool S_Batch_Dialogue::ask_yes_no(const std::string& question) {
  return services_.ask_yes_no(QString::fromStdString(question)) == UI_Services::Answer::Yes;
}
