#pragma once

#include <cstdint>
#include <string>

class Image;

// Reference-counted handle to an Image. Every copy shares one heap counter:
//  - positive: the number of live copies, which own the Image;
//  - negative: the Image was dropped (ImageHandleManager::DropImage) and the
//    magnitude is the number of copies still alive;
//  - it never stays at 0: the counter is deleted when it reaches 0.
// An empty handle has neither image nor counter. Handles are taken on both the
// main and the render thread, so every count changes under one lock.
class ImageHandle {
public:
    ImageHandle() = default;
    // A new counter at 1 and a new Image of that name, which loads at once.
    explicit ImageHandle(const std::string& name);
    ImageHandle(const ImageHandle& other);
    ImageHandle(ImageHandle&& other) noexcept;
    ImageHandle& operator=(const ImageHandle& other);
    ImageHandle& operator=(ImageHandle&& other) noexcept;
    virtual ~ImageHandle();

    // Draws the image's texture through the render engine when the handle is
    // valid and the image has a texture. Always false.
    virtual bool Draw(int x, int y, int a, int b, float f) const;

    // One more reference without a copy (a dropped handle's magnitude grows).
    void AddRef();
    // Counter present and at least 1, and an image.
    bool IsValid() const;
    // Gives this copy's reference back and empties the handle; the last
    // reference deletes the Image (and its texture) and the counter.
    void Release();

    // The image while the handle is valid, else null.
    Image* GetImage() const;
    // The shared count; 0 for an empty handle.
    int32_t GetCount() const;
    bool IsEmpty() const { return counter == nullptr; }

private:
    friend class ImageHandleManager;
    // Deletes the image now and negates the counter; the copies still out
    // then only count back up to 0.
    void DropImage();

    Image* image = nullptr;
    int32_t* counter = nullptr;
};
