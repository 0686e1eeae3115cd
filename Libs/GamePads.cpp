#include "Libs/GamePads.h"

#include "Libs/InputLib.h"

#include <SDL.h>

namespace {

struct ButtonRow {
    SDL_GameControllerButton button;
    PadControl control;
};
constexpr ButtonRow buttonRows[] = {
    {SDL_CONTROLLER_BUTTON_A, PadControl::A},
    {SDL_CONTROLLER_BUTTON_B, PadControl::B},
    {SDL_CONTROLLER_BUTTON_X, PadControl::X},
    {SDL_CONTROLLER_BUTTON_Y, PadControl::Y},
    {SDL_CONTROLLER_BUTTON_BACK, PadControl::Back},
    {SDL_CONTROLLER_BUTTON_START, PadControl::Start},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadControl::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadControl::RightShoulder},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, PadControl::LeftStickClick},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, PadControl::RightStickClick},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadControl::Up},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadControl::Down},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadControl::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadControl::Right},
};

// An axis is one key per direction; triggers only have the positive one.
struct AxisRow {
    SDL_GameControllerAxis axis;
    PadControl negative;
    PadControl positive;
    bool hasNegative;
};
constexpr AxisRow axisRows[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, PadControl::LeftStickLeft, PadControl::LeftStickRight, true},
    {SDL_CONTROLLER_AXIS_LEFTY, PadControl::LeftStickUp, PadControl::LeftStickDown, true},
    {SDL_CONTROLLER_AXIS_RIGHTX, PadControl::RightStickLeft, PadControl::RightStickRight, true},
    {SDL_CONTROLLER_AXIS_RIGHTY, PadControl::RightStickUp, PadControl::RightStickDown, true},
    {SDL_CONTROLLER_AXIS_TRIGGERLEFT, PadControl::LeftTrigger, PadControl::LeftTrigger, false},
    {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, PadControl::RightTrigger, PadControl::RightTrigger, false},
};

// A direction goes down past half the travel and up again only below a third of it, so a
// stick resting near the edge of the dead zone never chatters.
constexpr int pressBeyond = 16384;
constexpr int releaseBelow = 10923;

int PadOfJoystick(const InputLib& input, SDL_JoystickID id) {
    for (int pad = 0; pad < PadCount; ++pad) {
        if (input.pads[pad].joystickId == id && !input.pads[pad].gone) return pad;
    }
    return -1;
}

bool IsHeld(const GamePad& pad, PadControl control) {
    return (pad.held >> static_cast<int>(control)) & 1u;
}

// One direction of an axis moved to magnitude (0 .. 32768 towards that direction).
void MoveDirection(InputLib& input, int pad, PadControl control, int magnitude) {
    const bool held = IsHeld(input.pads[pad], control);
    const bool nowHeld = held ? magnitude >= releaseBelow : magnitude > pressBeyond;
    if (nowHeld != held) input.PushPadControl(pad, control, nowHeld ? 1 : 0);
}

void MoveAxis(InputLib& input, int pad, Uint8 axis, int value) {
    for (const AxisRow& row : axisRows) {
        if (row.axis != axis) continue;
        if (row.hasNegative) MoveDirection(input, pad, row.negative, -value);
        MoveDirection(input, pad, row.positive, value);
    }
}

void PressButton(InputLib& input, int pad, Uint8 button, int pressed) {
    for (const ButtonRow& row : buttonRows) {
        if (row.button == button && IsHeld(input.pads[pad], row.control) != (pressed != 0))
            input.PushPadControl(pad, row.control, pressed);
    }
}

// A controller pulled out lets go of everything it held, so no key stays down in the game.
void PullOut(InputLib& input, int pad) {
    for (int c = 0; c < PadControlCount; ++c) {
        const PadControl control = static_cast<PadControl>(c);
        if (IsHeld(input.pads[pad], control)) input.PushPadControl(pad, control, 0);
    }
    input.pads[pad].gone = 1;
    input.padsChanged = 1;
}

bool IsOpen(const InputLib& input, SDL_JoystickID id) {
    for (const GamePad& pad : input.pads) {
        if (pad.joystickId == id) return true;
    }
    for (const GamePad& pad : input.waitingPads) {
        if (pad.joystickId == id) return true;
    }
    return false;
}

// A waiting controller whose button went down takes the lowest free number; -1 when it is no
// waiting controller or both numbers are taken.
int ClaimPad(InputLib& input, SDL_JoystickID id) {
    for (GamePad& waiting : input.waitingPads) {
        if (waiting.joystickId != id || waiting.gone) continue;
        for (int pad = 0; pad < PadCount; ++pad) {
            if (input.pads[pad].joystickId >= 0) continue;
            input.pads[pad] = GamePad{};
            input.pads[pad].joystickId = id;
            waiting = GamePad{};
            return pad;
        }
        return -1;
    }
    return -1;
}

// Closes a controller that was pulled out and frees its place.
void CloseIfGone(GamePad& pad) {
    if (!pad.gone) return;
    if (SDL_GameController* c = SDL_GameControllerFromInstanceID(pad.joystickId))
        SDL_GameControllerClose(c);
    pad = GamePad{};
}

} // namespace

void StartGamePads(InputLib& input) {
    // The game decides itself what to ignore while its window is inactive (ReadKey's gate);
    // SDL dropping events then would lose the release of a button held while switching away.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
    input.padsChanged = 1; // controllers already plugged in
}

void StopGamePads(InputLib& input) {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
    for (GamePad* list : {input.pads, input.waitingPads}) {
        const int count = list == input.pads ? PadCount : InputLib::WaitingPadCount;
        for (int i = 0; i < count; ++i) {
            GamePad& pad = list[i];
            if (pad.joystickId < 0) continue;
            if (SDL_GameController* c = SDL_GameControllerFromInstanceID(pad.joystickId))
                SDL_GameControllerClose(c);
            pad = GamePad{};
        }
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void HandleGamePadEvent(InputLib& input, const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        input.padsChanged = 1;
        break;
    case SDL_CONTROLLERDEVICEREMOVED: {
        const int pad = PadOfJoystick(input, e.cdevice.which);
        if (pad >= 0) PullOut(input, pad);
        for (GamePad& waiting : input.waitingPads) {
            if (waiting.joystickId == e.cdevice.which) waiting.gone = 1;
        }
        input.padsChanged = 1;
        break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        int pad = PadOfJoystick(input, e.cbutton.which);
        if (pad < 0 && e.type == SDL_CONTROLLERBUTTONDOWN) pad = ClaimPad(input, e.cbutton.which);
        if (pad >= 0) PressButton(input, pad, e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        const int pad = PadOfJoystick(input, e.caxis.which);
        if (pad >= 0) MoveAxis(input, pad, e.caxis.axis, e.caxis.value);
        break;
    }
    default:
        break;
    }
}

void UpdateGamePadSlots(InputLib& input) {
    input.padsChanged = 0;
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
    for (GamePad& pad : input.pads) CloseIfGone(pad);
    for (GamePad& pad : input.waitingPads) CloseIfGone(pad);
    // New controllers wait for their first button press to get a number.
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        GamePad* free = nullptr;
        for (GamePad& pad : input.waitingPads) {
            if (pad.joystickId < 0) {
                free = &pad;
                break;
            }
        }
        if (!free) return;
        if (!SDL_IsGameController(index) || IsOpen(input, SDL_JoystickGetDeviceInstanceID(index)))
            continue;
        SDL_GameController* controller = SDL_GameControllerOpen(index);
        if (!controller) continue;
        free->joystickId = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    }
}
