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

constexpr ControlRow networkRows[] = {
    {AddressPrompt, ControlKind::Label, 20, 20, 460, 40, Place::AbsoluteKeeping, 865, noText,
     "standard"},
    {AddressField, ControlKind::TextField, 20, 65, 300, 22, Place::AbsoluteKeeping, noText, noText,
     "standard"},
    {JoinButton, ControlKind::Button, 335, 65, 145, 22, Place::AbsoluteKeeping, 863, noText,
     "button"},
    {HostButton, ControlKind::Button, 20, 105, 300, 22, Place::AbsoluteKeeping, 862, noText,
     "button"},
    {RelayPrompt, ControlKind::Label, 20, 140, 460, 40, Place::AbsoluteKeeping, 880, noText,
     "standard"},
    {RelayField, ControlKind::TextField, 20, 185, 190, 22, Place::AbsoluteKeeping, noText, noText,
     "standard"},
    {RoomField, ControlKind::TextField, 220, 185, 100, 22, Place::AbsoluteKeeping, noText, noText,
     "standard"},
    {RoomButton, ControlKind::Button, 335, 185, 145, 22, Place::AbsoluteKeeping, 881, noText,
     "button"},
    {StatusLabel, ControlKind::Label, 20, 225, 460, 80, Place::AbsoluteKeeping, noText, noText,
     "standard"},
    {CancelButton, ControlKind::Button, 335, 315, 145, 22, Place::AbsoluteKeeping, 864, noText,
     "button"},
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
    {net::ConnectionLost, 874}, {net::HostileInput, 875}, {net::NoNetwork, 872},
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

void MenuSystem::openNetworkDialog() {
    networkOpen = 1;
    session.close();
    GuiControl* field = networkWindow.GetControl(AddressField);
    field->text = settings.networkAddress.substr(0, addressLength);
    networkWindow.SetControlParams(AddressField, 3, int32_t(field->text.size()), addressLength,
                                   TextMode::Any);
    GuiControl* relay = networkWindow.GetControl(RelayField);
    relay->text = settings.relayAddress.substr(0, addressLength);
    networkWindow.SetControlParams(RelayField, 3, int32_t(relay->text.size()), addressLength,
                                   TextMode::Any);
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
    if (!session.join(address, helloOf(*player1, settings, directX->versionText))) {
        networkWindow.GetControl(StatusLabel)->text = failureText(session.failure());
        return;
    }
    networkWindow.GetControl(StatusLabel)->text = text(867);
}

void MenuSystem::joinRelayRoom() {
    const std::string relay = networkWindow.GetControl(RelayField)->text;
    std::string room = networkWindow.GetControl(RoomField)->text;
    // The room code is letters and digits; spaces typed into it are left out.
    std::erase(room, ' ');
    settings.relayAddress = relay;
    if (!session.joinRelay(relay, room, helloOf(*player1, settings, directX->versionText))) {
        networkWindow.GetControl(StatusLabel)->text = failureText(session.failure());
        return;
    }
    networkWindow.GetControl(StatusLabel)->text = text(867);
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
