#pragma once

#include <SDL.h>

// Events pushed into SDL's queue as if the user had made them; the thread
// that pumps the window's events picks them up.
inline bool PushKeyForTest(bool down, int scancode, SDL_Keycode sym = SDLK_UNKNOWN, Uint16 mod = KMOD_NONE)
{
    SDL_Event event {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    return SDL_PushEvent(&event) == 1;
}

// A key's auto-repeat, as SDL sends it while the key is held.
inline bool PushKeyRepeatForTest(int scancode, SDL_Keycode sym = SDLK_UNKNOWN)
{
    SDL_Event event {};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.repeat = 1;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    event.key.keysym.sym = sym;
    return SDL_PushEvent(&event) == 1;
}

inline bool PushCloseForTest()
{
    SDL_Event event {};
    event.type = SDL_QUIT;
    return SDL_PushEvent(&event) == 1;
}
