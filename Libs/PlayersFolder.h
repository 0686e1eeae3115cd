#pragma once
#include <string>

// The folder the system keeps for this player's own data of the game, whether it exists yet or
// not: "%LOCALAPPDATA%\brixel" on Windows, "$XDG_DATA_HOME/brixel" (or
// "~/.local/share/brixel") elsewhere, the place the installed launcher also uses. UTF-8,
// without a separator at the end; empty when the system names no such place.
std::string PlayersFolder();
