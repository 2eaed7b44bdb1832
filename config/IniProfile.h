// Profile-string lookup in INI files ("data/font.ini", ".\game.ini"): section
// headings in square brackets and key=value lines. Section and key names match
// without regard to ASCII case; blanks around names and values are trimmed;
// lines starting with ';' or '#' are remarks. Anything missing (the file, the
// section or the key) yields the given default.
#pragma once

#include <cstddef>
#include <string>

// Copies the value (or the default) into result, cut to resultSize - 1 bytes
// and NUL-terminated. Returns the number of bytes copied.
size_t ReadProfileString(const char* section, const char* key, const char* defaultValue, char* result,
                         size_t resultSize, const char* path);

// The same lookup over text already in memory. Returns false when the section
// or key is missing.
bool FindProfileValue(const std::string& text, const char* section, const char* key, std::string& value);
