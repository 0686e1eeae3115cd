// The network dialog: the player hosts a game or joins one by address; the dialog says what is
// happening and why an attempt failed. Escape or Cancel leaves it at once.
#include "Libs/KeyCodes.h"
#include "menu/ControlRow.h"
#include "menu/MenuSystem.h"
#include "net/LocalAddresses.h"

namespace {

enum NetworkControl {
    AddressPrompt = 10,
    AddressField = 11,
    JoinButton = 12,
    HostButton = 13,
    CancelButton = 14,
    StatusLabel = 15,
    RelayPrompt = 16,
    RelayField = 17,
    RoomField = 18,
    RoomButton = 19,
};

// Every control of the dialog stands where its row says; labels and fields in the plain style.
constexpr ControlRow placed(int id, ControlKind kind, int x, int y, int width, int height,
                            int caption) {
    const char* style = kind == ControlKind::Button ? "button" : "standard";
    return {id, kind, x, y, width, height, Place::AbsoluteKeeping, caption, noText, style};
}

constexpr ControlRow networkRows[] = {
    placed(AddressPrompt, ControlKind::Label, 20, 20, 460, 40, 865),
    placed(AddressField, ControlKind::TextField, 20, 65, 300, 22, noText),
    placed(JoinButton, ControlKind::Button, 335, 65, 145, 22, 863),
    placed(HostButton, ControlKind::Button, 20, 105, 300, 22, 862),
    placed(RelayPrompt, ControlKind::Label, 20, 140, 460, 40, 880),
    placed(RelayField, ControlKind::TextField, 20, 185, 190, 22, noText),
    placed(RoomField, ControlKind::TextField, 220, 185, 100, 22, noText),
    placed(RoomButton, ControlKind::Button, 335, 185, 145, 22, 881),
    placed(StatusLabel, ControlKind::Label, 20, 225, 460, 80, noText),
    placed(CancelButton, ControlKind::Button, 335, 315, 145, 22, 864),
};

constexpr int addressLength = 60;

// The failures a player can be told about, with their texts.
struct FailureText {
    net::Failure failure;
    int text;
};
constexpr FailureText failureTexts[] = {
    {net::Refused, 868},        {net::NoAnswer, 869},     {net::VersionFailure, 870},
    {net::PortInUse, 871},      {net::BadAddress, 872},   {net::PeerLeft, 873},
    {net::ConnectionLost, 874}, {net::HostileInput, 875}, {net::NoNetwork, 885},
    {net::RoomWasFull, 883},    {net::NobodyCame, 884},
};

} // namespace

void MenuSystem::buildNetworkWindow() {
    networkWindow.SetupWindow(262, 190, 500, 355, 1, text(861), "window", "window");
    addControls(networkWindow, language, networkRows);
    networkWindow.SetControlParams(AddressField, 3, 0, addressLength, TextMode::Any);
    networkWindow.SetControlParams(RelayField, 3, 0, addressLength, TextMode::Any);
    networkWindow.SetControlParams(RoomField, 3, 0, net::maxRoomCodeLength,
                                   TextMode::LettersDigits);
    networkWindow.hasStatusBar = 0;
}

std::string MenuSystem::failureText(net::Failure failure) {
    for (const FailureText& f : failureTexts)
        if (f.failure == failure) return text(f.text);
    return text(874);
}

// A text field of the dialog holding `text` (as much as fits), the cursor at its end.
static void fillField(GuiWindow& window, int id, const std::string& text, int length) {
    GuiControl* field = window.GetControl(id);
    field->text = text.substr(0, size_t(length));
    window.SetControlParams(id, 3, int32_t(field->text.size()), length, TextMode::Any);
}

void MenuSystem::openNetworkDialog() {
    networkOpen = 1;
    session.close();
    fillField(networkWindow, AddressField, settings.networkAddress, addressLength);
    fillField(networkWindow, RelayField, settings.relayAddress, addressLength);
    networkWindow.GetControl(StatusLabel)->text = "";
    networkWindow.SetFocus(AddressField, 0);
}

void MenuSystem::closeNetworkDialog() {
    session.close();
    networkOpen = 0;
}

static net::Hello helloOf(const PlayerProfile& player, const Settings& settings,
                          const std::string& version) {
    net::Hello hello;
    hello.gameVersion = version;
    hello.name = net::sendableName(player.name);
    hello.endless = settings.twoPlayerEndless ? 1 : 0;
    return hello;
}

void MenuSystem::hostNetworkGame() {
    if (!session.host(net::defaultPort, helloOf(*player1, settings, directX->versionText))) {
        networkWindow.GetControl(StatusLabel)->text = failureText(session.failure());
        return;
    }
    std::string where;
    for (const std::string& address : net::localAddresses())
        where += (where.empty() ? "" : ", ") + address + ":" + std::to_string(net::defaultPort);
    networkWindow.GetControl(StatusLabel)->text = text(866) + " " + where;
}

void MenuSystem::joinNetworkGame() {
    const std::string address = networkWindow.GetControl(AddressField)->text;
    settings.networkAddress = address;
    showAttempt(session.join(address, helloOf(*player1, settings, directX->versionText)));
}

// "Connecting ..." once an attempt is under way, else why it could not begin.
void MenuSystem::showAttempt(bool started) {
    networkWindow.GetControl(StatusLabel)->text =
        started ? text(867) : failureText(session.failure());
}

void MenuSystem::joinRelayRoom() {
    const std::string relay = networkWindow.GetControl(RelayField)->text;
    std::string room = networkWindow.GetControl(RoomField)->text;
    // The room code is letters and digits; spaces typed into it are left out.
    std::erase(room, ' ');
    settings.relayAddress = relay;
    showAttempt(session.joinRelay(relay, room, helloOf(*player1, settings, directX->versionText)));
}

// One key or mouse event for the dialog; 0 when the online game starts.
int MenuSystem::routeNetworkEvent(int mode) {
    int id = -1;
    const int result = networkWindow.RunFrame(mode, id);
    const bool escape = mode == 2 && input->event.offset == KeyEscape && input->event.IsPress();
    const bool enter = mode == 2 && input->event.offset == KeyReturn && input->event.IsPress();
    if (result < 0 || (result == 0 && escape))
        id = CancelButton;
    else if (result == 0 && enter && networkWindow.GetControl(AddressField)->focused)
        id = JoinButton;
    else if (result <= 0)
        return 1;
    switch (id) {
    case CancelButton:
        closeNetworkDialog();
        return 1;
    case JoinButton:
        joinNetworkGame();
        return 1;
    case HostButton:
        hostNetworkGame();
        return 1;
    case RoomButton:
        joinRelayRoom();
        return 1;
    default:
        return 1;
    }
}

// Every frame while the dialog is open: what the network did; 0 once both players are there.
int MenuSystem::runNetworkDialog() {
    int id = -1;
    networkWindow.RunFrame(0, id);
    session.service();
    if (session.phase() == net::Session::Ready) {
        networkOpen = 0;
        requestedGame = 1;
        pausedGame = 0;
        return 0;
    }
    GuiControl* status = networkWindow.GetControl(StatusLabel);
    if (session.phase() == net::Session::Waiting && session.throughRelay())
        status->text = text(882);
    if (session.phase() == net::Session::Closed && session.failure() != net::NoFailure)
        networkWindow.GetControl(StatusLabel)->text = failureText(session.failure());
    return 1;
}
