#!/usr/bin/env python3
"""Writes one GUI skin: the element picture as SVG (rendered by the regenerate script) and the
".style" file that cuts it up. Both come from the same layout table below, so the rectangles in
the style file always match the drawing.

usage: makeskin.py <palette name> <out.svg> <out.style>
       makeskin.py --list       (the names of all palettes, one a line)
"""
import sys

from palettes import PALETTES

# Element layout in the skin picture: keyword, width, height, the three border values, and the
# source position of the states 0 (normal), 1 (hover/focus), 2 (pressed), 3 (disabled).
# (x, y) of state s = origin + s * step.
LAYOUT = [
    # keyword,       w,  h,  b1, b2, extra, origin,   step
    ("button",       64, 32, 8,  8,  None, (0, 0),    (0, 32)),
    ("box",          32, 32, 4,  4,  None, (64, 0),   (0, 32)),
    ("window",       96, 96, 24, 4,  12,   (96, 0),   None),  # states 0-2 share one frame, 3 inactive
    ("scrollbar",    16, 80, 16, 24, 6,    (192, 0),  (16, 0)),
    ("combobox",     20, 22, 6,  None, None, (256, 0), (0, 22)),
    ("checkbox",     16, 16, None, None, None, (288, 0), (0, 16)),
    ("checkboxx",    16, 16, None, None, None, (304, 0), (0, 16)),
    ("radiobutton",  16, 16, None, None, None, (320, 0), (0, 16)),
    ("radiobuttonx", 16, 16, None, None, None, (336, 0), (0, 16)),
    ("closebutton",  18, 18, 5,  3,  None, (352, 0),  (0, 18)),
    ("listbox",      96, 22, 3,  9,  19,   (384, 0),  (0, 22)),
    ("slider",       64, 18, 4,  12, None, (192, 96), (0, 18)),
    ("statusbar",    64, 20, None, None, None, (256, 96), (0, 20)),
]
ATLAS_W, ATLAS_H = 512, 192


def state_positions(origin, step):
    if step is None:  # the window frame: one active picture, one inactive
        return [origin, origin, origin, (origin[0], origin[1] + 96)]
    return [(origin[0] + s * step[0], origin[1] + s * step[1]) for s in range(4)]


def style_line(keyword, w, h, b1, b2, extra, origin, step):
    numbers = [w, h] + [v if v is not None else 0 for v in (b1, b2, extra)]
    while len(numbers) > 2 and numbers[-1] == 0:
        numbers.pop()
    states = state_positions(origin, step)
    tokens = [str(n) for n in numbers]
    tokens += [f"{p}({x};{y})" for p, (x, y) in zip("gchn", states)]
    return f"{keyword} = " + ", ".join(tokens)


class Svg:
    def __init__(self, pal):
        self.pal = pal
        self.defs = []
        self.body = []
        self.ids = 0

    def gradient(self, top, bottom, horizontal=False):
        self.ids += 1
        gid = f"g{self.ids}"
        x2, y2 = ("1", "0") if horizontal else ("0", "1")
        self.defs.append(
            f'<linearGradient id="{gid}" x1="0" y1="0" x2="{x2}" y2="{y2}">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            f"</linearGradient>")
        return f"url(#{gid})"

    def add(self, text):
        self.body.append(text)

    def text(self):
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{ATLAS_W}" height="{ATLAS_H}" '
                f'viewBox="0 0 {ATLAS_W} {ATLAS_H}">\n<defs>\n' + "\n".join(self.defs) +
                "\n</defs>\n" + "\n".join(self.body) + "\n</svg>\n")


def draw_button(svg, x, y, s):
    p = svg.pal["button"][s]
    fill = svg.gradient(p[0], p[1])
    svg.add(f'<rect x="{x + 0.5}" y="{y + 0.5}" width="63" height="31" rx="6" fill="{fill}" '
            f'stroke="{p[2]}" stroke-width="1.6"/>')
    svg.add(f'<rect x="{x + 3}" y="{y + 3}" width="58" height="2" rx="1" fill="#ffffff" '
            f'opacity="{0.10 if s == 2 else 0.22}"/>')


def draw_box(svg, x, y, s):
    p = svg.pal["box"][s]
    svg.add(f'<rect x="{x + 0.5}" y="{y + 0.5}" width="31" height="31" rx="3" fill="{p[0]}" '
            f'stroke="{p[1]}" stroke-width="1.4"/>')
    svg.add(f'<path d="M{x + 2} {y + 29} V{y + 2} H{x + 29}" fill="none" stroke="{p[1]}" '
            f'stroke-width="0.8" opacity="0.45"/>')


