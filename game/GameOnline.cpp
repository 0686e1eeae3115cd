// The online two-player game: the local board (right, player 1's keys) runs as in a local
// duel; the left board shows the other player's. Escape asks before leaving; a lost connection
// ends the game with a message.
#include "Libs/KeyCodes.h"
#include "Libs/Tick.h"
#include "game/Game.h"
#include "storage/TextFormat.h"

namespace {

enum OnlineText {
    TextYes = 100,
    TextNo = 101,
    TextDuelResult = 215,
    TextLeaveQuestion = 876,
    TextDraw = 877,
    TextWaitForStart = 878,
    TextOk = 879,
};

} // namespace

void Game::startOnline() {
    BoardContext& context = menu->boardContext;
    PlayerProfile& player1 = *menu->player1;
    net::Session& session = menu->session;
    online = 1;
    onlineDialog = NoOnlineDialog;
    menu->pausedGame = 0; // an online game cannot wait in the menus
    mode = 2;
    context.pendingGarbage[0] = context.pendingGarbage[1] = 0;
    // The other board looks like the local one; only the name is the other player's.
    remotePlayer = PlayerProfile{};
    remotePlayer.name = session.peer().name;
    remotePlayer.displayFlags = player1.displayFlags & 1;
    remotePlayer.displayOption = player1.displayOption;
    const bool endlessDuel =
        session.leads() ? menu->settings.twoPlayerEndless != 0 : session.peer().endless != 0;
    duel.begin(session, context, rightBoard, leftBoard, player1, remotePlayer, endlessDuel);
    endless = endlessDuel ? 1 : 0;
    pairName1 = player1.name;
    pairName2 = remotePlayer.name;
    lastPairing = 4; // a later local pairing starts its own tally
    leftWins = rightWins = 0;
}

int Game::onlineFrame(uint32_t elapsed) {
    const int32_t ticks = static_cast<int32_t>(elapsed / 10);
    if (dialogOpen) {
        activeDialog->DrawWindow();
        if (runOnlineDialog()) return 1;
    } else {
        input->padMeaning = PadMeaning::Play;
        while (input->ReadKey(1, 1, 0)) {
            const InputEvent& event = input->event;
            if (event.IsPress() && event.offset == KeyEscape) {
                openOnlineDialog(LeaveQuestion, menu->text(TextLeaveQuestion));
                break;
            }
            if (duel.phase == net::OnlineDuel::Playing) rightBoard.handleKey(true);
        }
    }
    duel.frame(ticks, GetTickCount());
    leftWins = duel.remoteWins;
    rightWins = duel.localWins;
    // A waiting result dialog gives way once the next game has begun.
    const bool nextBegun =
        duel.phase == net::OnlineDuel::CountingDown || duel.phase == net::OnlineDuel::Playing;
    if (dialogOpen && onlineDialog == OnlineResult && nextBegun) {
        dialogOpen = 0;
        onlineDialog = NoOnlineDialog;
        directX->ShowCursor(0);
    }
    if (net::OnlineDuel::Outcome outcome = duel.takeOutcome()) showOnlineOutcome(outcome);
    if (duel.phase == net::OnlineDuel::Ended && onlineDialog != ConnectionEnded)
        openOnlineDialog(ConnectionEnded, menu->failureText(duel.endReason));
    return 0;
}

// A round's result: in an endless duel the tally says it; otherwise the result dialog.
void Game::showOnlineOutcome(net::OnlineDuel::Outcome outcome) {
    if (endless) return;
    const std::string& me = menu->player1->name;
    const std::string& other = remotePlayer.name;
    if (outcome == net::OnlineDuel::LocalWon)
        openOnlineDialog(OnlineResult, FormatText(menu->text(TextDuelResult), {me, other}));
    else if (outcome == net::OnlineDuel::LocalLost)
        openOnlineDialog(OnlineResult, FormatText(menu->text(TextDuelResult), {other, me}));
    else
        openOnlineDialog(OnlineResult, menu->text(TextDraw));
}

void Game::openOnlineDialog(int kind, const std::string& message) {
    onlineDialog = kind;
    activeDialog = &twoPlayerDialog;
    dialogOpen = 1;
    lastResult = message;
    dialogOpenedAt = GetTickCount();
    twoPlayerDialog.GetControl(ResultLabel)->text = message;
    const bool single = kind == ConnectionEnded;
    twoPlayerDialog.GetControl(AgainButton)->text = menu->text(single ? TextOk : TextYes);
    twoPlayerDialog.GetControl(MenuButton)->text = menu->text(TextNo);
    twoPlayerDialog.GetControl(MenuButton)->visible = single ? 0 : 1;
    twoPlayerDialog.SetFocus(AgainButton, 0);
    directX->ShowCursor(1);
}

// The dialog's answer: 1 to go back to the menus.
int Game::runOnlineDialog() {
    input->padMeaning = PadMeaning::Menus;
    int32_t id = 0;
    for (;;) {
        int32_t result = 0;
        id = -1;
        if (input->ReadKey(1, 1, 0)) {
            // Keys still hammered for the game do not answer what the player has not seen.
            if (GetTickCount() - dialogOpenedAt < resultKeyGuardMs) continue;
            result = activeDialog->RunFrame(GuiInput::Keyboard, id);
            if (result == 0 && input->event.offset == KeyEscape && input->event.data == 0x80)
                result = id = onlineDialog == ConnectionEnded ? AgainButton : MenuButton;
        } else if (input->ReadMouse(0, 1, 1)) {
            result = activeDialog->RunFrame(GuiInput::Mouse, id);
        } else {
            activeDialog->RunFrame(GuiInput::None, id);
            return 0;
        }
        if (result > 0 && (id == AgainButton || id == MenuButton)) break;
    }
    const int kind = onlineDialog;
    dialogOpen = 0;
    onlineDialog = NoOnlineDialog;
    twoPlayerDialog.GetControl(MenuButton)->visible = 1;
    twoPlayerDialog.GetControl(AgainButton)->text = menu->text(TextYes);
    directX->ShowCursor(0);
    const bool yes = id == AgainButton;
    if (kind == LeaveQuestion && !yes) return 0;
    if (kind == OnlineResult && yes && duel.phase == net::OnlineDuel::Finished) {
        // The leader starts the next game; the other waits for it.
        if (menu->session.leads())
            duel.playAgain();
        else
            openOnlineDialog(OnlineResult, menu->text(TextWaitForStart));
        return 0;
    }
    if (kind == OnlineResult && yes) return 0; // the next game began meanwhile
    // Leaving: a running round counts as lost; a finished game or a lost connection as
    // nothing more.
    if (duel.phase != net::OnlineDuel::Ended) duel.leave();
    menu->session.close();
    online = 0;
    input->SetKeyRepeat(-1, 300, 50);
    return 1;
}
