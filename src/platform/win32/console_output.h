#pragma once

#include <string_view>

// Standard output and error for a program of the Windows GUI subsystem: the
// handles it was started with (a pipe, a file, or Wine's terminal), else the
// console of the process that started it. Nothing is written when there is
// neither.
void writeStandardOutput(std::string_view text);
void writeStandardError(std::string_view text);
