#pragma once
#include <string>

#include "storage/PlayerProfile.h"

// The profile files: "data/<name>.user" (the name in UTF-8 on disk), with the copies ".bak"
// (current format), ".bak2" (legacy format) and ".user.damaged" (a file whose checksum failed)
// made at loading.

// Whether the name can be a file name inside "data": not empty, no folder separator, no control
// character and none of the bytes Windows-1252 leaves undefined (they would not come back).
bool isFileSafeName(const std::string& name);

// The file of a profile name with the ending (".user", ".bak", ".bak2").
std::string profilePath(const std::string& name, const char* ending = ".user");

// Loads every "data/*.user" into the list: current files (with a ".bak" copy) and 148-byte legacy
// files (with a ".bak2" copy). Unreadable files, and files longer than any profile, are passed
// over and left as they are, their copies too; their names go to the list's unreadable names. A
// checksum mismatch keeps the profile with its statistics and tables cleared, and the damaged
// file once as "<name>.user.damaged" (never replaced, never loaded).
void loadProfiles(ProfileList& profiles);

// Reads one current-format file into the record (all but its name). 0: not loaded; 1: loaded;
// 2: loaded but the checksum failed (statistics and tables cleared).
int readProfileFile(const std::string& path, PlayerProfile& profile);
// Reads one legacy 148-byte file into the record; the answers of readProfileFile (0 when it
// cannot be read whole, 2 when its check value failed and the statistics were cleared).
int readLegacyProfileFile(const std::string& path, PlayerProfile& profile);
// Reads a file as loading does: a 148-byte file as a legacy one, a file longer than any profile
// not at all (0), any other as a current one. The answers of readProfileFile.
int loadProfileFile(const std::string& path, PlayerProfile& profile);

// Creates "data" and replaces the profile's file whole; false (the old file untouched) when it
// could not be written or the name is not file-safe.
bool saveProfile(const PlayerProfile& profile);
bool writeProfileFile(const std::string& path, const PlayerProfile& profile);
// Every profile in list order.
void saveProfiles(const ProfileList& profiles);
// Deletes "data/<name>.user"; its copies stay.
bool deleteProfileFile(const std::string& name);
