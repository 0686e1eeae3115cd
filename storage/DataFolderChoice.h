#pragma once
#include <functional>
#include <string>

// Where the game keeps what it writes. Beside the game (its working folder), as it always has,
// wherever that folder can be written; where it cannot (unzipped into Program Files, a read-only
// medium, a folder of another user) in the player's own folder instead. The content is read
// beside the game either way.
struct DataFolderChoice {
    std::string root;             // for DataFolder::SetRoot: "" beside the game, else the player's
    bool inPlayersFolder = false; // the game's folder could not be written
    bool tellPlayer = false;      // in the player's folder, and the player was never told so
};

// Whether files can be made in "<folder>data" (made when missing), found by making one and
// removing it again: permission bits do not tell about a read-only medium, nor about root.
bool canWriteInside(const std::string& folder);

// The one choice, made at start: the working folder when canWrite("") says so, else
// playersFolder (made with its "data" when missing) when that can be written, else the working
// folder after all (every save then fails and says so).
DataFolderChoice
chooseDataFolder(const std::string& playersFolder,
                 const std::function<bool(const std::string&)>& canWrite = canWriteInside);

// The first time in the player's folder: the saved files of the game's own "data" (settings,
// profiles, their copies) are copied into the chosen folder's "data", none over a file there
// already, each whole or not at all, so players and records kept beside a game that has since
// become read-only are not lost. The number of files copied.
int bringOverSavedFiles(const DataFolderChoice& choice);

// Remembers in the player's folder that the player has been told, so it is said once.
bool rememberPlayerTold(const DataFolderChoice& choice);

// The marker that remembers it, inside the chosen folder.
inline constexpr const char* toldMarkerName = "data/where-your-data-is.txt";

// What the player is told (Windows-1252, texts 821 and 822 of the language): why the data is in
// the player's folder, where it is, and whether the saved files came along. Title: text 820.
std::string dataFolderNotice(const DataFolderChoice& choice, int copied,
                             const std::function<std::string(int)>& text);
