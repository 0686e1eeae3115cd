#pragma once
// The game controllers behind InputLib, through SDL's GameController API (and its mapping
// database): a controller's buttons, stick directions and triggers become key events.

union SDL_Event;
class InputLib;

// Starts the controller subsystem. Without it, or without controllers, the game runs as before.
void StartGamePads(InputLib& input);
void StopGamePads(InputLib& input);
// Every event SDL queues passes here, from InputLib's event watch.
void HandleGamePadEvent(InputLib& input, const SDL_Event& e);
// Closes the controllers pulled out and opens new ones, which wait for a button press to get a
// number.
// Runs outside SDL's event dispatch, where opening and closing devices is safe.
void UpdateGamePadSlots(InputLib& input);
