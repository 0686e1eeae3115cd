#include "Libs/DirectXLib.h"
#include "Libs/WindowIcons.h"

#include "Libs/FatalError.h"
#include "Libs/Tick.h"
#include "Libs/Win1252.h"
#include "Libs/WindowPlacement.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

DirectXLib* instance = nullptr;

constexpr const char* ModuleName = "Libs\\DirectX";
constexpr int32_t FormatX8R8G8B8 = 22;
constexpr int32_t FormatR5G6B5 = 23;
constexpr uint32_t PresentImmediate = 0x80000000u;
constexpr uint32_t ResultNotAvailable = 0x8876086Au;

int32_t FullScreenFormat(int32_t bitsPerPixel) {
    return bitsPerPixel == 16 ? FormatR5G6B5 : FormatX8R8G8B8;
}

// Before the log entry is written: the screen saver back on and the desktop visible again.
void RestoreDesktop() {
    if (!instance) return;
    SDL_EnableScreenSaver();
    instance->ReleaseDevice();
    if (instance->window) SDL_HideWindow(instance->window);
}

// A message box where a display can show one, else standard error. The box needs no video
// system that started (a failed start is the report the player most needs to see); only the
// display-less drivers the tests choose keep it to standard error.
bool RunsWithoutDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

void ShowMessageBox(const std::string& title, const std::string& message, bool isError,
                    SDL_Window* parent) {
    const std::string caption = Win1252ToUtf8(title);
    const std::string text = Win1252ToUtf8(message);
    const Uint32 kind = isError ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_WARNING;
    if (!RunsWithoutDisplay() &&
        SDL_ShowSimpleMessageBox(kind, caption.c_str(), text.c_str(), parent) == 0)
        return;
    std::fprintf(stderr, "%s\n%s\n", caption.c_str(), text.c_str());
}

void ShowReport(const std::string& report) {
    ShowMessageBox("Fehler", report, true, nullptr);
}

} // namespace

// F9, F11 and renderer resets are seen the moment SDL queues them; keys still reach InputLib
// through its own watch.
int DirectXLibEventWatch(void* userData, SDL_Event* event) {
    auto* dx = static_cast<DirectXLib*>(userData);
    switch (event->type) {
    case SDL_KEYDOWN:
        if (event->key.repeat) break;
        if (event->key.keysym.scancode == SDL_SCANCODE_F11) dx->screenshotRequested = 1;
        if (event->key.keysym.scancode == SDL_SCANCODE_F9) dx->toggleRequested = 1;
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        dx->rendererLost = 1;
        break;
    default:
        break;
    }
    return 0;
}

namespace {

// The screen of that display in desktop coordinates; 1024 x 768 at the corner where unknown.
SDL_Rect ScreenBounds(int display) {
    SDL_Rect bounds{0, 0, 1024, 768};
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0) {
        bounds.w = mode.w;
        bounds.h = mode.h;
        SDL_Rect where;
        if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &where) == 0) {
            bounds.x = where.x;
            bounds.y = where.y;
        }
    }
    return bounds;
}

// Windows scales by the screen's dots per inch (96 is 100 %); the game draws its own pixels there
// and so sizes its window itself. Elsewhere the desktop scales whole windows, if at all.
double DisplayScale(int display) {
#ifdef _WIN32
    float dpi = 0;
    if (SDL_GetDisplayDPI(display, nullptr, &dpi, nullptr) == 0 && dpi > 0) return dpi / 96.0;
#else
    (void)display;
#endif
    return 1.0;
}

} // namespace

DirectXLib* DirectXLib::Instance() {
    return instance;
}

DirectXLib::DirectXLib() {
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    timerFrequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    lastCounter = static_cast<int64_t>(SDL_GetPerformanceCounter());
    instance = this;

    FatalErrorHooks& hooks = GetFatalErrorHooks();
    hooks.restoreDesktop = RestoreDesktop;
    hooks.showReport = ShowReport;

    savedScreenSaverActive = SDL_IsScreenSaverEnabled() ? 1 : 0;
    SDL_DisableScreenSaver();
    SDL_AddEventWatch(DirectXLibEventWatch, this);
    composer.SetWorkers(0);
}

