// Reading a skin file into the GuiManager: the element table, the images, colours and fonts.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "Libs/Platform.h"
#include "Libs/SystemFiles.h"
#include "Libs/Win1252.h"
#include "gui/GuiManager.h"

namespace {

// The skin keyword of each element, by element number.
struct ElementKeyword {
    const char* keyword;
    int element;
};
constexpr ElementKeyword elementKeywords[] = {
    {"button", Element::Button},
    {"checkbox", Element::CheckBox},
    {"checkboxx", Element::CheckBoxX},
    {"radiobutton", Element::RadioButton},
    {"radiobuttonx", Element::RadioButtonX},
    {"box", Element::Box},
    {"combobox", Element::ComboBox},
    {"listbox", Element::ListBox},
    {"slider", Element::Slider},
    {"scrollbar", Element::ScrollBar},
    {"window", Element::Window},
    {"closebutton", Element::CloseButton},
    {"statusbar", Element::StatusBar},
};

// Transparent pixels of skin images are painted opaque magenta.
constexpr uint32_t skinColourKey = 0xFFFF00FF;
// Font faces longer than this do not fit a font description.
constexpr size_t maxFaceLength = 31;

// An optional sign and the leading digits; anything else reads as 0. Out-of-range values are
// held at the ends of the 32-bit range.
int32_t ReadNumber(std::string_view text) {
    std::string copy(text);
    errno = 0;
    long long value = std::strtoll(copy.c_str(), nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// A hexadecimal colour as "%x" reads it; unreadable gives 0.
uint32_t ReadHex(std::string_view text) {
    std::string copy(text);
    unsigned int value = 0;
    if (std::sscanf(copy.c_str(), "%x", &value) != 1) return 0;
    return value;
}

// The value split at commas, empty pieces skipped.
std::vector<std::string_view> SplitTokens(std::string_view value) {
    std::vector<std::string_view> tokens;
    size_t start = 0;
    while (start <= value.size()) {
        size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) comma = value.size();
        if (comma > start) tokens.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
    return tokens;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

} // namespace

void GuiManager::LoadSkin(const std::string& name, DirectXLib* newDirectX, InputLib* newInput) {
    if (newDirectX) directX = newDirectX;
    if (newInput) input = newInput;

    colours.Clear();
    for (auto& entry : fonts) ReleaseResource(entry.second.font);
    fonts.Clear();
    lastFont = nullptr;

    std::FILE* file = SystemFiles::Open(Win1252ToUtf8("skin/" + name + ".style"), "rb");
    if (!file) return;
    // Longer lines arrive in pieces of at most 999 bytes, each handled as a line of its own.
    char buffer[1000];
    while (std::fgets(buffer, sizeof buffer, file)) HandleSkinLine(buffer);
    std::fclose(file);
}

void GuiManager::HandleSkinLine(const std::string& rawLine) {
    std::string line = rawLine;
    // The line end; files written on Windows also carry a carriage return.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    size_t comment = line.find("//");
    if (comment != std::string::npos) line.erase(comment);
    // Font faces keep their case and inner spaces.
    const std::string keptLine = line;

    std::string packed;
    for (char c : line) {
        if (c == ' ' || c == '\t') continue;
        packed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    size_t equals = packed.find('=');
    if (equals == std::string::npos) return;
    const std::string key = packed.substr(0, equals);
    const std::string value = packed.substr(equals + 1);

    if (key == "image" || key == "imagealpha") {
        if (value.empty()) return;
        Texture& image = key == "image" ? skinImage : skinAlphaImage;
        image.Load("skin/" + value, skinColourKey);
        return;
    }
    if (key == "color") {
        ReadColourLine(value);
        return;
    }
    if (key == "font") {
        ReadFontLine(value, keptLine);
        return;
    }
    for (const ElementKeyword& row : elementKeywords) {
        if (key == row.keyword) {
            ReadElementLine(elements[row.element], value);
            return;
        }
    }
}

// State tokens "g(x;y)", "c(x;y)", "h(x;y)", "n(x;y)" set the source of states 0..3; number
// tokens fill width, height, first border, second border and extra in turn. Both sorts mix
// in any order; numbers beyond the fifth are ignored.
void GuiManager::ReadElementLine(SkinElement& element, const std::string& value) {
    static constexpr char statePrefixes[4] = {'g', 'c', 'h', 'n'};
    int32_t* numberFields[5] = {&element.width, &element.height, &element.firstBorder,
                                &element.secondBorder, &element.extra};
    int numbersRead = 0;
    for (std::string_view token : SplitTokens(value)) {
        int state = -1;
        for (int s = 0; s < 4; ++s) {
            if (token.size() >= 2 && token[0] == statePrefixes[s] && token[1] == '(') state = s;
        }
        if (state >= 0) {
            std::string_view inside = token.substr(2);
            size_t semicolon = inside.find(';');
            std::string_view xText = inside.substr(0, semicolon);
            std::string_view yText;
            if (semicolon != std::string_view::npos) {
                yText = inside.substr(semicolon + 1);
                yText = yText.substr(0, yText.find(')'));
            }
            element.sourceX[state] = ReadNumber(xText);
            element.sourceY[state] = ReadNumber(yText);
            continue;
        }
        if (numbersRead < 5) *numberFields[numbersRead] = ReadNumber(token);
        ++numbersRead;
    }
}

// "color = name, hexvalue": the first definition of a name in a skin wins.
void GuiManager::ReadColourLine(const std::string& value) {
    std::vector<std::string_view> tokens = SplitTokens(value);
    if (tokens.empty()) return;
    std::string name(tokens[0]);
    if (colours.Contains(name)) return;
    colours.SelectOrInsert(name) = tokens.size() > 1 ? ReadHex(tokens[1]) : 0;
}

// "font = name, face, size, bold": name, size and bold from the packed value, the face as
// written (its case and inner spaces) from between the first and second comma of the line.
void GuiManager::ReadFontLine(const std::string& value, const std::string& keptLine) {
    std::vector<std::string_view> tokens = SplitTokens(value);
    if (tokens.empty()) return;
    std::string name(tokens[0]);
    if (fonts.Contains(name)) return;

    std::string_view face;
    size_t firstComma = keptLine.find(',');
    if (firstComma != std::string::npos) {
        size_t secondComma = keptLine.find(',', firstComma + 1);
        std::string_view rest(keptLine);
        rest = rest.substr(firstComma + 1);
        if (secondComma != std::string::npos) rest = rest.substr(0, secondComma - firstComma - 1);
        face = TrimBlanks(rest);
    }
    if (face.size() > maxFaceLength) face = face.substr(0, maxFaceLength);
    int32_t size = tokens.size() > 2 ? ReadNumber(tokens[2]) : 0;
    int32_t bold = tokens.size() > 3 ? ReadNumber(tokens[3]) : 0;

    SkinFont& record = fonts.SelectOrInsert(name);
    record.size = size;
    record.bold = bold;
    record.face = std::string(face);
    record.font.Create(record.face, size, bold == 1 ? 1 : 0);
}
