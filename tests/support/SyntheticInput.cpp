#include "tests/support/SyntheticInput.h"

#include <SDL.h>

namespace {

void PostAndDrop(SDL_Event& e) {
    // Watches see the event as it is pushed; the queue need not keep it.
    SDL_PushEvent(&e);
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
}

} // namespace

void PostSyntheticKey(int scancode, int pressed, int systemRepeat) {
    SDL_Event e{};
    e.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = static_cast<Uint8>(systemRepeat ? 1 : 0);
    e.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    e.key.keysym.sym = SDL_GetKeyFromScancode(e.key.keysym.scancode);
    PostAndDrop(e);
}

void PostSyntheticText(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    PostAndDrop(e);
}

void PostSyntheticMouseButton(int sdlButton, int pressed) {
    SDL_Event e{};
    e.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(sdlButton);
    e.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    PostAndDrop(e);
}

void PostSyntheticMouseMotion(int dx, int dy) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.xrel = dx;
    e.motion.yrel = dy;
    PostAndDrop(e);
}

void PostSyntheticMouseWheel(int notches) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    PostAndDrop(e);
}
