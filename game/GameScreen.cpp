#include "game/GameScreen.h"

#include "game/Board.h"
#include "game/Game.h"
#include "menu/MenuSystem.h"
#include "storage/TextFormat.h"

namespace {

// Language texts of the game screen.
enum ScreenText {
    TextScore = 200,
    TextRecord = 201,
    TextLevel = 202,
    TextMinute = 203,
    TextTripleTasks = 204,
    TextQuadTasks = 205,
    TextDoubleComboTasks = 206,
    TextTripleComboTasks = 207,
    TextRows = 208,
    TextPieces = 209,
    TextComputerPlays = 210,
    TextPlayerBack = 211,
    TextComputerCaption = 218
};

// Where the standard view's lines sit in the two single-player modes.
struct StatusLayout {
    int scoreY, recordY, levelY, levelValueY, minuteY, sliderY;
};
constexpr StatusLayout StatusLayouts[2] = {
    {406, 451, 496, 491, 541, 586}, // mode 0
    {390, 425, 460, 455, 495, 530}, // mode 1
};

// The next piece is centred in its panel: the straight piece, the square, the rest.
struct NextOffset {
    int dx, dy;
};
NextOffset NextPieceOffset(int type) {
    if (type == 0) return {30, 22};
    if (type == 1) return {14, 54};
    return {14, 38};
}

uint32_t PieceColour(const MenuSystem& menu, int type) {
    if (type < 0 || type > 6) return 0;
    return menu.pieceColours[type];
}

std::string Number(int value) {
    return FormatText("%d", {value});
}

} // namespace

ScreenItem& ScreenPicture::add(ScreenItem::Kind kind, ScreenRole role) {
    ScreenItem& item = items.emplace_back();
    item.kind = kind;
    item.role = role;
    return item;
}

int BlockLift(const Board& board, int row) {
    if (board.state != 1) return 0;
    const PlayField& field = board.field;
    int f = field.firstFullRow;
    int lines = board.lastLines;
    int t = board.clearTimer;
    int lift = 0;
    if (row > f + 3) {
        lift = 0;
    } else if (row < f + lines) {
        lift = t;
    } else if (row == f + lines) {
        lift = t - 1000;
        if (field.fullRowFlags[0] && !field.fullRowFlags[2]) lift -= 2000;
        if (field.fullRowFlags[0] && field.fullRowFlags[2]) lift -= 1000;
    } else if (row == f + lines + 1) {
        lift = field.fullRowFlags[2] ? t - 1000 : 0;
    }
    return lift < 0 ? 0 : lift;
}

std::string RecordShare(uint32_t score, uint32_t best) {
    if (best == 0) return "100%";
    uint64_t share = static_cast<uint64_t>(score) * 100u / best;
    return std::to_string(share) + "%";
}

std::string PieceShare(int32_t ofType, int32_t pieces) {
    if (pieces <= 0) return "0%";
    int64_t share = static_cast<int64_t>(ofType) * 100 / pieces;
    return std::to_string(share) + "%";
}

int SliderFillWidth(int value, int minimum, int maximum) {
    if (maximum <= minimum) return 3;
    if (value < minimum) value = minimum;
    if (value > maximum) value = maximum;
    return static_cast<int>(static_cast<int64_t>(value - minimum) * 118 / (maximum - minimum)) + 3;
}

void GameScreen::drawScreen(Game& game) {
    composeScreen(game);
    paint(*game.menu);
}

void GameScreen::composeScreen(Game& game) {
    picture.clear();
    MenuSystem& menu = *game.menu;
    if (game.mode < 2) {
        ScreenItem& panel = picture.add(ScreenItem::Quad, ScreenRole::Panel);
        panel.image = ScreenImage::StatusPanel;
        panel.x = 48;
        panel.y = 360;
        drawStatus(game);
        drawBoard(menu, game.singleBoard, 340, 20, game.mode);
        return;
    }
    drawBoard(menu, game.leftBoard, 130, 20, game.mode);
    drawBoard(menu, game.rightBoard, 625, 20, game.mode);
    const int tallyX[2] = {349, 625};
    const int tally[2] = {game.leftWins, game.rightWins};
    for (int side = 0; side < 2; ++side) {
        ScreenItem& item = picture.add(ScreenItem::Text, ScreenRole::WinsTally);
        item.font = ScreenFont::Caption;
        item.colour = ScreenBlack;
        item.x = tallyX[side];
        item.y = 33;
        item.w = 150;
        item.h = 50;
        item.alignment = 1;
        item.mode = 2;
        item.text = Number(tally[side]);
    }
    fitCaptionsBesideTally(menu);
    if (game.online) drawCountdowns(game);
}

