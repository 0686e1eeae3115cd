#include "storage/ContentLists.h"

#include "Libs/FatalError.h"
#include "storage/DirectoryListing.h"

namespace {
constexpr const char* menuModule = "t_menu";
} // namespace

void buildContentList(TitleList& list, const ContentFolder& folder, std::string& setting) {
    list.Clear();
    bool settingFound = false;
    DirectoryListing listing;
    listing.setPattern(folder.pattern);
    while (listing.next()) {
        list.SelectOrInsert(listing.title);
        if (listing.title == setting) settingFound = true;
    }
    if (list.Count() == 0) FatalError(folder.emptyMessage, folder.line, menuModule, 0);
    if (!settingFound) setting = list.begin()->first;
}

void buildBackgroundList(TitleList& list) {
    std::string noSetting;
    buildContentList(list, backgroundFolder, noSetting);
}

std::string titleAt(const TitleList& list, int index) {
    std::string title;
    int i = 0;
    for (const auto& entry : list) {
        title = entry.first;
        if (i++ == index) break;
    }
    return title;
}

void pickStartBackground(Settings& settings, const TitleList& backgrounds, uint32_t randomValue) {
    const int count = backgrounds.Count();
    if (count == 0) return;
    if (settings.backgroundKind != 2)
        settings.backgroundIndex = static_cast<int32_t>(randomValue % static_cast<uint32_t>(count));
    if (settings.backgroundIndex < 0) settings.backgroundIndex = 0;
    if (settings.backgroundIndex >= count) settings.backgroundIndex = count - 1;
    settings.backgroundName = titleAt(backgrounds, settings.backgroundIndex);
}