DirectXLib::~DirectXLib() {
    SDL_DelEventWatch(DirectXLibEventWatch, this);
    if (savedScreenSaverActive & 0xFF) SDL_EnableScreenSaver();
    ReleaseDevice();
    defaultFont.ReleaseInterface();
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    FatalErrorHooks& hooks = GetFatalErrorHooks();
    hooks.restoreDesktop = nullptr;
    hooks.showReport = nullptr;
    instance = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void DirectXLib::ShowMessage(const std::string& title, const std::string& text, bool isError) {
    ShowMessageBox(title, text, isError, window);
}

void DirectXLib::CreateMainWindow(const std::string& caption, int largeIcon, int smallIcon,
                                  int fullScreen, const std::string& version) {
    versionText = version;
    GetFatalErrorHooks().versionText = version;

    // The picture keeps its proportions in a window of any size, so the player may resize it.
    Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    SDL_Rect place{50, 50, 1024, 768};
    if (fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // Without a window manager nobody enlarges a full-screen window: it is made as large as
        // the screen from the start.
        place = ScreenBounds(0);
    }
    window =
        SDL_CreateWindow(Win1252ToUtf8(caption).c_str(), place.x, place.y, place.w, place.h, flags);
    if (window) SetWindowIcons(window, largeIcon, smallIcon);
    presentParams = PresentParams{};
    presentParams.windowed = fullScreen ? 0 : 1;
}

void DirectXLib::InitDirect3D(int width, int height, int bits, int mode) {
    ReleaseDevice();
    bitsPerPixel = bits;
    if (!SDL_WasInit(SDL_INIT_VIDEO) || !window)
        ::FatalError("Es wird DirectX 9 ben\xF6tigt.", __LINE__, ModuleName, 0);

    presentParams.backBufferWidth = width;
    presentParams.backBufferHeight = height;
    presentParams.backBufferFormat = presentParams.windowed ? 0 : FullScreenFormat(bitsPerPixel);
    presentParams.presentationInterval = mode == 2 ? PresentImmediate : 0;
    CreateFrame();
    CreatePresenter();
    if (!frame || !PresenterReady())
        ::FatalError("Nicht unterst\xFCtzter Bildschirmmodus.", __LINE__, ModuleName,
                     ResultNotAvailable);

    adapterDescription = GetAdapterDescription();
    GetFatalErrorHooks().adapterDescription = adapterDescription;
    if (presentParams.windowed) PlaceWindow();
    SetupRenderStates();
    defaultFont.Create("Arial", 16, 1);
    frameRateMode = mode;
    Clear(0);
}

// The frame is a picture in memory, drawn by the game's own code, not through the window's
// renderer: it comes out the same pixels on every machine and driver (screenshots and tests read
// them), and a reset of the window's renderer loses nothing of it. The window only shows it.
void DirectXLib::CreateFrame() {
    frame = SDL_CreateRGBSurfaceWithFormat(0, presentParams.backBufferWidth,
                                           presentParams.backBufferHeight, 32,
                                           SDL_PIXELFORMAT_ARGB8888);
    if (frame) {
        SDL_SetSurfaceBlendMode(frame, SDL_BLENDMODE_NONE);
        composer.SetTarget(PixelBlock{static_cast<uint32_t*>(frame->pixels), frame->w, frame->h,
                                      frame->pitch / 4});
    }
}

void DirectXLib::DestroyFrame() {
    composer.SetTarget(PixelBlock{});
    if (frame) SDL_FreeSurface(frame);
    frame = nullptr;
}

void DirectXLib::FlushFrame() {
    composer.Flush();
}

namespace {

// OpenGL drawn by the CPU: presenting through it costs more than composing the frame.
bool RasterizesOnTheCpu(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return true;
    if (std::strcmp(info.name, "software") == 0) return true;
    if (std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(0x1F01 /* GL_RENDERER */) : nullptr;
    if (!name) return false;
    const std::string renderer_name(reinterpret_cast<const char*>(name));
    for (const char* cpu : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer", "SwiftShader"})
        if (renderer_name.find(cpu) != std::string::npos) return true;
    return false;
}

// A GPU that Linux knows of has a render node; without one, OpenGL could only be emulated, and
// not even loading it keeps the game small.
bool NoRenderNode() {
#if defined(__linux__)
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error))
        if (entry.path().filename().string().rfind("renderD", 0) == 0) return false;
    return true;
#else
    return false;
#endif
}

} // namespace

// Made at start, after F9 and after a reset: BRIXEL_PRESENT decides where set, else the window
// surface wherever no real GPU would present.
int DirectXLib::ChoosePresentPath() {
    const char* forced = SDL_getenv("BRIXEL_PRESENT");
    if (forced && std::strcmp(forced, "surface") == 0) return ToWindowSurface;
    if (forced && std::strcmp(forced, "renderer") == 0) return ThroughRenderer;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)
        return ToWindowSurface;
    return NoRenderNode() ? ToWindowSurface : ThroughRenderer;
}

