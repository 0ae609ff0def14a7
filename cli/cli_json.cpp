#include "cli_json.h"

#include "cli_output.h"

namespace {

// Texts come from the GBK codec, which always gives valid UTF-8; should one
// ever not be, its broken bytes are written as U+FFFD rather than failing.
std::string json_dump(const Cli_Json& value) {
  return value.dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
}

}  // namespace

void print_json(const Cli_Json& document) { write_output(json_dump(document) + "\n"); }
