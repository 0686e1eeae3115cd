#include "Libs/FrameComposer.h"

#include <algorithm>
#include <cmath>

void FrameComposer::SetWorkers(int count) {
    Flush();
    count = ComposeWorkers::ThreadsFor(count);
    if (count > workers.Count()) workers.Start(count);
    workersInUse = count;
}

void FrameComposer::SetTarget(const PixelBlock& picture) {
    items.clear();
    itemRows.clear();
    target = picture;
}

void FrameComposer::Add(const Item& item) {
    if (!target.pixels) return;
    if (items.size() >= MostItems) Flush();
    const Rows rows = RowsOf(item);
    if (rows.top >= rows.bottom) return; // changes nothing
    items.push_back(item);
    itemRows.push_back(rows);
}

FrameComposer::Rows FrameComposer::RowsOf(const Item& item) const {
    Rows rows{0, target.height};
    switch (item.kind) {
    case FillItem:
        break;
    case QuadItem:
        if (item.rotation == 0.0f) {
            rows = {item.y, int(std::min<int64_t>(int64_t(item.y) + item.h, target.height))};
        } else {
            // Turned any way, a quad stays within half its width and height of its centre.
            const double centre = item.y + item.h / 2.0, reach = (item.w + item.h) / 2.0;
            rows = {int(std::floor(centre - reach)) - 1, int(std::ceil(centre + reach)) + 1};
        }
        break;
    case LineItem: {
        const Rect bounds = LineBounds(item.line);
        return {std::max(bounds.top, 0), std::min(bounds.bottom, target.height)};
    }
    }
    return {std::max({rows.top, item.clip.top, 0}),
            std::min({rows.bottom, item.clip.bottom, target.height})};
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
    // A plain opaque quad over the whole picture hides everything drawn before it (a clear
    // under a full-screen background): that work is dropped, not done.
    const bool plain = !additive && rotation == 0.0f && (colour >> 24) == 0xFFu && image.opaque;
    if (plain && CoversPicture(x, y, w, h, clip)) {
        items.clear();
        itemRows.clear();
    }
    Add(item);
}

bool FrameComposer::CoversPicture(int x, int y, int w, int h, const Rect& clip) const {
    return x <= 0 && y <= 0 && clip.left <= 0 && clip.top <= 0 && int64_t(x) + w >= target.width &&
           int64_t(y) + h >= target.height && clip.right >= target.width &&
           clip.bottom >= target.height;
}

void FrameComposer::Line(const LineShape& line) {
    Item item{};
    item.kind = LineItem;
    item.line = line;
    Add(item);
}

void FrameComposer::DrawBand(int top, int bottom) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (itemRows[i].bottom <= top || itemRows[i].top >= bottom) continue;
        const Item& item = items[i];
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
        const int bands = workersInUse == 1 ? 1 : workersInUse * BandsPerWorker;
        const int height = target.height;
        workers.Run(
            bands,
            [this, bands, height](int band) {
                DrawBand(int(int64_t(height) * band / bands),
                         int(int64_t(height) * (band + 1) / bands));
            },
            workersInUse);
    }
    items.clear();
    itemRows.clear();
}
