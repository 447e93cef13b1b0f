#pragma once

#include "scene/SceneObjectHandle.h"

#include <functional>
#include <utility>
#include <vector>

// A test's hold on one character through its counted weak handle. The
// handle reads null once that character is destroyed, also when a character
// made later takes the same address (an optimised allocator hands a freed
// block out again at once), so a test that follows a character across
// updates tells it apart by its watch, never by its address. A held handle
// stays allocated, so two watches are of one character exactly when their
// handles are one. A watch must not outlive the game, which frees every
// handle when it ends.
template <class T> class Watched {
public:
    Watched() = default;
    explicit Watched(T* watched)
        : character(watched)
        , handle(watched != nullptr ? watched->GetHandle() : nullptr)
    {
        if (handle != nullptr)
            handle->AddRef();
    }
    Watched(const Watched& other)
        : character(other.character)
        , handle(other.handle)
    {
        if (handle != nullptr)
            handle->AddRef();
    }
    Watched(Watched&& other) noexcept
        : character(std::exchange(other.character, nullptr))
        , handle(std::exchange(other.handle, nullptr))
    {
    }
    Watched& operator=(Watched other) noexcept
    {
        std::swap(character, other.character);
        std::swap(handle, other.handle);
        return *this;
    }
    ~Watched()
    {
        if (handle != nullptr)
            handle->Release();
    }

    // The character while it exists, else null.
    T* Get() const { return handle != nullptr && handle->GetTarget() != nullptr ? character : nullptr; }
    T* operator->() const { return Get(); }
    T& operator*() const { return *Get(); }
    operator T*() const { return Get(); }

    friend bool operator==(const Watched& a, const Watched& b) { return a.handle == b.handle; }
    friend bool operator<(const Watched& a, const Watched& b)
    {
        return std::less<const SceneObjectHandle*>()(a.handle, b.handle);
    }

private:
    T* character = nullptr;
    SceneObjectHandle* handle = nullptr;
};

// Each character of the list, watched.
template <class T> std::vector<Watched<T>> WatchEach(const std::vector<T*>& characters)
{
    std::vector<Watched<T>> watched;
    for (T* character : characters)
        watched.emplace_back(character);
    return watched;
}
