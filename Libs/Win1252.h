#pragma once
#include <string>
#include <string_view>

// All of the game's texts are single-byte Windows-1252; the system (fonts, file names) speaks
// UTF-8.

// Every byte has a meaning; the five bytes Windows-1252 leaves undefined become U+FFFD.
std::string Win1252ToUtf8(std::string_view text);

// Lower case of a Windows-1252 letter (A..Z, the accented capitals, and Š Œ Ž Ÿ); every other
// byte as it is. For comparing and sorting names without regard to case.
unsigned char Win1252Lower(unsigned char c);
std::string Win1252Lowered(std::string_view text);

// False (and out untouched) when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot express.
bool Utf8ToWin1252(std::string_view text, std::string& out);
