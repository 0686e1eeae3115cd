#include "game/Board.h"

#include <cstdint>

#include "game/Random.h"
#include "storage/PlayerProfile.h"

namespace {

// Score per clear, times the level: 1, 2, 3 or 4 rows.
constexpr uint32_t rowPoints[4] = {10, 50, 100, 200};

constexpr int32_t particleLife = 2550;
constexpr int32_t blockParticleSize = 32;
constexpr int maxParticleCount = Board::particlesPerBurst;

bool isPrime(int32_t n) {
    if (n < 2) return false;
    for (int32_t d = 2; d <= n / d; ++d)
        if (n % d == 0) return false;
    return true;
}

} // namespace

void Board::init(BoardContext& context, PlayerProfile& player, int index) {
    menu = &context;
    profile = &player;
    field.reset();
    state = 0;
    burstIndex = 0;
    for (int32_t& finished : burstFinished) finished = 1;
    score = 0;
    minutes = 1;
    tickAcc = 0;
    stage = 1;
    setUpStage();
    for (int32_t& count : perType) count = 0;
    totalLines = 0;
    pieces = 0;
    countedPieces = 0;
    countedRows = 0;
    combo = 0;
    shadowHeight = 0;
    applyKeys(index);
    aiMode = 0;
    assisted = 0;
}

void Board::applyKeys(int p) {
    const int index = p == 1 ? 1 : 0;
    dropMode = 0;
    queueCount = 0;
    for (int slot = 0; slot < PlayerProfile::keyActions; ++slot)
        activeKeys[slot] = profile ? int32_t(profile->keys[index][slot]) : 0;
    if (menu && menu->keyRepeat && profile) {
        // Only the two moves repeat while held, at the player's own delay and rate: a held
        // rotate or hard drop would turn or drop piece after piece.
        const int delay = int(profile->keyRepeatDelay);
        const int interval = int(profile->keyRepeatInterval);
        menu->keyRepeat->SetKeyRepeat(activeKeys[RotateKey], 0, 0);
        menu->keyRepeat->SetKeyRepeat(activeKeys[RightKey], delay, interval);
        menu->keyRepeat->SetKeyRepeat(activeKeys[LeftKey], delay, interval);
        menu->keyRepeat->SetKeyRepeat(activeKeys[SoftDropKey], 0, 0);
        menu->keyRepeat->SetKeyRepeat(activeKeys[HardDropKey], 0, 0);
    }
    playerIndex = index;
}

void Board::applyAction(int action) {
    if (action == RotateAction) {
        const bool clockwise = profile == nullptr || profile->rotateDirection != 0;
        if (field.rotate(clockwise)) {
            if (menu && menu->sounds) menu->sounds->playRotate();
            shadowHeight = 0;
        }
    } else if (action == RightAction) {
        if (!field.moveRight()) shadowHeight = 0;
    } else if (action == LeftAction) {
        if (!field.moveLeft()) shadowHeight = 0;
    }
}

void Board::queueAction(int action) {
    if (queueCount < queueSize) queue[queueCount++] = action;
}

void Board::handleKey(bool eventAtHand) {
    const InputEvent* event = eventAtHand && menu ? menu->inputEvent : nullptr;
    if (state == 0) {
        for (int i = 0; i < queueCount; ++i) applyAction(queue[i]);
        queueCount = 0;
        if (event == nullptr) return;
        const int32_t key = int32_t(event->offset);
        if (event->IsPress()) {
            if (key == activeKeys[RotateKey]) applyAction(RotateAction);
            if (key == activeKeys[RightKey]) applyAction(RightAction);
            if (key == activeKeys[LeftKey]) applyAction(LeftAction);
            if (key == activeKeys[SoftDropKey]) dropMode = 1;
            if (key == activeKeys[HardDropKey]) dropMode = 2;
        } else if (key == activeKeys[SoftDropKey]) {
            dropMode = 0;
        }
    } else if (state == 1) {
        // During the pause moves wait in the queue for the next piece; a hard drop is lost.
        if (event == nullptr || queueCount >= queueSize) return;
        const int32_t key = int32_t(event->offset);
        if (event->IsPress()) {
            if (key == activeKeys[RotateKey]) queueAction(RotateAction);
            if (key == activeKeys[RightKey]) queueAction(RightAction);
            if (key == activeKeys[LeftKey]) queueAction(LeftAction);
            if (key == activeKeys[SoftDropKey]) dropMode = 1;
        } else if (key == activeKeys[SoftDropKey]) {
            dropMode = 0;
        }
    }
}