// Before an online round both boards show the seconds left: the local one its own, the other
// one what its player's game last said.
void GameScreen::drawCountdowns(Game& game) {
    const net::OnlineDuel& duel = game.duel;
    struct Side {
        int x;
        int32_t ms;
    };
    const Side sides[2] = {
        {130, duel.remoteSeen ? duel.remotePicture.countdown : 0},
        {625, duel.phase == net::OnlineDuel::CountingDown ? duel.countdown : 0},
    };
    for (const Side& side : sides) {
        if (side.ms <= 0) continue;
        ScreenItem& item = picture.add(ScreenItem::Text, ScreenRole::Countdown);
        item.font = ScreenFont::Big;
        item.colour = CountdownColour;
        item.x = side.x;
        item.y = 320;
        item.w = 369;
        item.h = 100;
        item.alignment = 1;
        item.mode = 2;
        item.text = Number((side.ms + 999) / 1000);
    }
}

// The wins tally sits inside each board's caption box, right of the left board's centre and
// left of the right board's. A caption is shortened so it keeps clear of its tally, whose
// centre lies the same distance from the caption's centre on either side.
void GameScreen::fitCaptionsBesideTally(MenuSystem& menu) {
    constexpr int gap = 8; // between the caption's text and the tally's
    const ScreenItem* tallies[2] = {};
    ScreenItem* captions[2] = {};
    int tallyCount = 0, captionCount = 0;
    for (ScreenItem& item : picture.items) {
        if (item.role == ScreenRole::WinsTally && tallyCount < 2) tallies[tallyCount++] = &item;
        if (item.role == ScreenRole::Caption && captionCount < 2) captions[captionCount++] = &item;
    }
    if (tallyCount < 2 || captionCount < 2 || !menu.directX) return;
    DirectXLib& directX = *menu.directX;
    for (int side = 0; side < 2; ++side) {
        const ScreenItem& tally = *tallies[side];
        ScreenItem& caption = *captions[side];
        int tallyWidth = 0, tallyHeight = 0;
        directX.MeasureText(tally.text, &menu.captionFont, 0, tallyWidth, tallyHeight, 1);
        // Twice the distance between the centres, less the tally's own width and the gaps.
        const int distance = 2 * (tally.x + tally.w / 2) - 2 * (caption.x + caption.w / 2);
        const int room = (distance < 0 ? -distance : distance) - tallyWidth - 2 * gap;
        caption.text = directX.FitText(caption.text, &menu.captionFont, room);
    }
}

void GameScreen::drawStatus(Game& game) {
    if (game.statusView == 0)
        drawStandardView(game);
    else
        drawStatisticsView(game);
}

