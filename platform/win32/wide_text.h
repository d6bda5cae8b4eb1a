// wide_text.h -- UTF-8, the platform layer's form of names and arguments, to UTF-16 and back
#pragma once

#include <string>

// The UTF-16 form of text; bytes that are not UTF-8 become U+FFFD and so name no file.
std::wstring wideText(const char* text);

// The UTF-8 form of text.
std::string utf8Text(const wchar_t* text);
