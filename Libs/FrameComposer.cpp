#include "Libs/FrameComposer.h"

#include <algorithm>

void FrameComposer::SetWorkers(int count) {
    Flush();
    workers.Start(count);
}

void FrameComposer::SetTarget(const PixelBlock& picture) {
    items.clear();
    target = picture;
}

void FrameComposer::Add(const Item& item) {
    if (!target.pixels) return;
    if (items.size() >= MostItems) Flush();
    items.push_back(item);
}

void FrameComposer::Fill(const Rect& area, uint32_t colour) {
    Item item{};
    item.kind = FillItem;
    item.clip = area;
    item.colour = colour;
    Add(item);
}

void FrameComposer::Quad(const PixelBlock& image, const Rect& source, int x, int y, int w, int h,
                         uint32_t colour, float rotation, bool additive, const Rect& clip) {
    Item item{};
    item.kind = QuadItem;
    item.image = image;
    item.source = source;
    item.x = x;
    item.y = y;
    item.w = w;
    item.h = h;
    item.colour = colour;
    item.rotation = rotation;
    item.additive = additive;
    item.clip = clip;
    Add(item);
}

void FrameComposer::Line(const LineShape& line) {
    Item item{};
    item.kind = LineItem;
    item.line = line;
    Add(item);
}

void FrameComposer::DrawBand(int top, int bottom) {
    for (const Item& item : items) {
        Rect clip = item.kind == LineItem ? Rect{0, 0, target.width, target.height} : item.clip;
        clip.top = std::max(clip.top, top);
        clip.bottom = std::min(clip.bottom, bottom);
        if (clip.top >= clip.bottom) continue;
        switch (item.kind) {
        case FillItem: {
            const int left = std::max(clip.left, 0), right = std::min(clip.right, target.width);
            for (int y = clip.top; y < clip.bottom && left < right; ++y)
                std::fill(target.pixels + size_t(y) * target.pitch + left,
                          target.pixels + size_t(y) * target.pitch + right, item.colour);
            break;
        }
        case QuadItem:
            CompositeQuad(target, item.image, item.source, item.x, item.y, item.w, item.h,
                          item.colour, item.rotation, item.additive, clip);
            break;
        case LineItem:
            PaintLine(target, item.line, clip);
            break;
        }
    }
}

void FrameComposer::Flush() {
    if (items.empty()) return;
    if (target.pixels) {
        // Several bands per thread: whoever is free takes the next, so a thread that starts late
        // or meets a busy band costs the frame little.
        const int workerCount = workers.Count();
        const int bands = workerCount == 1 ? 1 : workerCount * BandsPerWorker;
        const int height = target.height;
        workers.Run(bands, [this, bands, height](int band) {
            DrawBand(int(int64_t(height) * band / bands),
                     int(int64_t(height) * (band + 1) / bands));
        });
    }
    items.clear();
}
