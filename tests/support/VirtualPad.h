#pragma once
// A game controller made of software (SDL's virtual joysticks, with SDL's own controller
// mapping), so tests drive the real controller road: plug in, buttons, sticks, pull out.
#include <SDL.h>

class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.name = "brixel test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0) joystick = SDL_JoystickOpen(index);
        if (joystick) id = SDL_JoystickInstanceID(joystick);
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool PluggedIn() const { return joystick != nullptr; }
    SDL_JoystickID Id() const { return id; }

    void Press(SDL_GameControllerButton button) { SetButton(button, 1); }
    void Release(SDL_GameControllerButton button) { SetButton(button, 0); }
    void Tap(SDL_GameControllerButton button) {
        Press(button);
        Release(button);
    }
    // As the controller reports it: sticks -32768..32767 (up and left negative), triggers
    // 0..32767. A virtual trigger's raw axis spans the whole range.
    void Move(SDL_GameControllerAxis axis, int value) {
        if (!joystick) return;
        const bool trigger =
            axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
        const int raw = trigger ? value * 2 - 32767 : value;
        SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(raw));
        Update();
    }

    void Unplug() {
        if (!joystick) return;
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) != id) continue;
            SDL_JoystickDetachVirtual(index);
            break;
        }
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        Update();
    }

    // SDL turns the new state into events when it pumps; the game's watch takes them there, and
    // the queue need not keep them (unless a test wants to see them queued).
    void Update() {
        SDL_PumpEvents();
        if (!keepQueued) SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
    }
    bool keepQueued = false;

private:
    void SetButton(SDL_GameControllerButton button, int down) {
        if (!joystick) return;
        SDL_JoystickSetVirtualButton(joystick, button, static_cast<Uint8>(down));
        Update();
    }

    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
};
