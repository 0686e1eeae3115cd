#pragma once
#include "Libs/InputEvent.h"
#include "Libs/KeyCodes.h"

#include <cstdint>
#include <string>

// Auto-repeat timing of one key. pressTime is the tick from which the next made-up press is
// timed; 0 means the key is not held (or its repeat is off).
struct KeyRepeat {
    uint32_t pressTime = 0;
    uint32_t firstDelay = 300;
    uint32_t repeatInterval = 50;
    uint32_t firstRepeatPending = 0;
};

// One device's event buffer. Holds at most Capacity unread events; what arrives beyond that is
// lost, as with a buffered hardware device.
struct InputDevice {
    static constexpr int Capacity = 50;
    InputEvent events[Capacity];
    int first = 0; // index of the oldest unread event
    int count = 0; // unread events
    int acquired = 0;

    // 1 when the event was stored, 0 when the buffer was full and it was lost.
    int Append(const InputEvent& e);
    // 1 and the oldest event in e, or 0 when the buffer is empty (e untouched).
    int Take(InputEvent& e);
    void Clear() { first = count = 0; }
};

// What the keys of the game controllers mean to whoever reads keys at this moment.
enum class PadMeaning {
    Menus,    // D-pad and left stick are the arrow keys, A Return, B Escape, RB Tab
    Play,     // every control is its own key, except Start, which leaves the game like Escape
    OwnCodes, // every control is its own key: a key field is capturing
};

// One connected game controller: "Pad 1" or "Pad 2".
struct GamePad {
    int32_t joystickId = -1; // the controller's SDL instance id; -1 = nobody here
    int gone = 0;            // pulled out; closed at the next read
    uint32_t held = 0;       // one bit per PadControl that is down now
};

// Keyboard, mouse and game controllers. Whoever is active in a frame drains the buffered events
// one at a time; keys get an auto-repeat of the game's own, configurable per key. Key codes are
// the keyboard position codes that profiles store (Escape 1, Enter 28, F1 59, cursor up 200,
// ...); the controllers' buttons and sticks are keys with codes of their own.
class InputLib {
public:
    int directInput = 0; // 1 while the event source is initialised
    InputDevice keyboard;
    InputDevice mouse;
    KeyRepeat keyRepeat[256];
    uint8_t keyState[256] = {}; // snapshot taken by GetKeyChar; non-zero = key down
    InputEvent event;           // the event most recently read or made up

    InputLib();
    ~InputLib();
    InputLib(const InputLib&) = delete;
    InputLib& operator=(const InputLib&) = delete;

    // Starts receiving keyboard and mouse events (fatal error when that is impossible).
    void Init();
    void Release();

    // 1 = event holds a keyboard event, 0 = none. While the window is not active and
    // evenWhenInactive is 0, every buffered key is thrown away and 0 returned; once it is active
    // again, keys let go in between are reported released, and keys pressed in between neither
    // count as held nor repeat.
    int ReadKey(int repeat, int acceptReleases, int evenWhenInactive);
    // As ReadKey without the activity gate.
    int ReadKeyEvent(int repeat, int acceptReleases);
    // 1 = event holds a mouse event of an accepted kind; other kinds are used up and skipped.
    int ReadMouse(int acceptMoves, int acceptPresses, int acceptReleases);
    // key -1: every key gets the timing and loses its hold; else only that key's timing (and
    // a first delay of 0, repeat off, ends the key's hold).
    void SetKeyRepeat(int key, uint32_t firstDelay, uint32_t repeatInterval);

    // Display name of a key code: the language's name where it gave one (SetKeyName), else the
    // built-in German name, and "#<code>" for codes without a name.
    std::string GetKeyName(int code);
    // The language's name for a key; an empty name brings the German one back.
    void SetKeyName(int code, const std::string& name);
    // The Windows-1252 character the key gives on a German layout with the modifiers held now.
    std::string GetKeyChar(int code, int numPadDigits);

    // Where platform events enter, and the test seam: append to the 50-event buffers (stamping
    // the sequence, and the time when it is 0) and keep the held-key state up to date.
    void PushKeyboardEvent(const InputEvent& e);
    void PushMouseEvent(const InputEvent& e);
    // Typed text as the system delivers it (UTF-8): one KeyTypedText event per character, in
    // the keyboard buffer after the key that typed it. A character Windows-1252 cannot
    // express is left out.
    void PushTypedText(const std::string& utf8);

    // Game controllers, numbered in the order their first button was pressed: "Pad 1" is the
    // pad that claimed it first, whatever the order they were plugged in. Their buttons, stick
    // directions and triggers come as key events of their own codes (KeyCodes.h), read as
    // padMeaning says. Controllers without a number yet wait in waitingPads; only a button
    // press claims a number, so a stick resting off centre never does.
    GamePad pads[PadCount];
    static constexpr int WaitingPadCount = 4;
    GamePad waitingPads[WaitingPadCount];
    PadMeaning padMeaning = PadMeaning::Menus;
    int padsChanged = 0; // a controller came or went: slots are filled and freed at the next read
    // Made by the platform's controller events: a control of a pad went down or up.
    void PushPadControl(int pad, PadControl control, int pressed);

    // The keys held down right now (what GetKeyChar snapshots); kept from the events as they
    // arrive, also those lost to a full buffer.
    uint8_t heldKeys[256] = {};
    uint32_t nextSequence = 1; // shared by both devices, so events can be ordered

private:
    // The key a pad code's last press was read as (0: its own code), so that its release ends
    // the same key even when the meaning has changed in between.
    uint8_t padKeyReadAs[256] = {};
    std::string languageKeyNames[256]; // empty: the German name stands

    // Keys whose press a reader got and whose release it has not; the releases owed to it
    // for such keys let go while the window was inactive.
    uint8_t readerHolds[256] = {};
    uint8_t owedRelease[256] = {};

    int TakeKey();
    void DiscardKeys();
    int TakeOwedRelease(int acceptReleases);
    void ReadPadKeyAs(InputEvent& e);
    int ReadRepeatedKey(int acceptReleases);
    int MakeUpRepeat();
};
