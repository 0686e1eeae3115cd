#pragma once
#include "Libs/Font.h"
#include "Libs/FrameComposer.h"
#include "Libs/Rect.h"

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
union SDL_Event;

// What the renderer is set up with; kept for creation, resets and the display-mode switch.
struct PresentParams {
    int32_t backBufferWidth = 0;
    int32_t backBufferHeight = 0;
    int32_t backBufferFormat = 0;      // full screen 22 (32 bits) or 23 (16 bits); windowed 0
    int32_t windowed = 0;              // 1 = windowed, 0 = full screen
    uint32_t presentationInterval = 0; // 0x80000000 = immediate (no vsync), 0 = synchronised
};

// The platform object: the main window, the renderer and the back buffer the whole game draws
// into, the frame protocol, the window state, the mouse position, the default font, text and
// line drawing, the frame-rate text, screenshots and the fatal-error report. Exactly one exists;
// it is reachable through Instance() while it lives.
class DirectXLib {
public:
    enum WindowState { Closed = 0, Active = 1, Minimized = 2, Inactive = 3 };
    enum LostState { DeviceOk = 0, DeviceLost = 1, ResetPending = 2 };
    // How the finished picture reaches the screen: through an accelerated renderer where a real
    // GPU presents, else copied straight into the window's own surface (no 3D pipeline emulated
    // on the CPU). The environment variable BRIXEL_PRESENT ("renderer" or "surface") forces one.
    enum PresentPath { ThroughRenderer = 0, ToWindowSurface = 1 };

    SDL_Window* window = nullptr;
    PresentParams presentParams;
    Font defaultFont; // "Arial", 16, bold
    int64_t timerFrequency = 0;
    int64_t lastCounter = 0;
    uint64_t frameCounter = 9;
    std::string frameRateText;
    std::string versionText;
    std::string adapterDescription;
    int32_t frameRateMode = 0; // 0 no frame-rate text; 1 text, synchronised; 2 text, immediate
    int32_t screenshotRequested = 0;
    int32_t lostState = DeviceOk;
    int32_t bitsPerPixel = 32;
    std::vector<Font*> resources; // fonts to tell of loss and reset; nullptr = emptied node
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    uint32_t clientWidth = 0;
    uint32_t clientHeight = 0;
    int32_t savedScreenSaverActive = 0;
    // The picture is composed in memory by the game's own compositor (fills, quads, text and
    // lines, kept in order and drawn at the frame's end on every core) and handed to the window
    // once per frame.
    SDL_Surface* frame = nullptr; // the back buffer, ARGB
    FrameComposer composer;       // draws into `frame`
    int32_t presentPath = ThroughRenderer;
    SDL_Renderer* presenter = nullptr; // the window's renderer, accelerated (ThroughRenderer)
    SDL_Texture* screen = nullptr;     // the frame's copy on the presenter (lost on a reset)
    SDL_Surface* shown = nullptr;      // the window's surface (ToWindowSurface)
    int32_t windowState = Active;

    DirectXLib();
    ~DirectXLib();
    DirectXLib(const DirectXLib&) = delete;
    DirectXLib& operator=(const DirectXLib&) = delete;

    static DirectXLib* Instance();

    // Icons are resource ids of the executable (107 large, 108 small).
    // A message box over the window (or with none yet) where a display can show one, else
    // standard error; title and text are Windows-1252. Returns once the player closed it.
    void ShowMessage(const std::string& title, const std::string& text, bool isError);
    void CreateMainWindow(const std::string& caption, int largeIcon, int smallIcon, int fullScreen,
                          const std::string& versionText);
    void InitDirect3D(int width, int height, int bitsPerPixel, int frameRateMode);
    // Fills the back buffer, or one rectangle of it, with an ARGB colour.
    void Clear(uint32_t colour, const Rect* area = nullptr);
    // Screenshot, frame-rate text, present, next scene, at most one window event.
    // 1 = presented, 0 = the renderer lost its pictures (call RestoreDevice until it gives 1).
    int EndFrame();
    int RestoreDevice();
    // While nobody looks: waits until the window system has something, at most ms.
    // 1 = something arrived, 0 = nothing did.
    int WaitForEvent(uint32_t ms);
    // Draws what the frame has kept so far into the back buffer.
    void FlushFrame();
    // toggle non-zero switches full screen / window; non-zero sizes replace the back buffer's.
    void ToggleDisplayMode(int toggle, int width, int height, int bitsPerPixel);
    std::string GetAdapterDescription();

