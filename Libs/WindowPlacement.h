#pragma once

// Where the game's window opens: the picture's proportions kept, as large as the screen's work
// area allows up to the size a player would choose (the picture's own size times the screen's
// scale), and moved as little as needed so that the whole window, frame included, lies inside
// the work area. All sizes are screen pixels.
struct ScreenArea {
    int x = 0, y = 0, width = 0, height = 0;
};

// The window frame's thickness on each side (title bar on top).
struct WindowFrame {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// pictureWidth x pictureHeight is the picture (1024 x 768); offset is where the window's inside
// goes relative to the work area's corner when there is room (50, 50); scale is the screen's
// scaling factor (1 at 96 dpi, 1.5 at 144 dpi). Returns the inside of the window.
ScreenArea FitWindow(int pictureWidth, int pictureHeight, int offset, double scale,
                     const ScreenArea& workArea, const WindowFrame& frame);
