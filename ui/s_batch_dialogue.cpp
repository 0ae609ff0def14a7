#include "s_batch_dialogue.h"

#include "report/s_qt_text.h"
#include "report/ui_services.h"

void S_Batch_Dialogue::inform(const std::string& message) { services_.information(utf8_to_qstring(message)); }

bool S_Batch_Dialogue::ask_yes_no(const std::string& question) {
  return services_.ask_yes_no(utf8_to_qstring(question)) == UI_Services::Answer::Yes;
}
