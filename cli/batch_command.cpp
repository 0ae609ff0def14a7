// rv820-cli batch IN.prj [--json] [--no]: the batch statistics over the
// ticked components, as the check box "按批处理" computes them.
#include <cstdint>

#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_json.h"
#include "cli_messages.h"
#include "cli_output.h"
#include "evaluation/caculate2.h"
#include "model/rebound_project.h"
#include "text_table.h"

namespace {

const Cli_Option BATCH_OPTIONS[] = {{"--json"}, {"--no"}};

// Puts the batch procedure's messages on standard error and answers its
// question as the command line said; keeps the last text it showed.
class Cli_Batch_Dialogue : public Batch_Dialogue {
 public:
  Cli_Batch_Dialogue(Cli_Messages& messages, bool answer) : messages_(messages), answer_(answer) {}

  void inform(const std::string& message) override {
    shown_ = message;
    messages_.report(message);
  }

  bool ask_yes_no(const std::string& question) override {
    shown_ = question;
    const std::string line = question + (answer_ ? " 是" : " 否");
    // No ends the batch abandoned, which is reported; Yes lets it go on.
    if (answer_) {
      messages_.note(line);
    } else {
      messages_.report(line);
    }
    return answer_;
  }

  const std::string& shown() const { return shown_; }

 private:
  Cli_Messages& messages_;
  bool answer_;
  std::string shown_;
};

Cli_Json batch_json(const Batch_Result& batch) {
  const Strength_Statistics& s = batch.statistics;
  const Statistics_Texts texts = batch_texts(batch);
  Cli_Json json;
  json["n"] = batch.n;
  json["mean"] = s.mean;
  json["min"] = s.min;
  json["sd"] = s.sd;
  json["e"] = s.e;
  json["texts"] = {{"avg", texts.avg}, {"sd", texts.sd}, {"min", texts.min}, {"e", texts.e}};
  return json;
}

// One row per value: the batch panel's label, the number, the box's text.
std::string batch_table(const Batch_Result& batch) {
  using Align = Text_Table::Align;
  const Strength_Statistics& s = batch.statistics;
  const Statistics_Texts texts = batch_texts(batch);
  Text_Table table;
  table.add_column("", Align::left);
  table.add_column("数值", Align::right);
  table.add_column("显示", Align::right);
  table.add_row({"测区数", std::to_string(batch.n), ""});
  table.add_row({"测区强度平均值", float_text(s.mean), texts.avg});
  table.add_row({"测区强度最小值", float_text(s.min), texts.min});
  table.add_row({"测区强度标准差", float_text(s.sd), texts.sd});
  table.add_row({"批构件强度推定值", float_text(s.e), texts.e});
  return table.text();
}

Cli_Status run_batch(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {BATCH_OPTIONS, 1, 1}, arguments)) return Cli_Status::usage;
  const bool json = arguments.has("--json");
  Cli_Messages messages;
  Rebound_Project project;
  if (messages.report(open_project(project, arguments.positional[0]))) return messages.status();

  Cli_Batch_Dialogue dialogue(messages, !arguments.has("--no"));
  const std::optional<Batch_Result> batch = batch_statistics(project, dialogue);
  if (!batch) {
    if (json) print_json(Cli_Json{{"message", dialogue.shown()}});
    return Cli_Status::reported;
  }
  if (json) {
    print_json(batch_json(*batch));
  } else {
    write_output(batch_table(*batch));
  }
  return messages.status();
}

}  // namespace

const Cli_Command BATCH_COMMAND = {"batch", "IN.prj [--json] [--no]",
                                   "the batch statistics over the ticked components; the question asked\n"
                                   "for fewer than 5 areas is answered Yes, or No with --no",
                                   run_batch};
