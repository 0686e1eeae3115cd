"""Colours and fonts of the GUI skins. Each element lists its four states (normal, hover or
focus, pressed, disabled). Texts are dark everywhere except in the title bars: the menus and
dialogs draw on light plates, boxes and buttons, and some buttons use the "standard" text colour."""

GOLDEN = {
    "about": "warm gold on dark brown, parchment plates",
    "image": "golden.png",
    # top, bottom, border (buttons and drop buttons; the 4th value is the drop arrow)
    "button": [
        ("#f8e2a0", "#d6a848", "#7d5518", "#3a2410"),
        ("#fdefc4", "#e6bd62", "#5a3d14", "#1a0e04"),
        ("#c9973c", "#efcd7a", "#4a2c0e", "#000000"),
        ("#e0d8c8", "#bfb6a4", "#9a9284", "#8a8276"),
    ],
    # fill, border
    "box": [
        ("#fbf4de", "#9a6b1f"),
        ("#fffaea", "#d9ad52"),
        ("#fffbee", "#7d5518"),
        ("#e4ddce", "#9a9284"),
    ],
    # title top, title bottom, frame, client area (active, inactive)
    "window": [
        ("#5a3d20", "#2a1a0c", "#c9973c", "#f8eed2"),
        ("#4d4740", "#2e2a26", "#8a7c62", "#ebe5d6"),
    ],
    # light, dark, edge, track, arrow
    "scroll": [
        ("#f3d98b", "#c9973c", "#7d5518", "#e9d7a8", "#3a2410"),
        ("#fbe7a9", "#dcaa4a", "#7d5518", "#e9d7a8", "#1a0e04"),
        ("#d6a945", "#a77a2c", "#5a3d14", "#e9d7a8", "#000000"),
        ("#cfc8ba", "#a39b8c", "#7f776a", "#ddd8cc", "#6f685c"),
    ],
    # fill, border, mark
    "mark": [
        ("#fbf4de", "#7d5518", "#5a3410"),
        ("#fffaea", "#d9ad52", "#3a2008"),
        ("#f0dca8", "#5a3d14", "#1a0e04"),
        ("#e4ddce", "#9a9284", "#8a8276"),
    ],
    # fill, ring, cross
    "close": [
        ("#6b2a14", "#c9973c", "#f3d98b"),
        ("#93401f", "#f3d98b", "#fff4cc"),
        ("#4a1a0a", "#f8e3a4", "#ffffff"),
        ("#57514a", "#8a7c62", "#b3a892"),
    ],
    # top, bottom, border, arrow (table header cells)
    "header": [
        ("#f6dc8e", "#d4a94a", "#8a6120", "#4a2e0c"),
        ("#fbe7ad", "#e0b75c", "#8a6120", "#2a1806"),
        ("#d9ad52", "#f3d98b", "#5a3d14", "#000000"),
        ("#d8d1c2", "#b9b1a2", "#8a8276", "#6f685c"),
    ],
    "status": ("#f3d98b", "#d4a94a", "#8a6120"),
    "fonts": [
        ("standard", "Arial", 15, 0),
        ("small", "Arial", 13, 0),
        ("button", "Arial", 16, 1),
        ("status", "Arial", 15, 0),
        ("big", "Liberation Serif", 46, 1),
        ("window", "Liberation Serif", 17, 1),
        ("window1", "Liberation Serif", 17, 1),
    ],
    "colors": [
        ("standard", "ff3a2410"),
        ("standard1", "ff1a0e04"),
        ("standard2", "ff000000"),
        ("standard3", "ff968a74"),
        ("button", "ff3a2410"),
        ("button1", "ff1a0e04"),
        ("button2", "ff000000"),
        ("button3", "ff8a8276"),
        ("status", "ff3a2410"),
        ("big", "ff6b4512"),
        ("window", "fff3d98b"),
        ("window1", "ffb3a892"),
        ("red", "ffc41a1a"),
        ("red1", "ffe02020"),
        ("selectb", "ffe2b95e"),
        ("selectf", "ff1a0e04"),
    ],
}

SILBER = {
    "about": "cool silver and slate blue",
    "image": "silber.png",
    "button": [
        ("#f2f5fa", "#c3cedd", "#4a5a74", "#1f2a3c"),
        ("#ffffff", "#d3deec", "#2f3d55", "#0e1522"),
        ("#aebdd2", "#dfe6ef", "#1f2a3c", "#000000"),
        ("#dcdde0", "#c3c5c9", "#9a9ca2", "#85878c"),
    ],
    "box": [
        ("#f4f7fb", "#5d7391"),
        ("#ffffff", "#8fb0dc"),
        ("#ffffff", "#2f3d55"),
        ("#dcdde0", "#9a9ca2"),
    ],
    "window": [
        ("#6d86aa", "#2f3d55", "#a9b8cc", "#eef2f7"),
        ("#7b7f87", "#50535a", "#a2a5ab", "#e6e7ea"),
    ],
    "scroll": [
        ("#e6ecf4", "#a9b8cc", "#4a5a74", "#d3dbe6", "#1f2a3c"),
        ("#ffffff", "#c4d0e0", "#4a5a74", "#d3dbe6", "#0e1522"),
        ("#a9b8cc", "#7f93ae", "#2f3d55", "#d3dbe6", "#000000"),
        ("#d6d7da", "#b0b2b6", "#8a8c91", "#e0e1e3", "#76787d"),
    ],
    "mark": [
        ("#f4f7fb", "#4a5a74", "#1f2a3c"),
        ("#ffffff", "#8fb0dc", "#0e1522"),
        ("#d3dbe6", "#2f3d55", "#000000"),
        ("#dcdde0", "#9a9ca2", "#8a8c91"),
    ],
    "close": [
        ("#8a2f3a", "#c4d0e0", "#ffffff"),
        ("#b03b48", "#ffffff", "#ffffff"),
        ("#5e1f27", "#ffffff", "#ffffff"),
        ("#6d7077", "#9a9ca2", "#c8c9cc"),
    ],
    "header": [
        ("#e6ecf4", "#b7c5d8", "#4a5a74", "#1f2a3c"),
        ("#ffffff", "#cdd8e6", "#4a5a74", "#0e1522"),
        ("#a9b8cc", "#dfe6ef", "#2f3d55", "#000000"),
        ("#dcdde0", "#c3c5c9", "#8a8c91", "#76787d"),
    ],
    "status": ("#e6ecf4", "#b7c5d8", "#4a5a74"),
    "fonts": [
        ("standard", "DejaVu Sans", 13, 0),
        ("small", "DejaVu Sans", 12, 0),
        ("button", "DejaVu Sans", 15, 1),
        ("status", "DejaVu Sans", 14, 0),
        ("big", "DejaVu Sans", 40, 1),
        ("window", "DejaVu Sans", 15, 1),
        ("window1", "DejaVu Sans", 15, 0),
    ],
    "colors": [
        ("standard", "ff1f2a3c"),
        ("standard1", "ff0e1522"),
        ("standard2", "ff000000"),
        ("standard3", "ff85878c"),
        ("button", "ff1f2a3c"),
        ("button1", "ff0e1522"),
        ("button2", "ff000000"),
        ("button3", "ff85878c"),
        ("status", "ff1f2a3c"),
        ("big", "ff2f3d55"),
        ("window", "ffffffff"),
        ("window1", "ffd6d7da"),
        ("red", "ffc0182c"),
        ("red1", "ffe0203a"),
        ("selectb", "ff8fb0dc"),
        ("selectf", "ff0e1522"),
    ],
}

PALETTES = {"Golden": GOLDEN, "Silber": SILBER}
