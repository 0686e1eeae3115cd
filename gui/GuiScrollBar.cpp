// The vertical scroll bar that combo box dropdowns and tables share.
#include "Libs/Platform.h"
#include "gui/GuiManager.h"

namespace {

constexpr uint32_t repeatMs = 100; // a held arrow steps one row this often

// Knob position and length along a track of the given length. An empty list shows the knob
// over the whole track.
void KnobSpan(int32_t track, int32_t total, int32_t first, int32_t visible, int32_t& position,
              int32_t& length) {
    if (total <= 0) {
        position = 0;
        length = track;
        return;
    }
    position = static_cast<int32_t>(static_cast<int64_t>(track) * first / total);
    length = static_cast<int32_t>(static_cast<int64_t>(track) * visible / total) + 1;
}

} // namespace

void GuiManager::DrawScrollBar(uint32_t part, int32_t x, int32_t y, int32_t h, int32_t total,
                               int32_t first, int32_t visible) {
    if (!skinImage.IsLoaded()) return;
    const SkinElement& el = elements[Element::ScrollBar];
    if (h == 0) h = el.height;
    const int32_t W = el.width, A = el.firstBorder, K = el.secondBorder, C = el.extra;

    auto piece = [this](int state, int32_t top, int32_t height, int32_t dy, int32_t dh, int32_t dx,
                        int32_t w) {
        if (w <= 0 || height <= 0 || dh <= 0) return;
        const SkinElement& bar = elements[Element::ScrollBar];
        const int32_t sx = bar.sourceX[state], sy = bar.sourceY[state] + top;
        skinImage.source = Rect{sx, sy, sx + w, sy + height};
        skinImage.Draw(dx, dy, w, dh, 0, 0.0f, 0, 0);
    };
    const int upState = part == 1 ? 1 : part == 4 ? 2 : part == 7 ? 3 : 0;
    const int knobState = part == 2 ? 1 : part == 5 ? 2 : part == 7 ? 3 : 0;
    const int downState = part == 3 ? 1 : part == 6 ? 2 : part == 7 ? 3 : 0;

    // Source strip, top to bottom: up arrow, knob picture, track, down arrow.
    piece(upState, 0, A, y, A, x, W);
    piece(downState, el.height - A, A, y + h - A, A, x, W);
    piece(0, A + K, el.height - 2 * A - K, y + A, h - 2 * A, x, W);

    int32_t position = 0, length = 0;
    KnobSpan(h - 2 * A, total, first, visible, position, length);
    const int32_t knobTop = y + A + position;
    piece(knobState, A, C, knobTop, C, x, W);
    piece(knobState, A + K - C, C, knobTop + length - C, C, x, W);
    if (length != 2 * C) piece(knobState, A + C, K - 2 * C, knobTop + C, length - 2 * C, x, W);
}

// One step of the scroll bar's input, frame by frame:
//   press on an arrow      first -/+ 1, part 4 / 6 (held), grab := now
//   arrow still held       another step every 100 ms while the pointer stays on the arrow
//   press on the knob      part 5, grab := offset of the pointer in the knob
//   knob dragged           first follows the pointer
//   press above / below    first -/+ visible (a page)
//   release                part 0, then the hover code of where the pointer is
// The caller clamps first afterwards.
void GuiManager::ScrollBarInput(int buttonEvent, uint32_t& part, int32_t x, int32_t y, int32_t h,
                                int32_t total, int32_t& first, int32_t visible, int32_t& grab) {
    const SkinElement& el = elements[Element::ScrollBar];
    if (h == 0) h = el.height;
    const int32_t W = el.width, A = el.firstBorder;
    const int32_t track = h - 2 * A;
    const int32_t r = MouseY() - y;
    const bool inside = MouseIn(x, y, x + W, y + h);
    const uint32_t now = GetTickCount();
    int32_t position = 0, length = 0;
    KnobSpan(track, total, first, visible, position, length);

    if (buttonEvent) {
        const InputEvent& event = input ? input->event : InputEvent{};
        if (event.data != 0x80) {
            part = ScrollPart::None;
        } else if (inside) {
            if (r <= A) {
                if (first != 0) first -= 1;
                part = ScrollPart::UpHeld;
                grab = static_cast<int32_t>(now);
                return;
            }
            if (r >= h - A) {
                first += 1;
                part = ScrollPart::DownHeld;
                grab = static_cast<int32_t>(now);
                return;
            }
            if (r >= position + A && r <= position + length + A) {
                grab = r - position - A;
                part = ScrollPart::KnobDragged;
                return;
            }
            if (r < position + A) {
                first -= visible;
                if (first < 0) first = 0;
            } else {
                first += visible;
            }
        }
    } else if (part == ScrollPart::UpHeld || part == ScrollPart::DownHeld) {
        const bool up = part == ScrollPart::UpHeld;
        const bool onArrow = inside && (up ? r < A : r > h - A);
        if (onArrow) {
            // Steps keep the 100 ms cadence from the press; a long stall restarts it.
            if (now - static_cast<uint32_t>(grab) >= repeatMs) {
                if (up) {
                    if (first > 0) first -= 1;
                } else {
                    first += 1;
                }
                grab = now - static_cast<uint32_t>(grab) >= 2 * repeatMs
                           ? static_cast<int32_t>(now)
                           : static_cast<int32_t>(static_cast<uint32_t>(grab) + repeatMs);
            }
            return;
        }
        part = ScrollPart::None;
    } else if (part == ScrollPart::KnobDragged) {
        // The first row whose knob position, half a row on, reaches the pointer.
        int32_t row = 0;
        const double rows = total > 0 ? total : 1;
        while (row < total && (row + 0.5) * track / rows + grab + A < r) ++row;
        first = row;
        return;
    }

    if (!inside)
        part = ScrollPart::None;
    else if (r <= A)
        part = ScrollPart::UpHovered;
    else if (r >= h - A)
        part = ScrollPart::DownHovered;
    else if (r >= position + A && r <= position + length + A)
        part = ScrollPart::KnobHovered;
    else
        part = ScrollPart::None;
}
