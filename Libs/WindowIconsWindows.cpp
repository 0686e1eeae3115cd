// On Windows the icons are resources of the executable (app/brixel.rc): the large one for the
// task switcher, the small one for the title bar and the task bar.
#include "Libs/WindowIcons.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <windows.h>

void SetWindowIcons(SDL_Window* window, int largeIcon, int smallIcon) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS) return;
    HINSTANCE module = GetModuleHandleW(nullptr);
    const struct {
        int resource;
        WPARAM which;
        int metric;
    } icons[] = {{largeIcon, ICON_BIG, SM_CXICON}, {smallIcon, ICON_SMALL, SM_CXSMICON}};
    for (const auto& icon : icons) {
        const int size = GetSystemMetrics(icon.metric);
        HANDLE handle = LoadImageW(module, MAKEINTRESOURCEW(icon.resource), IMAGE_ICON, size, size,
                                   LR_DEFAULTCOLOR);
        if (handle)
            SendMessageW(info.info.win.window, WM_SETICON, icon.which,
                         reinterpret_cast<LPARAM>(handle));
    }
}