bool DirectXLib::PresenterReady() const {
    return presentPath == ToWindowSurface ? shown != nullptr : presenter && screen;
}

void DirectXLib::CreatePresenter() {
    presentPath = ChoosePresentPath();
    bool vsync = presentParams.presentationInterval != PresentImmediate;
    if (presentPath == ThroughRenderer) {
        Uint32 flags = SDL_RENDERER_ACCELERATED | (vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
        presenter = SDL_CreateRenderer(window, -1, flags);
        const char* forced = SDL_getenv("BRIXEL_PRESENT");
        const bool mustRender = forced && std::strcmp(forced, "renderer") == 0;
        if (!mustRender && (!presenter || RasterizesOnTheCpu(presenter))) {
            if (presenter) SDL_DestroyRenderer(presenter);
            presenter = nullptr;
            presentPath = ToWindowSurface;
        }
    }
    if (presentPath == ToWindowSurface) {
        // The window's own memory (X11 shared memory, a plain blit on Windows), not a texture of
        // a renderer SDL would otherwise put behind it.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        shown = SDL_GetWindowSurface(window);
        return;
    }
    if (!presenter) presenter = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!presenter) return;
    screen = SDL_CreateTexture(presenter, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               presentParams.backBufferWidth, presentParams.backBufferHeight);
    if (!screen) return;
    SDL_SetTextureBlendMode(screen, SDL_BLENDMODE_NONE);
    // At a fractional scale (1440 x 1080 on a 1920 x 1080 screen) every line and letter stroke
    // keeps its weight; at 1:1 the picture is the same as unfiltered.
    SDL_SetTextureScaleMode(screen, SDL_ScaleModeLinear);
}

void DirectXLib::DestroyPresenter() {
    shown = nullptr; // the window's own; SDL frees it with the window
    if (screen && presenter) SDL_DestroyTexture(screen);
    screen = nullptr;
    if (presenter) SDL_DestroyRenderer(presenter);
    presenter = nullptr;
}

void DirectXLib::SetupRenderStates() {
    // The compositor keeps no state between items: nothing to set.
}

void DirectXLib::ReleaseDevice() {
    // Fonts drop their pictures while the renderer still lives.
    NotifyResources(true);
    DestroyPresenter();
    DestroyFrame();
    resources.clear();
}

// The window fits the work area of the screen it is on (a taskbar, a small or a scaled screen),
// at the size a player would choose there.
void DirectXLib::PlaceWindow() {
    if (!window) return;
    SDL_ShowWindow(window);
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) usable = ScreenBounds(display);
    WindowFrame frame;
    if (SDL_GetWindowBordersSize(window, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0)
        frame = WindowFrame{};
    const ScreenArea inside =
        FitWindow(presentParams.backBufferWidth, presentParams.backBufferHeight, 50,
                  DisplayScale(display), {usable.x, usable.y, usable.w, usable.h}, frame);
    SDL_SetWindowSize(window, inside.width, inside.height);
    SDL_SetWindowPosition(window, inside.x, inside.y);
}

