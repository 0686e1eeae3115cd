#pragma once
#include <cstdint>
#include <string>

#include "gui/GuiControl.h"
#include "storage/KeyedTable.h"

// RunFrame modes: what the current InputLib event is.
namespace GuiInput {
constexpr int None = 0;     // no event this frame: hover states only
constexpr int Mouse = 1;    // InputLib's event is a mouse event
constexpr int Keyboard = 2; // InputLib's event is a keyboard event
} // namespace GuiInput

// A menu page or dialog: a rectangle of controls keyed by positive ids, drawn from the skin.
// Built once (SetupWindow, AddControl), then drawn (DrawWindow) and fed input (RunFrame) every
// frame. Controls keep a pointer to their window, so a window is never copied or moved.
class GuiWindow {
public:
    std::string title;
    std::string fontName;                        // title and status text
    std::string colourName;                      // title and status text
    int32_t x = 0, y = 0, width = 0, height = 0; // client area; the frame lies around it
    // Where a frameless window shows the focused control's status text.
    int32_t statusX = 0, statusY = 0, statusWidth = 0, statusHeight = 0;
    int32_t cursorX = 0, cursorY = 0; // layout cursor of AddControl
    int32_t dragX = -1, dragY = 0;    // dragX -1: not being dragged
    int32_t hasCloseButton = 1;
    int32_t framed = 0;
    int32_t hasStatusBar = 1;
    int32_t active = 1;
    int32_t closeButtonState = 0; // 0 normal, 1 hovered, 2 hovered while pressed
    int32_t closeButtonPressed = 0;
    int32_t movable = 1;
    KeyedTable<int32_t, GuiControl> controls; // ascending id
    GuiControl* focus = nullptr;

    GuiWindow() = default;
    GuiWindow(const GuiWindow&) = delete;
    GuiWindow& operator=(const GuiWindow&) = delete;

    void SetupWindow(int32_t x, int32_t y, int32_t width, int32_t height, int32_t framed,
                     const std::string& title, const std::string& fontName,
                     const std::string& colourName);
    // Placement: 0 relative to the layout cursor, cursor moved there; 1 relative, cursor kept;
    // 2 absolute, cursor moved; 3 absolute, cursor kept. Returns nullptr for an id that is not
    // positive or already used.
    GuiControl* AddControl(int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t placement, ControlKind kind, const std::string& text,
                           const std::string& statusText, const std::string& fontName,
                           const std::string& colourName);
    // Stores the first count of p1..p5 into parameters 1..5; a table sorts again, a combo box
    // selects by text (p3 non-zero) or by index p1.
    void SetControlParams(int32_t id, int count, int32_t p1 = 0, int32_t p2 = 0, int32_t p3 = 0,
                          ControlObject p4 = {}, ControlObject p5 = {});
    // nullptr when no control has the id.
    GuiControl* GetControl(int32_t id);
    // next 0: focus the control with the id (none if missing); next 1: the next focusable
    // control after the focused one, wrapping; the focus stays where it was if none qualifies.
    void SetFocus(int32_t id, int next);
    void DrawWindow();
    // True while the focused control is a key field waiting for a key.
    bool CapturingKeys() const;
    // True while the focused control is a text field taking typed text.
    bool TypingText() const;
    // Feeds one event (mode GuiInput::None / Mouse / Keyboard). Returns 0 (nothing; id carries
    // no meaning), the activated control's id > 0 (also in id), or -1 with id -1 when the close
    // button was clicked.
    int32_t RunFrame(int mode, int32_t& id);

private:
    // True when the key code moves the focus to the next control (Tab, or Start in a key field).
    bool MovesFocusOn(uint32_t code) const;
    // Moves the window (clamped so its frame stays on screen) and its controls with it.
    void MoveTo(int32_t newX, int32_t newY);
};
