#pragma once

// Posts keyboard and mouse events into the platform's event queue as the system would, so the
// whole road of an event (event watch, key-code map, buffer) can be driven without a keyboard.
// The posted events are taken out of the queue again, as the window layer does when it pumps.

// scancode: an SDL scancode; systemRepeat: the platform's own key repeat flag.
void PostSyntheticKey(int scancode, int pressed, int systemRepeat);
// sdlButton: 1 left, 2 middle, 3 right, 4 x1, 5 x2.
// Text the system's keyboard layout typed (UTF-8, at most 31 bytes), as a text event.
void PostSyntheticText(const char* utf8);
void PostSyntheticMouseButton(int sdlButton, int pressed);
void PostSyntheticMouseMotion(int dx, int dy);
void PostSyntheticMouseWheel(int notches);