void GameScreen::drawStandardView(Game& game) {
    MenuSystem& menu = *game.menu;
    Board& board = game.singleBoard;
    const StatusLayout& at = StatusLayouts[game.mode == 1 ? 1 : 0];

    drawLabelValue(70, at.scoreY, menu.text(TextScore), FormatText("%u", {board.score}), 200);

    std::string record;
    if (board.assisted && board.aiMode != 0)
        record = FormatText(menu.text(TextComputerPlays), {3 - board.aiMode});
    else if (board.assisted)
        record = FormatText(menu.text(TextPlayerBack), {0});
    else
        record = RecordShare(board.score, board.profile->bestScore[game.mode == 1 ? 1 : 0]);
    drawLabelValue(70, at.recordY, menu.text(TextRecord), record, 200);

    drawLabelValue(70, at.levelY, menu.text(TextLevel), "", 200);
    ScreenItem& level = picture.add(ScreenItem::Text, ScreenRole::StatusValue);
    level.font = ScreenFont::Big;
    level.colour = ScreenBlack;
    level.x = 70;
    level.y = at.levelValueY;
    level.w = 200;
    level.h = 50;
    level.alignment = 2;
    level.text = FormatText("%dx", {board.level});

    drawLabelValue(70, at.minuteY, menu.text(TextMinute), Number(board.minutes), 110);
    drawSlider(108, at.sliderY, board.tickAcc, 0, 6000);

    if (game.mode != 1) return;
    struct TaskLine {
        int x, y, text;
        int32_t count;
    };
    const TaskLine tasks[4] = {
        {70, 565, TextTripleTasks, board.tripleTasks},
        {70, 600, TextQuadTasks, board.quadTasks},
        {200, 565, TextDoubleComboTasks, board.doubleComboTasks},
        {200, 600, TextTripleComboTasks, board.tripleComboTasks},
    };
    for (const TaskLine& task : tasks)
        drawLabelValue(task.x, task.y, menu.text(task.text), Number(task.count), 70);
}

void GameScreen::drawStatisticsView(Game& game) {
    MenuSystem& menu = *game.menu;
    Board& board = game.singleBoard;
    drawLabelValue(70, 390, menu.text(TextRows), Number(board.totalLines), 200);
    drawLabelValue(70, 425, menu.text(TextPieces), Number(board.pieces), 200);
    for (int type = 0; type < 7; ++type) {
        int column = type / 4;
        int row = type % 4;
        ScreenItem& block = picture.add(ScreenItem::Quad, ScreenRole::PieceShare);
        block.image = ScreenImage::Block;
        block.x = 70 + 100 * column;
        block.y = 460 + 42 * row;
        block.colour = PieceColour(menu, type);

        ScreenItem& share = picture.add(ScreenItem::Text, ScreenRole::PieceShare);
        share.colour = ScreenBlack;
        share.x = 70 + 108 * column;
        share.y = 460 + 42 * row;
        share.w = 92;
        share.h = 50;
        share.alignment = 2;
        share.text = PieceShare(board.perType[type], board.pieces);
    }
}

void GameScreen::drawLabelValue(int x, int y, const std::string& label, const std::string& value,
                                int width) {
    ScreenItem& name = picture.add(ScreenItem::Text, ScreenRole::StatusLabel);
    name.colour = StatusLabelColour;
    name.x = x;
    name.y = y;
    name.text = label;
    if (value.empty()) return;
    ScreenItem& number = picture.add(ScreenItem::Text, ScreenRole::StatusValue);
    number.colour = ScreenBlack;
    number.x = x;
    number.y = y;
    number.w = width;
    number.h = 50;
    number.alignment = 2;
    number.text = value;
}

void GameScreen::drawSlider(int x, int y, int value, int minimum, int maximum) {
    ScreenItem& track = picture.add(ScreenItem::Quad, ScreenRole::Slider);
    track.image = ScreenImage::Slider;
    track.x = x;
    track.y = y - 10;
    ScreenItem& fill = picture.add(ScreenItem::Quad, ScreenRole::Slider);
    fill.image = ScreenImage::SliderFill;
    fill.x = x;
    fill.y = y - 10;
    fill.cutWidth = SliderFillWidth(value, minimum, maximum);
}

void GameScreen::addBlock(ScreenRole role, int x, int y, uint32_t colour, int transparency) {
    ScreenItem& block = picture.add(ScreenItem::Quad, role);
    block.image = ScreenImage::Block;
    block.x = x;
    block.y = y;
    block.colour = colour;
    block.transparency = transparency;
}

