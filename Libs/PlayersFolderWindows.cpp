// Windows: the player's local application data, which stays on this PC (not the roaming one,
// which a domain may copy around at every logon).
#include "Libs/PlayersFolder.h"
#include "Libs/WideText.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

std::string PlayersFolder() {
    PWSTR local = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local) == S_OK &&
        local)
        folder = Utf8FromWide(local) + "\\brixel";
    CoTaskMemFree(local);
    return folder;
}
