#include "ContentFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace content {

std::string Path(const std::string& relative) {
    return std::string(BRIXEL_SOURCE_DIR) + "/content/" + relative;
}

bool Exists(const std::string& relative) {
    std::error_code error;
    return std::filesystem::is_regular_file(Path(relative), error);
}

std::string ReadBytes(const std::string& relative) {
    std::ifstream in(Path(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> Titles(const std::string& folder, const std::string& extension) {
    std::vector<std::string> titles;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Path(folder), error)) {
        std::string name = entry.path().filename().string();
        size_t dot = name.find('.');
        if (dot != std::string::npos && name.substr(dot) == extension) {
            titles.push_back(name.substr(0, dot));
        }
    }
    std::sort(titles.begin(), titles.end());
    return titles;
}

namespace {

uint32_t BigEndian(const std::string& b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = (value << 8) | static_cast<uint8_t>(b[at + i]);
    }
    return value;
}

int32_t LittleEndian32(const std::string& b, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(b[at + i]);
    }
    return static_cast<int32_t>(value);
}

} // namespace

ImageSize ReadImageSize(const std::string& relative) {
    const std::string b = ReadBytes(relative);
    ImageSize size;
    if (b.size() >= 26 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 &&
        b.compare(12, 4, "IHDR") == 0) {
        size = {static_cast<int>(BigEndian(b, 16, 4)), static_cast<int>(BigEndian(b, 20, 4)),
                "png"};
        uint8_t colourType = static_cast<uint8_t>(b[25]);
        size.alpha = colourType == 4 || colourType == 6;
    } else if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
        size = {LittleEndian32(b, 18), std::abs(LittleEndian32(b, 22)), "bmp"};
    } else if (b.size() >= 4 && static_cast<uint8_t>(b[0]) == 0xFF &&
               static_cast<uint8_t>(b[1]) == 0xD8) {
        // Walk the marker segments up to the first start-of-frame.
        size_t at = 2;
        while (at + 9 < b.size() && static_cast<uint8_t>(b[at]) == 0xFF) {
            uint8_t marker = static_cast<uint8_t>(b[at + 1]);
            uint32_t length = BigEndian(b, at + 2, 2);
            if (marker >= 0xC0 && marker <= 0xC3) {
                size = {static_cast<int>(BigEndian(b, at + 7, 2)),
                        static_cast<int>(BigEndian(b, at + 5, 2)), "jpeg"};
                break;
            }
            at += 2 + length;
        }
    }
    return size;
}

std::map<int, std::string> ReadLanguage(const std::string& relative) {
    std::map<int, std::string> texts;
    std::istringstream in(ReadBytes(relative));
    std::string line;
    while (std::getline(in, line)) {
        size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        texts[std::atoi(line.substr(0, equals).c_str())] = line.substr(equals + 1);
    }
    return texts;
}

std::string Conversions(const std::string& text) {
    std::string kinds;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            continue;
        }
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next == '%') {
            ++i;
        } else if (next == 's' || next == 'u') {
            kinds += next;
            ++i;
        } else if (next == 'd' || next == 'i') {
            kinds += 'd';
            ++i;
        } else {
            kinds += '?';
        }
    }
    return kinds;
}

} // namespace content
