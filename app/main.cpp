// The entry: the long-lived objects, the frame loop and the shutdown order.
#include "Libs/Platform.h"
#include "app/FrameLoop.h"
#include "game/Game.h"
#include "menu/MenuSystem.h"

using Menus = MenuSystem;
using GameFlow = Game;

int main(int, char**) {
    DirectXLib directX;
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

        menus.saveSettings();
    } // the game goes first, then the menus
    sound.Shutdown();
    input.Release();
    return 0; // the platform object goes last
}
