#pragma once
#include <string>

// printf into a std::string; the formats are the program's own literals.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
formatText(const char* format, ...);