    // alignment 0 left, 1 centre, 2 right; w or h 0 = unbounded and unclipped; mode 0 wraps at
    // word boundaries, 1 one line at the top, 2 centred vertically, 3 at the bottom.
    // font nullptr = defaultFont. Text is Windows-1252.
    void DrawText(int x, int y, const std::string& text, Font* font, uint32_t colour, int alignment,
                  int w, int h, int mode);
    // w is the wrapping width in mode 0 (0 = unbounded); single-line modes count trailing
    // blanks. Gives the text's width and height in w and h.
    void MeasureText(const std::string& text, Font* font, int alignment, int& w, int& h, int mode);
    // The text as one line no wider than width: unchanged when it fits, else cut between two
    // characters and ended with an ellipsis ("..." as one character). Nothing fits: empty.
    std::string FitText(const std::string& text, Font* font, int width);
    // pattern 0 = solid, else a 32-bit on/off mask along the line, each bit `scale` pixels.
    void DrawLine(int x1, int y1, int x2, int y2, uint32_t colour, float width, uint32_t pattern,
                  float scale);
    // 1 when the mouse is within left..right and top..bottom, edges included.
    int IsMouseInRect(int left, int top, int right, int bottom);
    // A window position (as the window system reports it) to back-buffer pixels in mouseX,
    // mouseY, through the letterboxed picture.
    void MapMouse(int windowX, int windowY, int windowW, int windowH, int outputW, int outputH);
    // Where the back buffer is shown in an output of that size: the largest rectangle of its
    // proportions, centred (black bars fill the rest). Drawing and the mouse both use it.
    Rect PictureRect(int outputW, int outputH) const;

    // What the window system tells of the window; changes windowState (Closed is final).
    enum WindowChange {
        CloseWindow,
        MinimizeWindow,
        RestoreWindow,
        ResizeWindow,
        FocusLost,
        FocusGained
    };
    void HandleWindowChange(WindowChange change, int width = 0, int height = 0);
    void ShowCursor(int show);

    void DrawFrameRate();
    // Counts a frame; every 10th computes the rate since the last update into frameRateText.
    void UpdateFrameRate(int64_t counterNow);
    // name empty = "File <tick count>"; format 1 = ".bmp", anything else = ".jpg".
    void SaveScreenshot(const std::string& name, int format);
    [[noreturn]] static void FatalError(const std::string& message, int line,
                                        const char* sourceFile, uint32_t result);

    int32_t BackBufferWidth() const { return presentParams.backBufferWidth; }
    int32_t BackBufferHeight() const { return presentParams.backBufferHeight; }

    // Counts frames for the text cache's bookkeeping.
    uint64_t framesPresented = 0;

    // Internal, public for the event watch and the fonts.
    void RegisterResource(Font* font);
    void UnregisterResource(const Font* font);
    void NotifyResources(bool lost);
    void ReleaseDevice();
    int HandleWindowEvent(const SDL_Event& event);
    void SetupRenderStates();

private:
    void CreateFrame();
    void DestroyFrame();
    void CreatePresenter();
    void DestroyPresenter();
    int ChoosePresentPath();
    void ShowOnWindowSurface();
    bool PresenterReady() const;
    void PumpOneEvent();
    void UpdateMousePosition();
    void PresentBackBuffer();
    void PlaceWindow();
    TextLayout* Layout(Font* font, const std::string& text, int wrapWidth);

    int rendererLost = 0;    // set by the event watch on a reset the system reports
    int toggleRequested = 0; // F9 seen; switched at the next window-event handling
    friend int DirectXLibEventWatch(void* userData, SDL_Event* event);
};
