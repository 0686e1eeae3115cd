#include "storage/TextFormat.h"

#include <string>

namespace {

// The conversions a language text may use; every other "%" sequence is plain text.
bool isConversion(char c) {
    return c == 's' || c == 'd' || c == 'i' || c == 'u';
}

// Appends the value for the conversion, or false when the value is of the other kind.
bool appendValue(std::string& out, char conversion, const FormatArg& arg) {
    if (conversion == 's') {
        if (arg.kind != FormatArg::Text) return false;
        out.append(arg.text);
        return true;
    }
    if (arg.kind == FormatArg::Text) return false;
    if (conversion == 'u')
        out += std::to_string(static_cast<uint32_t>(arg.number));
    else
        out += std::to_string(arg.number);
    return true;
}

} // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    const FormatArg* next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        const char conversion = format[i + 1];
        if (conversion == '%') {
            out += '%';
            ++i;
            continue;
        }
        if (!isConversion(conversion)) {
            out += c; // shown as it stands; the next character is copied on its own turn
            continue;
        }
        ++i;
        const bool filled = next != args.end() && appendValue(out, conversion, *next);
        if (next != args.end()) ++next;
        if (!filled) {
            out += '%';
            out += conversion;
        }
    }
    return out;
}