bool Board::update(int32_t ticks, int mode) {
    if (ticks < 0) ticks = 0;
    advanceClock(ticks, mode);
    if (state == 1) {
        clearTimer -= 40 * ticks;
        if (clearTimer < 1 && endPause(mode)) return true;
    } else if (state == 0) {
        if (fall(ticks, mode)) return true;
    }
    moveParticles(ticks);
    return false;
}

// Two-player games have no clock: minutes and level stay 1. A long frame advances one minute
// at most; the rest stays in tickAcc.
void Board::advanceClock(int32_t ticks, int mode) {
    if (state == 2 || mode == 2 || mode == 3) return;
    tickAcc += ticks;
    if (tickAcc > ticksPerMinute) {
        tickAcc -= ticksPerMinute;
        ++minutes;
        if (mode == 0) level = (minutes + 2) / 3;
    }
}

bool Board::endPause(int mode) {
    field.spawnNext();
    insertGarbage();
    if (spawnCheck(mode)) return true;
    state = 0;
    shadowHeight = 0;
    // Moves pressed during the pause act on the new piece now.
    handleKey(false);
    return false;
}

bool Board::fall(int32_t ticks, int mode) {
    int64_t dy = int64_t(minutes + 1) * ticks * 5;
    if (dropMode == 2) {
        dy = 20000;
        dropMode = 0;
    }
    if (dropMode != 0 && profile) {
        const int64_t soft = int64_t(profile->softDropSpeed) * ticks * 10;
        if (soft > dy) dy = soft;
    }
    if (mode == 3 && playerIndex == 1 && profile)
        dy = (int64_t(profile->computerLevel) + 1) * ticks * 10;
    // More than the field is high always lands; the cap keeps the amount in range.
    if (dy > 30000) dy = 30000;
    if (!field.drop(int32_t(dy))) return false;
    return land(mode);
}

bool Board::land(int mode) {
    if (menu && menu->sounds) menu->sounds->playHit();
    ++pieces;
    if (field.currentType >= 0 && field.currentType < PlayField::pieceTypes)
        ++perType[field.currentType];
    dropMode = 0;
    lastLines = field.findFullRows();
    if (lastLines == 0) {
        if (mode == 1 && combo >= 2 && doubleComboTasks > 0) --doubleComboTasks;
        combo = 0;
        field.spawnNext();
        insertGarbage();
        shadowHeight = 0;
        return spawnCheck(mode);
    }
    if (menu && menu->sounds) menu->sounds->playRow();
    ++combo;
    totalLines += lastLines;
    state = 1;
    if (mode == 1) countTasks();
    if (mode == 0 || mode == 1) score += uint32_t(level) * rowPoints[lastLines - 1];
    clearTimer = lastLines * 1000;
    // The cleared rows from the top down.
    for (int row = field.firstFullRow; row < field.firstFullRow + 4; ++row) {
        const int offset = row - field.firstFullRow;
        if (offset > 0 && field.fullRowFlags[offset - 1] == 0) continue;
        burst(row);
        sendGarbage(row);
    }
    field.removeFullRows();
    return false;
}

bool Board::spawnCheck(int mode) {
    if (field.collide() != PlayField::fits) {
        state = 2;
        field.nextType = field.currentType;
        return true;
    }
    if (aiMode != 0) placePiece(aiMode == 1);
    if (mode == 3 && playerIndex == 1) placePiece(profile && profile->computerLevel >= 5);
    return false;
}

void Board::countTasks() {
    if (lastLines == 4) {
        // Once the stage's four-row tasks are done, a four-row clear counts as a triple.
        if (quadTasks > 0)
            --quadTasks;
        else if (tripleTasks > 0)
            --tripleTasks;
    } else if (lastLines == 3 && tripleTasks > 0) {
        --tripleTasks;
    }
    if (combo >= 3 && tripleComboTasks > 0) {
        --tripleComboTasks;
        combo -= 3;
    }
    if (combo >= 2 && tripleComboTasks == 0 && doubleComboTasks > 0) {
        --doubleComboTasks;
        combo -= 2;
    }
    if (tripleTasks == 0 && quadTasks == 0 && doubleComboTasks == 0 && tripleComboTasks == 0) {
        ++stage;
        setUpStage();
    }
}

