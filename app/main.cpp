// The entry: the long-lived objects, the frame loop and the shutdown order.
#include "Libs/DataFolder.h"
#include "Libs/FatalError.h"
#include "Libs/Platform.h"
#include "Libs/PlayersFolder.h"
#include "app/FrameLoop.h"
#include "game/Game.h"
#include "menu/MenuSystem.h"
#include "storage/DataFolderChoice.h"
#include "storage/DataFolderLock.h"
#include "storage/SaveReport.h"

using Menus = MenuSystem;
using GameFlow = Game;

int main(int, char**) {
    DirectXLib directX;
    // Everything written goes beside the game where that can be written, else into the
    // player's own folder; chosen before anything is read or written.
    const DataFolderChoice data = chooseDataFolder(PlayersFolder());
    DataFolder::SetRoot(data.root);
    // One running game per data folder: a second one would save over the first one's files.
    DataFolderLock dataLock;
    if (dataLock.take() == DataFolderLock::HeldElsewhere) {
        LanguageTable language;
        loadChosenLanguage(language);
        directX.ShowMessage(language.Text(807), language.Text(808), false);
        return 1; // nothing was written
    }
    if (data.tellPlayer) {
        // Once: the saves kept beside the game come along, and the player learns where they are.
        const int copied = bringOverSavedFiles(data);
        LanguageTable language;
        loadChosenLanguage(language);
        const std::string notice =
            dataFolderNotice(data, copied, [&](int id) { return language.Text(id); });
        directX.ShowMessage(language.Text(820), notice, false);
        rememberPlayerTold(data);
    }
    InputLib input;
    SoundLib sound;

    directX.CreateMainWindow("brixel", 107, 108, 1, "1.2");
    directX.InitDirect3D(1024, 768, 32, 2);
    input.Init();
    sound.Init(1);
    {
        Menus menus;
        menus.build(directX, input);
        GameFlow game;
        game.setup(menus);

        FrameLoop<DirectXLib, InputLib, Menus, GameFlow> loop(directX, input, menus, game);
        loop.Start();
        loop.Run();

        const std::vector<SaveFailure> failures = menus.saveSettings();
        if (!failures.empty()) {
            // The old files are still there; the player should know this session's are not.
            const std::string report =
                saveFailureText(failures, [&](int id) { return menus.text(id); });
            LogErrorEntry(report);
            directX.ShowMessage(menus.text(800), report, true);
        }
    } // the game goes first, then the menus
    sound.Shutdown();
    input.Release();
    return 0; // the platform object goes last
}
