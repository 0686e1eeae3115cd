// The entry: the long-lived objects, the frame loop and the shutdown order.
#include "Libs/FatalError.h"
#include "Libs/Platform.h"
#include "app/FrameLoop.h"
#include "game/Game.h"
#include "menu/MenuSystem.h"
#include "storage/DataFolderLock.h"
#include "storage/SaveReport.h"

using Menus = MenuSystem;
using GameFlow = Game;

int main(int, char**) {
    DirectXLib directX;
    // One running game per data folder: a second one would save over the first one's files.
    DataFolderLock dataLock;
    if (dataLock.take() == DataFolderLock::HeldElsewhere) {
        LanguageTable language;
        loadChosenLanguage(language);
        directX.ShowMessage(language.Text(807), language.Text(808), false);
        return 1; // nothing was written
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
