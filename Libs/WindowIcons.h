#pragma once

struct SDL_Window;

// Gives the main window the executable's icons, by resource number (107 large, 108 small).
void SetWindowIcons(SDL_Window* window, int largeIcon, int smallIcon);
