#pragma once

#include <cstddef>

// The Steam calls the game makes. Steam is not available on this platform:
// SteamAPI_Init fails and the game skips every Steam path, as it does when the
// Steam client is missing. Callback registration still works, so the game's
// callback members behave as designed (registered at construction, removed at
// destruction) and tests can see them.

// A callback member: derived classes run on the result of their id.
class SteamCallbackBase {
public:
    // Unregisters the callback when it is still registered.
    virtual ~SteamCallbackBase();
    virtual void Run(void* parameter) = 0;

    bool IsRegistered() const { return registered; }
    int GetCallbackId() const { return callbackId; }

private:
    friend void SteamAPI_RegisterCallback(SteamCallbackBase* callback, int id);
    friend void SteamAPI_UnregisterCallback(SteamCallbackBase* callback);
    bool registered = false;
    int callbackId = 0;
};

bool SteamAPI_Init();
void SteamAPI_RegisterCallback(SteamCallbackBase* callback, int id);
void SteamAPI_UnregisterCallback(SteamCallbackBase* callback);
// Number of callbacks registered for the id (any id when negative).
size_t SteamAPI_RegisteredCallbackCount(int id);