int32_t Board::stageLevel(int32_t s) {
    if (s < 2) return 1;
    int32_t found = 0;
    for (int32_t n = 2;; ++n) {
        if (isPrime(n) && ++found == s - 1) return n;
    }
}

void Board::setUpStage() {
    level = stageLevel(stage);
    tripleTasks = stage;
    quadTasks = stage;
    doubleComboTasks = stage;
    tripleComboTasks = stage;
}

void Board::burst(int row) {
    startBurst(row);
    burstIndex = (burstIndex + 1) % bursts;
}

// One burst slot for a cleared row: the first ten particles are the row's own blocks flying
// away, the rest small sparks spread over the row.
void Board::startBurst(int row) {
    const int b = burstIndex;
    burstFinished[b] = 0;
    int count = menu ? menu->particleCount : 0;
    if (count < 0) count = 0;
    if (count > maxParticleCount) count = maxParticleCount;
    for (int k = 0; k < particlesPerBurst; ++k) {
        Particle& p = particles[b][k];
        if (k >= count) {
            p.life = 0;
            continue;
        }
        p.x = Random::Draw() % 10000;
        p.y = Random::Draw() % 1000 + row * 1000;
        p.vx = Random::Draw() % 101 - 50;
        p.vy = Random::Draw() % 101 - 70;
        p.life = particleLife;
        p.fade = Random::Draw() % 20 + 5;
        p.size = Random::Draw() % 52 + 10;
        if (p.size >= blockParticleSize) ++p.size; // only the row's own blocks are 32
        p.colour = field.cell(p.x / 1000 + 1, row) - 1;
        p.x -= p.size * 1000 / 64;
        p.y -= p.size * 1000 / 64;
        if (k < 10) {
            p.x = k * 1000;
            p.y = row * 1000;
            p.size = blockParticleSize;
            p.colour = field.cell(k + 1, row) - 1;
        }
    }
}

// Two or more rows cleared at once push each cleared row into the opponent's waiting rows, with
// holes where the landed piece filled it.
void Board::sendGarbage(int row) {
    if (menu == nullptr || lastLines < 2) return;
    const int opponent = 1 - playerIndex;
    int32_t& pending = menu->pendingGarbage[opponent];
    if (menu->pendingGarbage[playerIndex] < 0 || pending < 0 ||
        pending >= BoardContext::garbageRows)
        return;
    int32_t* target = menu->garbage[opponent][pending];
    for (int column = 1; column <= 10; ++column) target[column - 1] = field.cell(column, row);
    // The landed piece stands where it was last tested; its cells are one row higher.
    const int pieceRow = field.pieceHeight / 1000 - 1;
    for (const auto& block : PlayField::pieceTable.blocks[field.currentType][field.rotation]) {
        const int column = field.pieceColumn + 1 + block[1];
        if (pieceRow + block[0] == row && column >= 1 && column <= 10) target[column - 1] = 0;
    }
    ++pending;
}

// The stack rises by the waiting rows: the top rows are lost and the received rows fill the
// bottom, the first received highest.
void Board::insertGarbage() {
    if (menu == nullptr) return;
    int32_t& pending = menu->pendingGarbage[playerIndex];
    if (pending <= 0) return;
    int n = pending > BoardContext::garbageRows ? BoardContext::garbageRows : pending;
    pending = 0;
    for (int row = 0; row < PlayField::floorRow; ++row) {
        for (int column = 1; column <= 10; ++column) {
            field.cell(column, row) = row + n < PlayField::floorRow
                                          ? field.cell(column, row + n)
                                          : menu->garbage[playerIndex][row + n - 20][column - 1];
        }
    }
}

void Board::moveParticles(int32_t ticks) {
    for (int b = 0; b < bursts; ++b) {
        if (burstFinished[b] != 0) continue;
        burstFinished[b] = 1;
        for (Particle& p : particles[b]) {
            if (p.life == 0) continue;
            const int64_t life = int64_t(p.life) - int64_t(p.fade) * ticks;
            if (life <= 0) {
                p.life = 0;
                continue;
            }
            p.life = int32_t(life);
            burstFinished[b] = 0;
            p.x += p.vx * ticks;
            // Gravity each tick: the speed grows by one, then the particle moves by it.
            p.y += p.vy * ticks + ticks * (ticks + 1) / 2;
            p.vy += ticks;
        }
    }
}

int32_t Board::landingHeight() {
    return field.landingHeight(scratch);
}

void Board::placePiece(bool lookAhead) {
    computer.placePiece(field, lookAhead);
}
