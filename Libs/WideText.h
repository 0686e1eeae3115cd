#pragma once
#include <string>

// Windows only: its wide-character calls take UTF-16; the game's system texts are UTF-8.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
