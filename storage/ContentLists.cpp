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

int backgroundCount() {
    int count = 0;
    DirectoryListing listing;
    listing.setPattern(backgroundFolder.pattern);
    while (listing.next()) ++count;
    if (count == 0) FatalError(backgroundFolder.emptyMessage, backgroundFolder.line, menuModule, 0);
    return count;
}

std::string backgroundTitle(int index) {
    std::string title;
    DirectoryListing listing;
    listing.setPattern(backgroundFolder.pattern);
    for (int i = 0; listing.next(); ++i) {
        title = listing.title;
        if (i >= index) break;
    }
    return title;
}

void chooseBackground(Settings& settings, uint32_t randomValue) {
    const int count = backgroundCount();
    if (settings.backgroundKind != 2)
        settings.backgroundIndex = static_cast<int32_t>(randomValue % static_cast<uint32_t>(count));
    if (settings.backgroundIndex < 0) settings.backgroundIndex = 0;
    if (settings.backgroundIndex >= count) settings.backgroundIndex = count - 1;
    settings.backgroundName = backgroundTitle(settings.backgroundIndex);
}