def draw_window(svg, x, y, active):
    p = svg.pal["window"][0 if active else 1]
    svg.add(f'<rect x="{x + 0.5}" y="{y + 0.5}" width="95" height="95" rx="8" fill="{p[2]}"/>')
    svg.add(f'<rect x="{x + 4}" y="{y + 24}" width="88" height="68" fill="{p[3]}"/>')
    title = svg.gradient(p[0], p[1])
    svg.add(f'<path d="M{x + 1} {y + 24} V{y + 8} Q{x + 1} {y + 1} {x + 8} {y + 1} H{x + 88} '
            f'Q{x + 95} {y + 1} {x + 95} {y + 8} V{y + 24} Z" fill="{title}"/>')
    svg.add(f'<rect x="{x + 4}" y="{y + 23}" width="88" height="1" fill="{p[2]}"/>')
    svg.add(f'<rect x="{x + 6}" y="{y + 4}" width="84" height="2" rx="1" fill="#ffffff" opacity="0.2"/>')


def draw_scrollbar(svg, x, y, s):
    p = svg.pal["scroll"][s]
    arrow_fill = svg.gradient(p[0], p[1])
    # up arrow [0,16), knob [16,40) with 6-pixel caps, track [40,64), down arrow [64,80)
    svg.add(f'<rect x="{x}" y="{y + 40}" width="16" height="24" fill="{p[3]}"/>')
    svg.add(f'<rect x="{x + 7}" y="{y + 40}" width="2" height="24" fill="{p[2]}" opacity="0.5"/>')
    for top in (0, 64):
        svg.add(f'<rect x="{x + 0.5}" y="{y + top + 0.5}" width="15" height="15" rx="3" '
                f'fill="{arrow_fill}" stroke="{p[2]}"/>')
    svg.add(f'<path d="M{x + 4} {y + 10} L{x + 8} {y + 5} L{x + 12} {y + 10} Z" fill="{p[4]}"/>')
    svg.add(f'<path d="M{x + 4} {y + 70} L{x + 8} {y + 75} L{x + 12} {y + 70} Z" fill="{p[4]}"/>')
    knob = svg.gradient(p[0], p[1], horizontal=True)
    svg.add(f'<rect x="{x + 2.5}" y="{y + 16.5}" width="11" height="23" rx="5" fill="{knob}" '
            f'stroke="{p[2]}"/>')


def draw_combobox(svg, x, y, s):
    p = svg.pal["button"][s]
    fill = svg.gradient(p[0], p[1])
    svg.add(f'<rect x="{x + 0.5}" y="{y + 0.5}" width="19" height="21" rx="3" fill="{fill}" '
            f'stroke="{p[2]}"/>')
    svg.add(f'<path d="M{x + 5} {y + 9} L{x + 10} {y + 15} L{x + 15} {y + 9} Z" fill="{p[3]}"/>')


def draw_mark(svg, x, y, s, round_mark, ticked):
    p = svg.pal["mark"][s]
    if round_mark:
        svg.add(f'<circle cx="{x + 8}" cy="{y + 8}" r="7" fill="{p[0]}" stroke="{p[1]}" stroke-width="1.5"/>')
        if ticked:
            svg.add(f'<circle cx="{x + 8}" cy="{y + 8}" r="3.6" fill="{p[2]}"/>')
    else:
        svg.add(f'<rect x="{x + 1}" y="{y + 1}" width="14" height="14" rx="2.5" fill="{p[0]}" '
                f'stroke="{p[1]}" stroke-width="1.5"/>')
        if ticked:
            svg.add(f'<path d="M{x + 3.5} {y + 8.5} L{x + 6.8} {y + 12} L{x + 12.8} {y + 4}" fill="none" '
                    f'stroke="{p[2]}" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>')


def draw_closebutton(svg, x, y, s):
    p = svg.pal["close"][s]
    svg.add(f'<circle cx="{x + 9}" cy="{y + 9}" r="8.2" fill="{p[0]}" stroke="{p[1]}" stroke-width="1.4"/>')
    svg.add(f'<path d="M{x + 5.5} {y + 5.5} L{x + 12.5} {y + 12.5} M{x + 12.5} {y + 5.5} L{x + 5.5} {y + 12.5}" '
            f'stroke="{p[2]}" stroke-width="2" stroke-linecap="round"/>')


