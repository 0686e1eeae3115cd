#pragma once
#include <string>
#include <vector>

#include "storage/AtomicFile.h"
#include "storage/PlayerProfile.h"

// The profile files: "data/<name>.user" (the name in UTF-8 on disk), with the copies ".bak"
// (current format), ".bak2" (legacy format) and ".user.damaged" (a file whose checksum failed)
// made at loading.

// Whether the name can be a file name inside "data" on every system: not empty, no folder
// separator, no control character, none of the bytes Windows-1252 leaves undefined (they would
// not come back), not a name Windows reserves, and short enough that every file made from it,
// temporary ones included, fits the file systems' 255 limit.
bool isFileSafeName(const std::string& name);
// CON, PRN, AUX, NUL, COM0-9 and LPT0-9 in any letter case, also followed by a dot and more or
// by spaces: Windows opens a device instead of a file, so no save under such a name succeeds.
bool isReservedOnWindows(const std::string& name);
// Whether "<name>.user.damaged99.brixel-tmp-XXXXXX", the longest file name made from the
// name, fits the limit of 255 bytes (Windows counts UTF-16 units, never more than the bytes).
bool fitsFileNameLimit(const std::string& name);

// The file of a profile name with the ending (".user", ".bak", ".bak2").
std::string profilePath(const std::string& name, const char* ending = ".user");

// Loads every "data/*.user" into the list: current files (with a ".bak" copy) and 148-byte legacy
// files (with a ".bak2" copy). Unreadable files, files longer than any profile and anything but
// a regular file are passed over and left as they are, their copies too; their names go to the
// list's unreadable names. Files under a name that is not file-safe are not loaded either. A
// checksum mismatch first keeps the damaged bytes beside the file ("<name>.user.damaged", then
// ".damaged2" and on for each other damaged version; read back to be sure; never replaced,
// never loaded); when that fails the profile is not loaded this time and its name stays taken.
// The profile then goes on from its copy when that reads cleanly, else with its statistics and
// tables cleared. A copy that does not read cleanly is kept the same way before it is replaced.
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

// Reads a "<name>.user" file as loading does: nothing (0) when the name is not file-safe, or
// when the file is a legacy one under a name longer than the old format allowed; else as
// loadProfileFile. The game's loader and profile-check both decide by this.
int readUnderName(const std::string& path, const std::string& name, PlayerProfile& profile);

// Creates "data" and replaces the profile's file whole; false (the old file untouched, problem
// set) when it could not be written or the name is not file-safe.
bool saveProfile(const PlayerProfile& profile, SaveProblem* problem = nullptr);
bool writeProfileFile(const std::string& path, const PlayerProfile& profile,
                      SaveProblem* problem = nullptr);
// Every profile in list order; the files that could not be saved, and why.
std::vector<SaveFailure> saveProfiles(const ProfileList& profiles);
// Deletes "data/<name>.user"; its copies stay.
bool deleteProfileFile(const std::string& name);
