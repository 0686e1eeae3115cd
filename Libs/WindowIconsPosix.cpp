// Where executables carry no icon resources, the resources are pictures in the content's icon
// folder.
#include "Libs/WindowIcons.h"

#include <SDL.h>
#include <SDL_image.h>

#include <initializer_list>

namespace {
const char* IconFile(int resource) {
    switch (resource) {
    case 107:
        return "icon/brixel.png";
    case 108:
        return "icon/brixel-32.png";
    default:
        return nullptr;
    }
}
} // namespace

void SetWindowIcons(SDL_Window* window, int largeIcon, int smallIcon) {
    // The window system shows one icon and scales it: the large one where it can be read.
    for (int resource : {largeIcon, smallIcon}) {
        const char* file = IconFile(resource);
        SDL_Surface* icon = file ? IMG_Load(file) : nullptr;
        if (!icon) continue;
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
        break;
    }
}