std::string DirectXLib::GetAdapterDescription() {
    std::string text;
    SDL_RendererInfo info;
    if (presentPath == ToWindowSurface)
        text = "window surface";
    else if (presenter && SDL_GetRendererInfo(presenter, &info) == 0 && info.name)
        text = info.name;
    if (const char* driver = SDL_GetCurrentVideoDriver()) text += std::string(" (") + driver + ")";
    std::string out;
    return Utf8ToWin1252(text, out) ? out : text;
}

void DirectXLib::Clear(uint32_t colour, const Rect* area) {
    if (!frame) return;
    const Rect whole{0, 0, frame->w, frame->h};
    const Rect r = area ? *area : whole;
    if (r.right > r.left && r.bottom > r.top) composer.Fill(r, colour);
}

// Where the back buffer lands in an output of this size: as large as fits in its own
// proportions, centred, with black bars beside or above and below. The mouse maps through it too.
Rect DirectXLib::PictureRect(int outW, int outH) const {
    const int64_t bw = presentParams.backBufferWidth, bh = presentParams.backBufferHeight;
    Rect picture{0, 0, outW, outH};
    if (outW <= 0 || outH <= 0 || bw <= 0 || bh <= 0) return picture;
    if (outW * bh > outH * bw) {
        const int width = int(outH * bw / bh);
        picture.left = (outW - width) / 2;
        picture.right = picture.left + width;
    } else {
        const int height = int(outW * bh / bw);
        picture.top = (outH - height) / 2;
        picture.bottom = picture.top + height;
    }
    return picture;
}

// The window surface: one copy where it has the picture's size, else black bars and one smooth
// scaling into the letterbox, the same as the renderer shows.
void DirectXLib::ShowOnWindowSurface() {
    shown = SDL_GetWindowSurface(window); // a new one after the window changed size
    if (!shown) return;
    const SDL_PixelFormat* out = shown->format;
    const bool sameLayout = out->BytesPerPixel == 4 && out->Rmask == 0x00FF0000u &&
                            out->Gmask == 0x0000FF00u && out->Bmask == 0x000000FFu;
    if (sameLayout && shown->w == frame->w && shown->h == frame->h) {
        for (int y = 0; y < frame->h; ++y)
            std::memcpy(static_cast<uint8_t*>(shown->pixels) + size_t(y) * shown->pitch,
                        static_cast<const uint8_t*>(frame->pixels) + size_t(y) * frame->pitch,
                        size_t(frame->w) * 4);
    } else {
        const Rect picture = PictureRect(shown->w, shown->h);
        SDL_Rect dest{picture.left, picture.top, picture.right - picture.left,
                      picture.bottom - picture.top};
        const SDL_Rect bars[4] = {{0, 0, shown->w, dest.y},
                                  {0, dest.y + dest.h, shown->w, shown->h - dest.y - dest.h},
                                  {0, dest.y, dest.x, dest.h},
                                  {dest.x + dest.w, dest.y, shown->w - dest.x - dest.w, dest.h}};
        for (const SDL_Rect& bar : bars)
            if (bar.w > 0 && bar.h > 0) SDL_FillRect(shown, &bar, SDL_MapRGB(out, 0, 0, 0));
        // The frame's pixels seen in the window's format (the alpha byte is not shown).
        SDL_Surface* view =
            sameLayout ? SDL_CreateRGBSurfaceWithFormatFrom(frame->pixels, frame->w, frame->h, 32,
                                                            frame->pitch, out->format)
                       : nullptr;
        if (view && dest.w > 0 && dest.h > 0)
            SDL_SoftStretchLinear(view, nullptr, shown, &dest);
        else if (dest.w > 0 && dest.h > 0)
            SDL_BlitScaled(frame, nullptr, shown, &dest);
        if (view) SDL_FreeSurface(view);
    }
    SDL_UpdateWindowSurface(window);
}