def draw_listbox(svg, x, y, s):
    p = svg.pal["header"][s]
    fill = svg.gradient(p[0], p[1])
    arrow = 9  # second border of the listbox line: each sort arrow's width
    cell = 96 - 2 * arrow
    # the cell [0, cell) with its edges, then the ascending and the descending arrow, each on
    # the cell's own background so it can be laid over a cell's right end
    svg.add(f'<rect x="{x + 0.5}" y="{y + 0.5}" width="{cell - 1}" height="21" rx="2" fill="{fill}" stroke="{p[2]}"/>')
    for ax, up in ((cell, True), (cell + arrow, False)):
        svg.add(f'<rect x="{x + ax}" y="{y + 1}" width="{arrow}" height="20" fill="{fill}"/>')
        tip, base = (8, 14) if up else (14, 8)
        svg.add(f'<path d="M{x + ax + 1} {y + base} L{x + ax + 4.5} {y + tip} L{x + ax + 8} {y + base} Z" fill="{p[3]}"/>')


def draw_slider(svg, x, y, s):
    p = svg.pal["scroll"][s]
    # left end [0,4), track [4,48), right end [48,52), knob [52,64)
    svg.add(f'<rect x="{x + 1}" y="{y + 6}" width="50" height="6" rx="3" fill="{p[3]}" stroke="{p[2]}" stroke-width="1"/>')
    svg.add(f'<rect x="{x + 4}" y="{y + 8.5}" width="44" height="1" fill="{p[2]}" opacity="0.6"/>')
    knob = svg.gradient(p[0], p[1])
    svg.add(f'<rect x="{x + 52.5}" y="{y + 0.5}" width="11" height="17" rx="4" fill="{knob}" stroke="{p[2]}"/>')
    svg.add(f'<rect x="{x + 57.5}" y="{y + 4}" width="1" height="10" fill="{p[4]}" opacity="0.8"/>')


def draw_statusbar(svg, x, y, s):
    p = svg.pal["status"]
    fill = svg.gradient(p[0], p[1])
    svg.add(f'<rect x="{x}" y="{y}" width="64" height="20" fill="{fill}"/>')
    svg.add(f'<rect x="{x}" y="{y}" width="64" height="1" fill="{p[2]}"/>')


def draw_atlas(pal):
    svg = Svg(pal)
    for kw, w, h, b1, b2, extra, origin, step in LAYOUT:
        for s, (x, y) in enumerate(state_positions(origin, step)):
            if kw == "window":
                if s in (0, 3):
                    draw_window(svg, x, y, s == 0)
            elif kw == "button":
                draw_button(svg, x, y, s)
            elif kw == "box":
                draw_box(svg, x, y, s)
            elif kw == "scrollbar":
                draw_scrollbar(svg, x, y, s)
            elif kw == "combobox":
                draw_combobox(svg, x, y, s)
            elif kw.startswith("checkbox") or kw.startswith("radiobutton"):
                draw_mark(svg, x, y, s, kw.startswith("radio"), kw in ("checkboxx", "radiobuttonx"))
            elif kw == "closebutton":
                draw_closebutton(svg, x, y, s)
            elif kw == "listbox":
                draw_listbox(svg, x, y, s)
            elif kw == "slider":
                draw_slider(svg, x, y, s)
            elif kw == "statusbar":
                draw_statusbar(svg, x, y, s)
    return svg.text()


def style_text(name, pal):
    lines = [f"// brixel skin \"{name}\": {pal['about']}",
             "// The picture, the rectangles of the thirteen elements in their four states",
             "// (g normal, c hover or focus, h pressed, n disabled), then fonts and colours.",
             f"image = {pal['image']}",
             ""]
    for row in LAYOUT:
        lines.append(style_line(*row))
    lines.append("")
    lines.append("// font = name, face, size in pixels, bold")
    for fname, face, size, bold in pal["fonts"]:
        lines.append(f"font = {fname}, {face}, {size}, {bold}")
    lines.append("")
    lines.append("// color = name, ARGB in hexadecimal")
    for cname, value in pal["colors"]:
        lines.append(f"color = {cname}, {value}")
    return "\n".join(lines) + "\n"


def main():
    if sys.argv[1:] == ["--list"]:
        print("\n".join(PALETTES))
        return
    name, svg_path, style_path = sys.argv[1:4]
    pal = PALETTES[name]
    with open(svg_path, "w") as f:
        f.write(draw_atlas(pal))
    with open(style_path, "w", newline="\n") as f:
        f.write(style_text(name, pal))


if __name__ == "__main__":
    main()
