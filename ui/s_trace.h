// The program's one debug trace: a printf-style line on standard error.
#pragma once

// Formats the line into a buffer of 2048 bytes (longer lines are cut) and
// writes it, with a line end, to standard error.
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
