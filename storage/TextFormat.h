#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One value for FormatText: a signed or unsigned number or a text.
struct FormatArg {
    enum Kind { Signed, Unsigned, Text };

    FormatArg(int value) : kind(Signed), number(value) {}
    FormatArg(unsigned value) : kind(Unsigned), number(value) {}
    FormatArg(const char* value) : kind(Text), text(value ? value : "") {}
    FormatArg(const std::string& value) : kind(Text), text(value) {}

    Kind kind;
    int64_t number = 0;
    std::string_view text;
};

// Fills a text that may come from a language file, safely. Only %s, %d, %i, %u and %% are
// conversions: each takes the next value in order; %s wants a text, %d %i %u a number (%u shows
// it as a 32-bit unsigned value). A conversion without a value, or whose value is of the other
// kind, is shown as it stands (its value is still used up); anything else after a "%" (flags,
// widths, %n, a lone "%") is shown as it stands too. Surplus values are ignored.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);
