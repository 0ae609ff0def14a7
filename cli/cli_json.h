// The JSON documents of rv820-cli. The document keeps its keys in the order
// they were added, and its floating-point type is float32: the library then
// writes every float as the shortest text that reads back as the same
// float32 (at most nine significant digits, as float_text of the evaluation
// does) and a value that is not finite as null. The library does all of the
// writing and escaping.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using Cli_Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                      std::uint64_t, float>;

// Writes the document to standard output in UTF-8, on one line.
void print_json(const Cli_Json& document);
