#include "Libs/InputLib.h"

#include "Libs/DirectXLib.h"
#include "Libs/FatalError.h"
#include "Libs/GamePads.h"
#include "Libs/KeyCodes.h"
#include "Libs/Tick.h"
#include "Libs/Win1252.h"

#include <SDL.h>

#include <cstring>

namespace {

constexpr const char* ModuleName = "Libs\\DirectX";
constexpr uint32_t Pressed = 0x80;

// Mouse offsets of the buffered records.
constexpr uint32_t MouseX = 0;
constexpr uint32_t MouseY = 4;
constexpr uint32_t MouseWheel = 8;
constexpr uint32_t MouseButton0 = 12;
constexpr int WheelDelta = 120; // one wheel notch, as the wheel data has always counted it

// SDL's buttons (left 1, middle 2, right 3, x1 4) to the mouse's button numbers 0..3
// (left, right, middle, x1); -1 for buttons the mouse record has no room for.
int MouseButtonNumber(uint8_t sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    case SDL_BUTTON_X1:
        return 3;
    default:
        return -1;
    }
}

// The keys that pad controls stand for, by meaning; controls not listed are their own keys.
struct PadKey {
    PadMeaning meaning;
    PadControl control;
    int key;
};
constexpr PadKey padKeys[] = {
    {PadMeaning::Menus, PadControl::Up, KeyUp},
    {PadMeaning::Menus, PadControl::Down, KeyDown},
    {PadMeaning::Menus, PadControl::Left, KeyLeft},
    {PadMeaning::Menus, PadControl::Right, KeyRight},
    {PadMeaning::Menus, PadControl::LeftStickUp, KeyUp},
    {PadMeaning::Menus, PadControl::LeftStickDown, KeyDown},
    {PadMeaning::Menus, PadControl::LeftStickLeft, KeyLeft},
    {PadMeaning::Menus, PadControl::LeftStickRight, KeyRight},
    {PadMeaning::Menus, PadControl::A, KeyReturn},
    {PadMeaning::Menus, PadControl::B, KeyEscape},
    {PadMeaning::Menus, PadControl::RightShoulder, KeyTab},
    {PadMeaning::Play, PadControl::Start, KeyEscape},
};

int PadKeyFor(PadMeaning meaning, PadControl control) {
    for (const PadKey& row : padKeys) {
        if (row.meaning == meaning && row.control == control) return row.key;
    }
    return 0;
}

InputEvent MakeEvent(uint32_t offset, uint32_t data) {
    InputEvent e;
    e.offset = offset;
    e.data = data;
    return e;
}

// Runs inside SDL's event pump for every keyboard and mouse event it queues. SDL's own key
// repeat is not used: the game times its repeats itself.
int EventWatch(void* userData, SDL_Event* sdlEvent) {
    InputLib& input = *static_cast<InputLib*>(userData);
    const SDL_Event& e = *sdlEvent;
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (e.key.repeat != 0) break;
        int code = KeyCodeFromScancode(e.key.keysym.scancode);
        if (code == 0) break;
        input.PushKeyboardEvent(MakeEvent(code, e.type == SDL_KEYDOWN ? Pressed : 0));
        break;
    }
    case SDL_TEXTINPUT:
        input.PushTypedText(e.text.text);
        break;
    case SDL_MOUSEMOTION:
        if (e.motion.xrel != 0)
            input.PushMouseEvent(MakeEvent(MouseX, static_cast<uint32_t>(e.motion.xrel)));
        if (e.motion.yrel != 0)
            input.PushMouseEvent(MakeEvent(MouseY, static_cast<uint32_t>(e.motion.yrel)));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int button = MouseButtonNumber(e.button.button);
        if (button < 0) break;
        uint32_t data = e.type == SDL_MOUSEBUTTONDOWN ? Pressed : 0;
        input.PushMouseEvent(MakeEvent(MouseButton0 + button, data));
        break;
    }
    case SDL_MOUSEWHEEL: {
        int notches = e.wheel.y;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
        if (notches != 0)
            input.PushMouseEvent(
                MakeEvent(MouseWheel, static_cast<uint32_t>(notches * WheelDelta)));
        break;
    }
    default:
        HandleGamePadEvent(input, e);
        break;
    }
    return 1;
}

// Makes sure SDL queues the given event types; 1 when it does.
int EnableEvents(std::initializer_list<uint32_t> types) {
    for (uint32_t type : types) {
        SDL_EventState(type, SDL_ENABLE);
        if (SDL_EventState(type, SDL_QUERY) != SDL_ENABLE) return 0;
    }
    return 1;
}

// Without a window object (tools, tests of input alone) input counts as active.
bool WindowIsActive() {
    DirectXLib* dx = DirectXLib::Instance();
    return dx == nullptr || dx->windowState == DirectXLib::Active;
}

} // namespace

int InputDevice::Append(const InputEvent& e) {
    if (count == Capacity) return 0;
    events[(first + count) % Capacity] = e;
    ++count;
    return 1;
}

int InputDevice::Take(InputEvent& e) {
    if (count == 0) return 0;
    e = events[first];
    first = (first + 1) % Capacity;
    --count;
    return 1;
}

