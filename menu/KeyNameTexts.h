#pragma once
#include <span>

class InputLib;
class LanguageTable;

// The keys whose names are words, and the language text that names each. A language file
// without these texts keeps the built-in German names.
struct KeyNameText {
    int code;
    int textId;
};
std::span<const KeyNameText> KeyNameTexts();

// Hands the loaded language's key names to the input, so every key field shows them.
void NameKeysInLanguage(InputLib& input, const LanguageTable& language);
