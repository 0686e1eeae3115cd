// The menus' side of the profiles, settings and content lists.
#include "menu/MenuSystem.h"

#include "Libs/Win1252.h"
#include "game/Random.h"
#include "menu/KeyNameTexts.h"
#include "storage/ContentLists.h"
#include "storage/ProfileList.h"
#include "storage/ProfileStore.h"

void MenuSystem::loadProfilesAndSettings() {
    loadSettings(settings, profiles);
}

std::vector<SaveFailure> MenuSystem::saveProfilesAndSettings() {
    return ::saveSettings(settings, profiles, player1, player2, managedPlayer);
}

void MenuSystem::loadLanguage() {
    buildContentList(languages, languageFolder, settings.languageName);
    // The title is in the game's code page; the file layer takes UTF-8.
    language.Load(Win1252ToUtf8("language/" + settings.languageName + ".txt"));
    NameKeysInLanguage(*input, language);
}

void MenuSystem::resolvePlayersAndBackground() {
    resolvePlayers(profiles, settings, player1, player2, managedPlayer);
    buildBackgroundList(backgrounds);
    pickStartBackground(settings, backgrounds, static_cast<uint32_t>(Random::Draw()));
}

void MenuSystem::buildBlockSetList() {
    buildContentList(blockSets, blockSetFolder, settings.blockSetName);
}

void MenuSystem::buildSkinList() {
    buildContentList(skins, skinFolder, settings.skinName);
}

void MenuSystem::fillPlayerNames() {
    playerNames.Clear();
    for (auto& entry : profiles) playerNames.SelectOrInsert(entry.first);
}

PlayerProfile* MenuSystem::createPlayer() {
    PlayerProfile* created = createProfile(profiles, text(102));
    if (created != nullptr) playerNames.SelectOrInsert(created->name);
    return created;
}

// Deletes the managed profile; a paused game that loses one of its players is abandoned.
void MenuSystem::deletePlayer() {
    const std::string name = managedPlayer->name;
    const int result = deleteProfile(profiles, managedPlayer, player1, player2, managedPlayer);
    if (result == DeleteRefused) return;
    if (result & DeletedPlayer1) pausedGame = 0;
    if ((result & DeletedPlayer2) && pausedGame == 2 && settings.twoPlayerMode == 0) pausedGame = 0;
    playerNames.Remove(name);
    refreshPlayerPanels();
}

void MenuSystem::renamePlayer(const std::string& newName) {
    const std::string oldName = managedPlayer->name;
    if (!renameProfile(profiles, managedPlayer, newName)) return;
    playerNames.Remove(oldName);
    playerNames.SelectOrInsert(managedPlayer->name);
}

bool MenuSystem::isNameFree(const std::string& name, const PlayerProfile* own) const {
    return isValidProfileName(profiles, name, own);
}

PlayerProfile* MenuSystem::nextProfile(const PlayerProfile* profile) {
    PlayerProfile* next = findProfile(profiles, profile->name, 1);
    return next != nullptr ? next : profiles.First();
}
