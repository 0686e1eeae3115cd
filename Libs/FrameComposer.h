#pragma once
#include "Libs/ComposeWorkers.h"
#include "Libs/LineRaster.h"
#include "Libs/QuadCompositor.h"
#include "Libs/Rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What a frame draws, kept in order and carried out at the frame's end, the picture's rows
// divided among the workers: each worker draws every item, but only into its own band of
// rows, so the picture is the same for any number of workers.
class FrameComposer {
public:
    // A frame drawing more than this many items has the first ones carried out early, which
    // keeps the list's memory bounded.
    static constexpr size_t MostItems = 1 << 16;
    static constexpr int BandsPerWorker = 4;

    FrameComposer() = default;
    FrameComposer(const FrameComposer&) = delete;
    FrameComposer& operator=(const FrameComposer&) = delete;

    // count workers, the calling thread included; 0 = one per core. Threads are made when more
    // are asked for than there are, and kept when fewer are: asking for fewer only leaves some
    // idle, so switching costs nothing.
    void SetWorkers(int count);
    int Workers() const { return workersInUse; }
    // The picture drawn into; what was kept for the previous one is dropped.
    void SetTarget(const PixelBlock& picture);

    void Fill(const Rect& area, uint32_t colour);
    void Quad(const PixelBlock& image, const Rect& source, int x, int y, int w, int h,
              uint32_t colour, float rotation, bool additive, const Rect& clip);
    void Line(const LineShape& line);

    // Carries out everything kept so far. Needed before the picture is read and before an
    // image that was drawn is freed.
    void Flush();
    size_t Pending() const { return items.size(); }

private:
    enum Kind : uint8_t { FillItem, QuadItem, LineItem };
    struct Item {
        Kind kind;
        bool additive;
        uint32_t colour;
        float rotation;
        int x, y, w, h;
        Rect clip;
        Rect source;
        PixelBlock image;
        LineShape line;
    };
    // The rows an item may change, kept apart from the items so that a band skips the ones
    // outside it by reading a few bytes each.
    struct Rows {
        int top, bottom;
    };
    void Add(const Item& item);
    Rows RowsOf(const Item& item) const;
    // Whether the quad (x, y, w, h) within clip reaches every pixel of the picture.
    bool CoversPicture(int x, int y, int w, int h, const Rect& clip) const;
    void DrawBand(int top, int bottom);

    PixelBlock target;
    std::vector<Item> items;
    std::vector<Rows> itemRows;
    ComposeWorkers workers;
    int workersInUse = 1;
};