InputLib::InputLib() = default;

InputLib::~InputLib() {
    Release();
}

void InputLib::Init() {
    if (directInput) return;
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
        FatalError("Kann DirectInput nicht initialisieren.", __LINE__, ModuleName, 0);
    directInput = 1;

    if (!EnableEvents({SDL_KEYDOWN, SDL_KEYUP, SDL_TEXTINPUT}) ||
        SDL_GetKeyboardState(nullptr) == nullptr)
        FatalError("Kann Tastatur nicht initialisieren.", __LINE__, ModuleName, 0);
    keyboard.Clear();
    keyboard.acquired = 1;

    if (!EnableEvents({SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL}))
        FatalError("Kann Maus nicht initialisieren.", __LINE__, ModuleName, 0);
    mouse.Clear();
    mouse.acquired = 1;

    // Typed characters come from the system's keyboard layout, as text events.
    SDL_StartTextInput();
    SDL_AddEventWatch(EventWatch, this);
    StartGamePads(*this);
}

void InputLib::Release() {
    if (!directInput) return;
    SDL_DelEventWatch(EventWatch, this);
    StopGamePads(*this);
    keyboard.acquired = 0;
    mouse.acquired = 0;
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    directInput = 0;
}

void InputLib::PushKeyboardEvent(const InputEvent& e) {
    InputEvent stamped = e;
    stamped.sequence = nextSequence++;
    if (stamped.timeStamp == 0) stamped.timeStamp = GetTickCount();
    if (stamped.offset < 256) heldKeys[stamped.offset] = stamped.IsPress() ? 1 : 0;
    keyboard.Append(stamped);
}

void InputLib::PushTypedText(const std::string& utf8) {
    size_t at = 0;
    while (at < utf8.size()) {
        // One character: its lead byte and the continuation bytes after it.
        size_t end = at + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        std::string typed;
        if (Utf8ToWin1252(std::string_view(utf8).substr(at, end - at), typed) &&
            typed.size() == 1) {
            InputEvent e = MakeEvent(KeyTypedText, Pressed);
            e.appData = static_cast<unsigned char>(typed[0]);
            PushKeyboardEvent(e);
        }
        at = end;
    }
}

void InputLib::PushPadControl(int pad, PadControl control, int pressed) {
    const uint32_t bit = 1u << static_cast<int>(control);
    pads[pad].held = pressed ? pads[pad].held | bit : pads[pad].held & ~bit;
    PushKeyboardEvent(
        MakeEvent(static_cast<uint32_t>(PadKeyCode(pad, control)), pressed ? Pressed : 0));
}

void InputLib::PushMouseEvent(const InputEvent& e) {
    InputEvent stamped = e;
    stamped.sequence = nextSequence++;
    if (stamped.timeStamp == 0) stamped.timeStamp = GetTickCount();
    mouse.Append(stamped);
}

int InputLib::ReadKey(int repeat, int acceptReleases, int evenWhenInactive) {
    bool active = WindowIsActive();
    if (!active && !evenWhenInactive) {
        DiscardKeys();
        return 0;
    }
    return ReadKeyEvent(repeat, acceptReleases);
}

int InputLib::ReadKeyEvent(int repeat, int acceptReleases) {
    if (padsChanged) UpdateGamePadSlots(*this);
    if (TakeOwedRelease(acceptReleases)) return 1;
    if (repeat) return ReadRepeatedKey(acceptReleases);
    while (TakeKey()) {
        if (event.IsPress() || acceptReleases) return 1;
    }
    return 0;
}

// The oldest buffered key event into event, a pad's key read as it means now.
int InputLib::TakeKey() {
    if (!keyboard.Take(event)) return 0;
    ReadPadKeyAs(event);
    if (event.offset < 256) {
        readerHolds[event.offset] = event.IsPress() ? 1 : 0;
        owedRelease[event.offset] = 0;
    }
    return 1;
}

// Keys that come while another window has the focus are thrown away, so they start no hold and
// no repeat. A key whose press the reader got and that was let go meanwhile owes the reader its
// release; a key still held waits a whole first delay again rather than catching up on the
// repeats of the time away.
void InputLib::DiscardKeys() {
    if (padsChanged) UpdateGamePadSlots(*this);
    while (keyboard.Take(event)) {
        ReadPadKeyAs(event);
        if (event.offset >= 256) continue;
        const uint32_t k = event.offset;
        if (event.IsPress()) {
            owedRelease[k] = 0; // down again: what the reader believes is true once more
        } else {
            keyRepeat[k].pressTime = 0;
            if (readerHolds[k]) owedRelease[k] = 1;
        }
    }
    const uint32_t now = GetTickCount();
    for (KeyRepeat& r : keyRepeat) {
        if (r.pressTime == 0) continue;
        r.pressTime = now != 0 ? now : 1;
        r.firstRepeatPending = 1;
    }
}

