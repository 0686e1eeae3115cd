// Lines of DirectXLib: anti-aliased, of any width, solid or patterned, drawn into the back
// buffer with the rest of the frame.
#include "Libs/DirectXLib.h"

#include "Libs/LineRaster.h"

void DirectXLib::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour, float width,
                          uint32_t pattern, float scale) {
    if (!frame || (colour >> 24) == 0) return;
    composer.Line(MakeLine(x1, y1, x2, y2, colour, width, pattern, scale));
}
