#pragma once
#include <cstdint>
#include <string>
#include <vector>

class Board;
class Game;
class MenuSystem;
struct PlayerProfile;

// The game picture is composed in two steps: every frame first lists what goes where
// (ScreenPicture, plain numbers, so positions can be checked without looking at pixels), then
// paints that list with the menus' textures and fonts.

// The images of the game screen, all loaded by the menus.
enum class ScreenImage : uint8_t {
    FieldPanel,
    NextPanel,
    StatusPanel,
    Block,
    Particle,
    Slider,
    SliderFill
};
enum class ScreenFont : uint8_t { Status, Caption, Big };

// What an item shows, so a look at the list can pick out the falling piece, its shadow, ...
enum class ScreenRole : uint8_t {
    Panel,
    GridLine,
    Caption,
    NextPiece,
    Shadow,
    FallingPiece,
    LockedBlock,
    Garbage,
    Particle,
    StatusLabel,
    StatusValue,
    PieceShare,
    Slider,
    WinsTally,
    Countdown
};

struct ScreenItem {
    enum Kind : uint8_t { Quad, Text, Line };
    Kind kind = Quad;
    ScreenRole role = ScreenRole::Panel;
    ScreenImage image = ScreenImage::Block;
    ScreenFont font = ScreenFont::Status;
    // Quad: top-left corner and size (0 x 0 = the image's own size). Text: the box. Line: from
    // (x, y) to (x2, y2).
    int x = 0, y = 0, w = 0, h = 0;
    int x2 = 0, y2 = 0;
    int transparency = 0; // 0 opaque .. 255 invisible
    uint32_t colour = 0;  // ARGB; 0 = the image unchanged
    int additive = 0;
    int cutWidth = 0;  // quad: > 0 shows only this many pixels from the image's left edge
    int alignment = 0; // text: 0 left, 1 centre, 2 right
    int mode = 1;      // text: vertical mode of DrawText
    float lineWidth = 1.0f;
    std::string text;
};

// One frame's items in drawing order. The vector keeps its capacity from frame to frame.
struct ScreenPicture {
    std::vector<ScreenItem> items;
    void clear() { items.clear(); }
    ScreenItem& add(ScreenItem::Kind kind, ScreenRole role);
};

// Screen colours.
constexpr uint32_t StatusLabelColour = 0xFF8F5444;
constexpr uint32_t ScreenBlack = 0xFF000000;
constexpr uint32_t GridLineColour = 0xAAFFFFFF;
constexpr uint32_t CountdownColour = 0xFFFFFFFF;

// Vertical position of a mirrored item of height h (upside-down boards).
inline int MirrorY(int y, int h) {
    return 802 - h - y;
}

// How far, in thousandths of a row, the locked blocks of row r are lifted while the rows above
// a clear slide into place (0 outside the pause after a clear).
int BlockLift(const Board& board, int row);
// The record line's value: the score as a share of the personal best, in 64-bit arithmetic so
// big scores cannot overflow; "100%" while there is no best yet.
std::string RecordShare(uint32_t score, uint32_t best);
// The share of one piece type among the landed pieces: "0%" before the first landing.
std::string PieceShare(int32_t ofType, int32_t pieces);
// Width in pixels of the minute slider's fill: 3 to 121.
int SliderFillWidth(int value, int minimum, int maximum);

// Composes and paints the game picture.
class GameScreen {
public:
    // The whole game picture of one frame (the background is drawn by the game before).
    void drawScreen(Game& game);

    // Lists the whole picture into `picture` without painting.
    void composeScreen(Game& game);
    // One board with its top-left corner at (x, y). Computes the cached landing height and
    // retires the particles that left the screen, the two changes drawing makes to a board.
    void drawBoard(MenuSystem& menu, Board& board, int x, int y, int mode);
    // A status line: label left at (x, y), value right-aligned in a box of width x 50.
    void drawLabelValue(int x, int y, const std::string& label, const std::string& value,
                        int width);
    // The minute slider and its fill, cut to the share of value between minimum and maximum.
    void drawSlider(int x, int y, int value, int minimum, int maximum);
    // Paints `picture` with the menus' textures and fonts.
    void paint(MenuSystem& menu) const;

    ScreenPicture picture;

private:
    void fitCaptionsBesideTally(MenuSystem& menu);
    void drawCountdowns(Game& game);
    void drawStatus(Game& game);
    void drawStandardView(Game& game);
    void drawStatisticsView(Game& game);
    void addBlock(ScreenRole role, int x, int y, uint32_t colour, int transparency);
    void drawPieces(MenuSystem& menu, Board& board, int x, int y, int mirrored);
    void drawLockedBlocks(MenuSystem& menu, Board& board, int x, int y, int mirrored);
    void drawGarbage(MenuSystem& menu, Board& board, int x, int y);
    void drawParticles(MenuSystem& menu, Board& board, int x, int y, int mirrored);
};
