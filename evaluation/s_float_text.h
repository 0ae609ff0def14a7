// float_text: a float32 value as the shortest decimal text that reads back as
// the same float32 (at most nine significant digits, "." as the decimal
// point, whatever the locale), the text the JSON documents of rv820-cli hold.
// The command line's plain output and the exported files write figures so.
#pragma once

#include <string>

// "null" for a value that is not finite, as the JSON documents write it.
std::string float_text(float x);
