#pragma once
#include <string>

// Whether a file name in "data" is one the game saves: "brixel.ini", a profile, its copies and
// its kept damaged versions (which may carry a number).
bool isSavedFileName(std::string name);

// Whether a file name in "data" is one a save leaves behind when the game stops in the middle of
// it: the temporary file of a profile, of its copies or of the settings file, named
// "<target>.brixel-tmp-XXXXXX" (six letters or digits) beside its target. No other name is one:
// "Anna.user.backup" or "brixel.ini.240607" are the player's own.
bool isInterruptedSaveName(const std::string& fileName);

// Removes every such file from "data", and nothing else. Run at start, before anything there is
// loaded.
void removeInterruptedSaves();
