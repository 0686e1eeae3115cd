#include "Libs/WindowPlacement.h"

#include <algorithm>
#include <cmath>

ScreenArea FitWindow(int pictureWidth, int pictureHeight, int offset, double scale,
                     const ScreenArea& workArea, const WindowFrame& frame) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return {workArea.x, workArea.y, 0, 0};
    scale = std::clamp(scale, 1.0, 8.0);
    // The largest inside that fits, then at most the scaled picture, in its proportions.
    const int roomWidth = std::max(1, workArea.width - frame.left - frame.right);
    const int roomHeight = std::max(1, workArea.height - frame.top - frame.bottom);
    const double chosenWidth = std::floor(pictureWidth * scale);
    double width = std::min<double>(roomWidth, chosenWidth);
    double height = width * pictureHeight / pictureWidth;
    if (height > roomHeight) {
        height = roomHeight;
        width = height * pictureWidth / pictureHeight;
    }
    ScreenArea inside;
    inside.width = std::max(1, static_cast<int>(std::floor(width)));
    inside.height = std::max(1, static_cast<int>(std::floor(height)));

    // The offset where there is room; otherwise pushed back until the frame's far edge is
    // inside, but never past the work area's near edge.
    auto place = [](int start, int size, int offsetWanted, int nearFrame, int farFrame) {
        const int wanted = start + offsetWanted;
        const int lastFitting = start + size - farFrame;
        return std::max(start + nearFrame, std::min(wanted, lastFitting));
    };
    inside.x = place(workArea.x, workArea.width - inside.width, offset, frame.left, frame.right);
    inside.y = place(workArea.y, workArea.height - inside.height, offset, frame.top, frame.bottom);
    return inside;
}
