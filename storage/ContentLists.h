#pragma once
#include <cstdint>
#include <string>

#include "storage/KeyedTable.h"
#include "storage/Settings.h"

// The exchangeable content found by listing folders: languages, block sets, skins, backgrounds.

// Titles (file names without their ending) in byte order.
using TitleList = KeyedTable<std::string, int32_t>;

struct ContentFolder {
    const char* pattern;
    const char* emptyMessage; // the fatal error when the folder holds nothing
    int line;
};

inline constexpr ContentFolder languageFolder{"language/*.txt", "Keine Sprachen vorhanden", 23};
inline constexpr ContentFolder blockSetFolder{"images/block/*.png", "Keine Steine vorhanden", 64};
inline constexpr ContentFolder skinFolder{"skin/*.style", "Keine Skins vorhanden", 78};
inline constexpr ContentFolder backgroundFolder{"images/background/*.jpg",
                                                "Keine Hintergrundbilder vorhanden", 970};

// Fills the list with the folder's titles. An empty folder is a fatal error (module "t_menu");
// a setting that names no title becomes the first title.
void buildContentList(TitleList& list, const ContentFolder& folder, std::string& setting);

// The background pictures by title. The stored index counts in this one order everywhere (the
// settings page, the start-up, the game), and two files of one title are one picture. An empty
// folder is a fatal error.
void buildBackgroundList(TitleList& list);
// The title at `index` (0-based; past the end the last); empty for an empty list.
std::string titleAt(const TitleList& list, int index);
// Start-up choice of the background: unless backgroundKind is 2 the index becomes randomValue
// modulo the count; an index past the end becomes the last picture; the name follows the index.
void pickStartBackground(Settings& settings, const TitleList& backgrounds, uint32_t randomValue);