// The release of a key let go while the window was inactive, lowest code first; 0 when none is
// owed or releases are not wanted (then the debts are settled silently).
int InputLib::TakeOwedRelease(int acceptReleases) {
    for (uint32_t k = 0; k < 256; ++k) {
        if (!owedRelease[k]) continue;
        owedRelease[k] = 0;
        readerHolds[k] = 0;
        if (!acceptReleases) continue;
        event = InputEvent{};
        event.offset = k;
        event.timeStamp = GetTickCount();
        return 1;
    }
    return 0;
}

void InputLib::ReadPadKeyAs(InputEvent& e) {
    int pad = 0;
    PadControl control{};
    if (!FindPadControl(static_cast<int>(e.offset), pad, control)) return; // pad codes are < 256
    uint8_t& readAs = padKeyReadAs[e.offset];
    if (e.IsPress()) readAs = static_cast<uint8_t>(PadKeyFor(padMeaning, control));
    if (readAs != 0) e.offset = readAs;
    if (!e.IsPress()) readAs = 0;
}

// Real events first, each starting or ending its key's hold; when none is left, one made-up
// press of the first key whose repeat is due.
int InputLib::ReadRepeatedKey(int acceptReleases) {
    while (TakeKey()) {
        if (event.offset < 256) {
            KeyRepeat& r = keyRepeat[event.offset];
            if (!event.IsPress()) {
                r.pressTime = 0;
            } else if (r.firstDelay != 0) {
                // 0 marks a key as not held, so a press at tick 0 counts from tick 1.
                uint32_t now = GetTickCount();
                r.pressTime = now != 0 ? now : 1;
                r.firstRepeatPending = 1;
            }
        }
        if (event.IsPress() || acceptReleases) return 1;
    }
    return MakeUpRepeat();
}

// Scans from the lowest key code up. Each repeat is timed from the previous scheduled time,
// not from when it was read, so the cadence holds even when frames are late.
int InputLib::MakeUpRepeat() {
    for (uint32_t k = 0; k < 256; ++k) {
        KeyRepeat& r = keyRepeat[k];
        if (r.pressTime == 0) continue;
        uint32_t wait = r.firstRepeatPending ? r.firstDelay : r.repeatInterval;
        // A zero interval would fire on every read and never let a draining loop end.
        if (wait == 0) wait = 1;
        // Elapsed time rather than pressTime < now - wait: the tick count starts near 0, and
        // now - wait would wrap for a key pressed in the program's first moments.
        if (GetTickCount() - r.pressTime > wait) {
            r.firstRepeatPending = 0;
            r.pressTime += wait;
            event.offset = k;
            event.data = Pressed;
            event.repeated = 1;
            return 1;
        }
    }
    return 0;
}

int InputLib::ReadMouse(int acceptMoves, int acceptPresses, int acceptReleases) {
    while (mouse.Take(event)) {
        if (event.offset == MouseX || event.offset == MouseY) {
            if (acceptMoves) return 1;
        } else if (event.IsPress()) {
            if (acceptPresses) return 1;
        } else if (acceptReleases) {
            return 1;
        }
    }
    return 0;
}

void InputLib::SetKeyRepeat(int key, uint32_t firstDelay, uint32_t repeatInterval) {
    if (key == -1) {
        for (KeyRepeat& r : keyRepeat) {
            r.firstDelay = firstDelay;
            r.repeatInterval = repeatInterval;
            r.pressTime = 0;
        }
        return;
    }
    if (key < 0 || key > 255) return;
    KeyRepeat& r = keyRepeat[key];
    r.firstDelay = firstDelay;
    r.repeatInterval = repeatInterval;
    // Repeat switched off: a held key must not fire on every read from now on.
    if (firstDelay == 0) r.pressTime = 0;
}

std::string InputLib::GetKeyName(int code) {
    if (code >= 0 && code < 256 && !languageKeyNames[code].empty()) return languageKeyNames[code];
    if (const char* name = FindKeyText(KeyNameTable(), code)) return name;
    if (const char* name = FindKeyText(PadKeyNameTable(), code)) return name;
    // Short enough for a key field, and the same in every language.
    return "#" + std::to_string(code);
}

void InputLib::SetKeyName(int code, const std::string& name) {
    if (code >= 0 && code < 256) languageKeyNames[code] = name;
}

std::string InputLib::GetKeyChar(int code, int numPadDigits) {
    int pad = 0;
    PadControl control{};
    if (FindPadControl(code, pad, control)) return ""; // a pad types nothing
    std::string text = "Unbekannt: " + std::to_string(code);
    if (const char* c = FindKeyText(BaseCharTable(), code)) text = c;
    if (numPadDigits) {
        if (const char* c = FindKeyText(NumPadCharTable(), code)) text = c;
    }
    // The modifiers of this moment, not of the event being handled.
    std::memcpy(keyState, heldKeys, sizeof keyState);
    if (keyState[KeyLeftShift] || keyState[KeyRightShift]) {
        for (char& ch : text) {
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
        }
        if (const char* c = FindKeyText(ShiftCharTable(), code)) text = c;
    }
    if (keyState[KeyAltGr]) {
        if (const char* c = FindKeyText(AltGrCharTable(), code)) text = c;
    }
    return text;
}
