#pragma once
// Small readers for the committed content files, kept free of the game's own loaders so that a
// fault in either shows up as a disagreement.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace content {

// content/ + relative path.
std::string Path(const std::string& relative);
bool Exists(const std::string& relative);
// Whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& relative);
// Titles (names up to the first dot) of the files in content/<folder> with this extension.
std::vector<std::string> Titles(const std::string& folder, const std::string& extension);

struct ImageSize {
    int width = 0;
    int height = 0;
    std::string format; // "png", "bmp", "jpeg", or empty when the header is not recognised
    bool alpha = false; // a PNG with an alpha channel
};
// Reads the size from the file's own header (PNG IHDR, BMP info header, JPEG frame marker).
ImageSize ReadImageSize(const std::string& relative);

// An "id=text" file as the game reads it: the id is the decimal number before the first "=",
// the text all after it; a later line replaces an earlier one; lines without "=" are ignored.
std::map<int, std::string> ReadLanguage(const std::string& relative);

// The conversions of a format text in order: 's' for %s, 'd' for %d and %i, 'u' for %u;
// "%%" is a plain percent sign; any other '%' gives '?'.
std::string Conversions(const std::string& text);

} // namespace content
