#pragma once

#include "scene/SceneObject.h"
#include "scene/SceneObjectHandle.h"

// A link to a character that the game may remove at any time (the live list
// owns every character): it holds the character's weak handle and reads null
// once the character is gone, so a boss never follows a dangling pointer to a
// part, a projectile or a chain link.
template <class T> class WeakCharacter {
public:
    WeakCharacter() = default;
    explicit WeakCharacter(T* character) { Reset(character); }
    WeakCharacter(const WeakCharacter& other) { Take(other.handle); }
    WeakCharacter& operator=(const WeakCharacter& other)
    {
        if (this != &other) {
            SceneObjectHandle* previous = handle;
            handle = nullptr;
            Take(other.handle);
            if (previous != nullptr)
                previous->Release();
        }
        return *this;
    }
    ~WeakCharacter()
    {
        if (handle != nullptr)
            handle->Release();
    }

    void Reset(T* character)
    {
        SceneObjectHandle* previous = handle;
        handle = nullptr;
        Take(character != nullptr ? character->GetHandle() : nullptr);
        if (previous != nullptr)
            previous->Release();
    }
    // The character, or null once it is gone.
    T* Get() const { return handle != nullptr ? dynamic_cast<T*>(handle->GetTarget()) : nullptr; }

private:
    void Take(SceneObjectHandle* h)
    {
        handle = h;
        if (handle != nullptr)
            handle->AddRef();
    }

    SceneObjectHandle* handle = nullptr;
};
