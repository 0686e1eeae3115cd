#include "storage/ProfileList.h"

#include "Libs/Win1252.h"
#include "storage/ProfileStore.h"

#include "Libs/SystemFiles.h"

PlayerProfile* addProfile(ProfileList& profiles, const std::string& name) {
    if (profiles.Contains(name)) return nullptr;
    PlayerProfile& profile = profiles.SelectOrInsert(name);
    profile.name = name;
    return &profile;
}

PlayerProfile* findProfile(ProfileList& profiles, const std::string& name, int step) {
    if (!profiles.Contains(name)) return nullptr;
    if (step == 0) return profiles.Select(name);
    if (step > 0) {
        profiles.Select(name);
        return profiles.Next() ? profiles.CurrentValue() : profiles.First();
    }
    std::string previous;
    bool hasPrevious = false;
    for (const auto& [key, value] : profiles) {
        if (key == name) break;
        previous = key;
        hasPrevious = true;
    }
    return hasPrevious ? profiles.Select(previous) : profiles.Last();
}

bool renameProfileEntry(ProfileList& profiles, const std::string& oldName,
                        const std::string& newName) {
    if (!profiles.Rename(oldName, newName)) return false;
    profiles.Find(newName)->name = newName;
    return true;
}

namespace {

// A file that could not be loaded keeps its name: a profile saved under it would overwrite it.
bool nameTaken(const ProfileList& profiles, const std::string& name, const PlayerProfile* self) {
    for (const auto& [key, profile] : profiles)
        if (&profile != self && sameNameIgnoringCase(key, name)) return true;
    for (const std::string& unreadable : profiles.unreadableNames)
        if (sameNameIgnoringCase(unreadable, name)) return true;
    return false;
}

} // namespace

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Win1252Lower(static_cast<unsigned char>(a[i])) !=
            Win1252Lower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool isValidProfileName(const ProfileList& profiles, const std::string& name,
                        const PlayerProfile* self) {
    return isFileSafeName(name) && name.size() <= maxProfileNameLength &&
           !nameTaken(profiles, name, self);
}

PlayerProfile* createProfile(ProfileList& profiles, const std::string& baseName) {
    for (int n = 1;; ++n) {
        const std::string name = baseName + " " + std::to_string(n);
        if (!nameTaken(profiles, name, nullptr)) return addProfile(profiles, name);
    }
}

int deleteProfile(ProfileList& profiles, PlayerProfile* profile, PlayerProfile*& player1,
                  PlayerProfile*& player2, PlayerProfile*& managedPlayer) {
    // Two players each need a profile of their own, so the last two stay.
    if (!profile || profiles.Count() <= 2 || profiles.Find(profile->name) != profile)
        return DeleteRefused;
    const std::string name = profile->name;
    auto after = [&](PlayerProfile* p) { return findProfile(profiles, p->name, +1); };
    int result = Deleted;
    if (player1 == profile) {
        player1 = after(player1);
        result |= DeletedPlayer1;
    }
    if (player1 == player2) player1 = after(player1);
    if (player2 == profile) {
        player2 = after(player2);
        result |= DeletedPlayer2;
    }
    if (player2 == player1) player2 = after(player2);
    managedPlayer = after(profile);
    profiles.Remove(name);
    deleteProfileFile(name);
    return result;
}

bool renameProfile(ProfileList& profiles, PlayerProfile* profile, const std::string& newName) {
    if (!profile || profiles.Find(profile->name) != profile) return false;
    if (newName == profile->name) return true;
    if (!isValidProfileName(profiles, newName, profile)) return false;
    const std::string oldName = profile->name;
    if (!renameProfileEntry(profiles, oldName, newName)) return false;
    // Where the file system ignores letter case, "anna" and "Anna" are one file: it takes the
    // new spelling and is written over; deleting "the old one" would delete the profile.
    const std::string oldPath = profilePath(oldName), newPath = profilePath(newName);
    if (SystemFiles::SameFile(oldPath, newPath)) {
        SystemFiles::Replace(oldPath, newPath);
        saveProfile(*profile);
        return true;
    }
    // The old file goes only once the record is safe under its new name.
    if (saveProfile(*profile)) deleteProfileFile(oldName);
    return true;
}
