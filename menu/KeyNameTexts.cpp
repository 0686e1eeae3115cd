#include "menu/KeyNameTexts.h"

#include "Libs/InputLib.h"
#include "Libs/KeyCodes.h"
#include "storage/LanguageTable.h"

namespace {

constexpr KeyNameText keyNameTexts[] = {
    {KeyEscape, 900},       {KeyBackspace, 901},    {KeyTab, 902},        {KeyReturn, 903},
    {KeyLeftControl, 904},  {KeyLeftShift, 905},    {KeyRightShift, 906}, {KeyLeftAlt, 907},
    {KeySpace, 908},        {KeyCapsLock, 909},     {KeyNumLock, 910},    {KeyScrollLock, 911},
    {KeyNumPadEnter, 912},  {KeyRightControl, 913}, {KeyPrint, 914},      {KeyAltGr, 915},
    {KeyPause, 916},        {KeyHome, 917},         {KeyUp, 918},         {KeyPageUp, 919},
    {KeyLeft, 920},         {KeyRight, 921},        {KeyEnd, 922},        {KeyDown, 923},
    {KeyPageDown, 924},     {KeyInsert, 925},       {KeyDelete, 926},     {KeyLeftWindows, 927},
    {KeyRightWindows, 928}, {KeyMenu, 929},
};

} // namespace

std::span<const KeyNameText> KeyNameTexts() {
    return keyNameTexts;
}

void NameKeysInLanguage(InputLib& input, const LanguageTable& language) {
    for (const KeyNameText& row : keyNameTexts)
        input.SetKeyName(row.code, language.Text(row.textId));
}