// The back buffer goes to the window, letterboxed, smoothly scaled.
void DirectXLib::PresentBackBuffer() {
    if (!frame) return;
    composer.Flush();
    if (presentPath == ToWindowSurface) {
        ShowOnWindowSurface();
        return;
    }
    if (!presenter || !screen) return;
    SDL_UpdateTexture(screen, nullptr, frame->pixels, frame->pitch);
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(presenter, &outW, &outH);
    const Rect picture = PictureRect(outW, outH);
    const SDL_Rect dest{picture.left, picture.top, picture.right - picture.left,
                        picture.bottom - picture.top};
    SDL_SetRenderDrawColor(presenter, 0, 0, 0, 255);
    SDL_RenderClear(presenter);
    SDL_RenderCopy(presenter, screen, nullptr, &dest);
    SDL_RenderPresent(presenter);
}

int DirectXLib::EndFrame() {
    if (screenshotRequested) {
        // Taken before the frame-rate text is drawn.
        SaveScreenshot("", 1);
        screenshotRequested = 0;
    }
    if (frameRateMode != 0) DrawFrameRate();
    PresentBackBuffer();
    ++framesPresented;
    if (rendererLost || !PresenterReady()) return 0;
    PumpOneEvent();
    return 1;
}

int DirectXLib::WaitForEvent(uint32_t ms) {
    return SDL_WaitEventTimeout(nullptr, int(ms)) == 1 ? 1 : 0;
}

int DirectXLib::RestoreDevice() {
    PumpOneEvent();
    if (!rendererLost && PresenterReady()) return 1;
    if (lostState == DeviceOk) {
        lostState = DeviceLost;
        NotifyResources(true);
    }
    // A new window renderer takes the place of the one that lost its pictures; the back buffer
    // and the textures are in memory and lose nothing.
    lostState = ResetPending;
    rendererLost = 0;
    DestroyPresenter();
    CreatePresenter();
    if (!PresenterReady()) {
        rendererLost = 1;
        SDL_Delay(10);
        return 0;
    }
    NotifyResources(false);
    Clear(0);
    lostState = DeviceOk;
    return 1;
}

void DirectXLib::NotifyResources(bool lost) {
    for (Font* font : resources) {
        if (!font) continue;
        if (lost)
            font->OnLostDevice();
        else
            font->OnResetDevice();
    }
    if (!lost) SetupRenderStates();
}

void DirectXLib::RegisterResource(Font* font) {
    resources.push_back(font);
}

void DirectXLib::UnregisterResource(const Font* font) {
    for (Font*& node : resources)
        if (node == font) node = nullptr;
}