void GameScreen::drawBoard(MenuSystem& menu, Board& board, int x, int y, int mode) {
    PlayerProfile& profile = *board.profile;
    int mirrored = profile.displayOption != 0;

    ScreenItem& field = picture.add(ScreenItem::Quad, ScreenRole::Panel);
    field.image = ScreenImage::FieldPanel;
    field.x = x;
    field.y = y;

    if (profile.displayFlags & 1) {
        for (int k = 0; k < 9; ++k) {
            ScreenItem& line = picture.add(ScreenItem::Line, ScreenRole::GridLine);
            line.x = line.x2 = x + 57 + 32 * k;
            line.y = y + 61;
            line.y2 = y + 701;
            line.colour = GridLineColour;
        }
    }

    ScreenItem& next = picture.add(ScreenItem::Quad, ScreenRole::Panel);
    next.image = ScreenImage::NextPanel;
    next.x = x - 100;
    next.y = y + 70;

    ScreenItem& caption = picture.add(ScreenItem::Text, ScreenRole::Caption);
    caption.font = ScreenFont::Caption;
    caption.colour = ScreenBlack;
    caption.x = x;
    caption.y = y + 13;
    caption.w = 369;
    caption.h = 50;
    caption.alignment = 1;
    caption.mode = 2;
    if (mode == 3 && board.playerIndex == 1)
        caption.text =
            FormatText(menu.text(TextComputerCaption) + " %d", {profile.computerLevel + 1});
    else
        caption.text = profile.name;
    // A name too wide for the box ends with an ellipsis rather than mid-letter.
    if (menu.directX)
        caption.text = menu.directX->FitText(caption.text, &menu.captionFont, caption.w);

    drawPieces(menu, board, x, y, mirrored);
    drawLockedBlocks(menu, board, x, y, mirrored);
    drawGarbage(menu, board, x, y);
    drawParticles(menu, board, x, y, mirrored);
}

// The next piece, the drop shadow and the falling piece.
void GameScreen::drawPieces(MenuSystem& menu, Board& board, int x, int y, int mirrored) {
    PlayerProfile& profile = *board.profile;
    const PlayField& live = board.field;
    bool shadowOn = profile.displayFlags >= 2;
    if (shadowOn && board.shadowHeight == 0) {
        board.shadowHeight = board.landingHeight();
    }
    int shadowTransparency = static_cast<int>(profile.overlayOpacity * 255 / 100);
    uint32_t nextColour = PieceColour(menu, live.nextType);
    uint32_t pieceColour = PieceColour(menu, live.currentType);
    NextOffset offset = NextPieceOffset(live.nextType);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (PlayField::pieceCell(live.nextType, i, 0, j) != 0)
                addBlock(ScreenRole::NextPiece, x - 100 + offset.dx + 32 * j,
                         y + 70 + offset.dy + 32 * i, nextColour, 0);
            if (board.state != 0) continue;
            if (PlayField::pieceCell(live.currentType, i, live.rotation, j) == 0) continue;
            int blockX = x + 25 + 32 * (live.pieceColumn + j);
            if (shadowOn) {
                int shadowY = y + 29 + 32 * (board.shadowHeight / 1000 + i);
                if (mirrored) shadowY = MirrorY(shadowY, 32);
                addBlock(ScreenRole::Shadow, blockX, shadowY, pieceColour, shadowTransparency);
            }
            int pieceY = y + 29 + live.pieceHeight * 32 / 1000 + 32 * i;
            if (mirrored) pieceY = MirrorY(pieceY, 32);
            addBlock(ScreenRole::FallingPiece, blockX, pieceY, pieceColour, 0);
        }
    }
}

void GameScreen::drawLockedBlocks(MenuSystem& menu, Board& board, int x, int y, int mirrored) {
    const PlayField& live = board.field;
    for (int column = 1; column <= 10; ++column) {
        for (int row = 0; row < 20; ++row) {
            int value = live.cell(column, row);
            if (value < 1 || value > 7) continue;
            int blockY = y + 61 + 32 * row - BlockLift(board, row) * 32 / 1000;
            if (mirrored) blockY = MirrorY(blockY, 32);
            addBlock(ScreenRole::LockedBlock, x + 25 + 32 * (column - 1), blockY,
                     PieceColour(menu, value - 1), 0);
        }
    }
}

