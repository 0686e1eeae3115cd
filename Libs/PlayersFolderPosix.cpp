// Linux and the other POSIX systems: the XDG base directories.
#include "Libs/PlayersFolder.h"

#include <cstdlib>

std::string PlayersFolder() {
    // Only an absolute XDG_DATA_HOME counts; a relative one is to be ignored.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/brixel";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/brixel";
    return "";
}