void DirectXLib::ToggleDisplayMode(int toggle, int width, int height, int bits) {
    if (bits) bitsPerPixel = bits;
    bool resize = (width && width != presentParams.backBufferWidth) ||
                  (height && height != presentParams.backBufferHeight);
    if (width) presentParams.backBufferWidth = width;
    if (height) presentParams.backBufferHeight = height;
    if (toggle) {
        presentParams.windowed = presentParams.windowed ? 0 : 1;
        presentParams.backBufferFormat =
            presentParams.windowed ? 0 : FullScreenFormat(bitsPerPixel);
        if (window && !presentParams.windowed) {
            // Covers the screen even where no window manager would enlarge it.
            const SDL_Rect screenArea = ScreenBounds(SDL_GetWindowDisplayIndex(window));
            SDL_SetWindowPosition(window, screenArea.x, screenArea.y);
            SDL_SetWindowSize(window, screenArea.w, screenArea.h);
        }
        if (window)
            SDL_SetWindowFullscreen(window,
                                    presentParams.windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    if (resize && frame) {
        NotifyResources(true);
        DestroyPresenter();
        DestroyFrame();
        CreateFrame();
        CreatePresenter();
    } else if (toggle && frame) {
        // The way to the screen is chosen again for the new display mode.
        DestroyPresenter();
        CreatePresenter();
    }
    NotifyResources(false);
    if (presentParams.windowed) PlaceWindow();
}

void DirectXLib::PumpOneEvent() {
    SDL_PumpEvents();
    // Keyboard, mouse and game controllers reached InputLib through its watch; they are not
    // window events, and a moving stick would otherwise bury the window's own behind them.
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
    SDL_FlushEvents(SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET);
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1)
        HandleWindowEvent(event);
    if (toggleRequested) {
        toggleRequested = 0;
        ToggleDisplayMode(1, 0, 0, 0);
    }
    UpdateMousePosition();
}

int DirectXLib::HandleWindowEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        HandleWindowChange(CloseWindow);
        return 1;
    }
    if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT) {
        SDL_free(event.drop.file); // dropped files are not for the game, but their text is ours
        return 0;
    }
    if (event.type != SDL_WINDOWEVENT) return 0;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        HandleWindowChange(CloseWindow);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN: // unmapped: nobody sees it either
        HandleWindowChange(MinimizeWindow);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN:
        HandleWindowChange(RestoreWindow);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        HandleWindowChange(ResizeWindow, event.window.data1, event.window.data2);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        HandleWindowChange(FocusLost);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        HandleWindowChange(FocusGained);
        break;
    default:
        return 0;
    }
    return 1;
}

void DirectXLib::HandleWindowChange(WindowChange change, int width, int height) {
    if (windowState == Closed) return; // the window is gone for good
    switch (change) {
    case CloseWindow:
        windowState = Closed;
        break;
    case MinimizeWindow:
        windowState = Minimized;
        break;
    case RestoreWindow:
        windowState = Active;
        break;
    case ResizeWindow:
        clientWidth = static_cast<uint32_t>(width);
        clientHeight = static_cast<uint32_t>(height);
        windowState = Active;
        break;
    // Focus changes while minimised leave the window minimised.
    case FocusLost:
        if (windowState != Minimized) windowState = Inactive;
        break;
    case FocusGained:
        if (windowState != Minimized) windowState = Active;
        break;
    }
}

void DirectXLib::UpdateMousePosition() {
    if (!window) return;
    int x = 0, y = 0, winW = 0, winH = 0, outW = 0, outH = 0;
    SDL_GetMouseState(&x, &y);
    SDL_GetWindowSize(window, &winW, &winH);
    if (presentPath == ToWindowSurface && shown) {
        outW = shown->w;
        outH = shown->h;
    } else if (presenter) {
        SDL_GetRendererOutputSize(presenter, &outW, &outH);
    }
    MapMouse(x, y, winW, winH, outW, outH);
}

void DirectXLib::MapMouse(int windowX, int windowY, int winW, int winH, int outW, int outH) {
    if (winW <= 0 || winH <= 0) return;
    if (outW <= 0 || outH <= 0) {
        outW = winW;
        outH = winH;
    }
    const int64_t bw = presentParams.backBufferWidth, bh = presentParams.backBufferHeight;
    // Window points to output pixels (they differ on high-density displays).
    const int64_t px = int64_t(windowX) * outW / winW, py = int64_t(windowY) * outH / winH;
    const Rect picture = PictureRect(outW, outH);
    const int64_t pictureW = std::max(1, picture.right - picture.left);
    const int64_t pictureH = std::max(1, picture.bottom - picture.top);
    mouseX = int32_t((px - picture.left) * bw / pictureW);
    mouseY = int32_t((py - picture.top) * bh / pictureH);
}

int DirectXLib::IsMouseInRect(int left, int top, int right, int bottom) {
    return mouseX >= left && mouseX <= right && mouseY >= top && mouseY <= bottom ? 1 : 0;
}

void DirectXLib::ShowCursor(int show) {
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void DirectXLib::FatalError(const std::string& message, int line, const char* sourceFile,
                            uint32_t result) {
    ::FatalError(message, line, sourceFile, result);
}