// Rows sent by the opponent and not yet received, as small blocks beside the field.
void GameScreen::drawGarbage(MenuSystem& menu, Board& board, int x, int y) {
    const BoardContext& context = menu.boardContext;
    int pending = context.pendingGarbage[board.playerIndex & 1];
    if (pending > 20) pending = 20;
    for (int k = 0; k < pending; ++k) {
        for (int e = 0; e < 10; ++e) {
            int value = context.garbage[board.playerIndex & 1][k][e];
            if (value < 1 || value > 7) continue;
            ScreenItem& block = picture.add(ScreenItem::Quad, ScreenRole::Garbage);
            block.image = ScreenImage::Block;
            block.x = x - 110 + 10 * e;
            block.y = y + 300 + 10 * k;
            block.w = block.h = 10;
            block.colour = PieceColour(menu, value - 1);
        }
    }
}

void GameScreen::drawParticles(MenuSystem& menu, Board& board, int x, int y, int mirrored) {
    for (int burst = 0; burst < Board::bursts; ++burst) {
        if (board.burstFinished[burst]) continue;
        for (Particle& particle : board.particles[burst]) {
            if (particle.life == 0) continue;
            int px = x + 25 + particle.x * 32 / 1000;
            int py = y + 61 + particle.y * 32 / 1000;
            int transparency = 255 - particle.life / 10;
            if (transparency < 0) transparency = 0;
            if (transparency > 255) transparency = 255;
            ScreenItem& item = picture.add(ScreenItem::Quad, ScreenRole::Particle);
            item.x = px;
            item.transparency = transparency;
            item.colour = PieceColour(menu, particle.colour);
            if (particle.size == 32) {
                item.image = ScreenImage::Block;
                item.y = mirrored ? MirrorY(py, 32) : py;
            } else {
                item.image = ScreenImage::Particle;
                item.w = item.h = particle.size;
                item.additive = 1;
                item.y = mirrored ? MirrorY(py, particle.size) : py;
            }
            // Fallen off the screen: it is not drawn again.
            if (py > (mirrored ? 834 : 768)) particle.life = 0;
        }
    }
}

namespace {

Texture& ImageTexture(MenuSystem& menu, ScreenImage image) {
    switch (image) {
    case ScreenImage::FieldPanel:
        return menu.gameField;
    case ScreenImage::NextPanel:
        return menu.gameNext;
    case ScreenImage::StatusPanel:
        return menu.gameDisplay;
    case ScreenImage::Block:
        return menu.block;
    case ScreenImage::Particle:
        return menu.gameParticle;
    case ScreenImage::Slider:
        return menu.gameSlider;
    case ScreenImage::SliderFill:
        return menu.gameSliderMark;
    }
    return menu.block;
}

Font& ScreenFontOf(MenuSystem& menu, ScreenFont font) {
    switch (font) {
    case ScreenFont::Status:
        return menu.statusFont;
    case ScreenFont::Caption:
        return menu.captionFont;
    case ScreenFont::Big:
        return menu.bigFont;
    }
    return menu.statusFont;
}

} // namespace

void GameScreen::paint(MenuSystem& menu) const {
    DirectXLib& directX = *menu.directX;
    for (const ScreenItem& item : picture.items) {
        switch (item.kind) {
        case ScreenItem::Quad: {
            Texture& texture = ImageTexture(menu, item.image);
            if (item.cutWidth <= 0) {
                texture.Draw(item.x, item.y, item.w, item.h, item.transparency, 0.0f, item.colour,
                             item.additive);
                break;
            }
            Rect whole = texture.source;
            texture.source.right = whole.left + item.cutWidth;
            texture.Draw(item.x, item.y, 0, 0, item.transparency, 0.0f, item.colour, item.additive);
            texture.source = whole;
            break;
        }
        case ScreenItem::Text:
            directX.DrawText(item.x, item.y, item.text, &ScreenFontOf(menu, item.font), item.colour,
                             item.alignment, item.w, item.h, item.mode);
            break;
        case ScreenItem::Line:
            directX.DrawLine(item.x, item.y, item.x2, item.y2, item.colour, item.lineWidth, 0,
                             1.0f);
            break;
        }
    }
}
