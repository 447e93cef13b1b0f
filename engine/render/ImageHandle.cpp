#include "engine/render/ImageHandle.h"

#include "engine/render/Image.h"

#include <mutex>
#include <utility>

namespace {

// One lock for every handle count: copies of a handle live on both threads,
// and a release must see the count that the other thread's copy left.
// Never destroyed, so handles released during static destruction still lock.
std::mutex& CountMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

// One more reference on a shared counter (caller holds the lock): a live
// count grows, a dropped (negative) one grows in magnitude.
void CountOneMore(int32_t* counter)
{
    if (counter)
        *counter += *counter > 0 ? 1 : -1;
}

} // namespace

ImageHandle::ImageHandle(const std::string& name)
    : image(new Image(name))
    , counter(new int32_t(1))
{
}

ImageHandle::ImageHandle(const ImageHandle& other)
{
    std::lock_guard lock(CountMutex());
    image = other.image;
    counter = other.counter;
    CountOneMore(counter);
}

ImageHandle::ImageHandle(ImageHandle&& other) noexcept
{
    std::lock_guard lock(CountMutex());
    image = std::exchange(other.image, nullptr);
    counter = std::exchange(other.counter, nullptr);
}

ImageHandle& ImageHandle::operator=(const ImageHandle& other)
{
    if (this == &other || (counter && counter == other.counter))
        return *this;
    Release();
    std::lock_guard lock(CountMutex());
    image = other.image;
    counter = other.counter;
    CountOneMore(counter);
    return *this;
}

ImageHandle& ImageHandle::operator=(ImageHandle&& other) noexcept
{
    if (this == &other)
        return *this;
    Release();
    std::lock_guard lock(CountMutex());
    image = std::exchange(other.image, nullptr);
    counter = std::exchange(other.counter, nullptr);
    return *this;
}

ImageHandle::~ImageHandle()
{
    Release();
}

bool ImageHandle::Draw(int x, int y, int a, int b, float f) const
{
    if (const Image* drawn = GetImage())
        drawn->Draw(x, y, a, b, f);
    return false;
}

void ImageHandle::AddRef()
{
    std::lock_guard lock(CountMutex());
    CountOneMore(counter);
}

bool ImageHandle::IsValid() const
{
    std::lock_guard lock(CountMutex());
    return counter && *counter >= 1 && image;
}

Image* ImageHandle::GetImage() const
{
    std::lock_guard lock(CountMutex());
    return counter && *counter >= 1 ? image : nullptr;
}

int32_t ImageHandle::GetCount() const
{
    std::lock_guard lock(CountMutex());
    return counter ? *counter : 0;
}

void ImageHandle::Release()
{
    Image* doomed = nullptr;
    {
        std::lock_guard lock(CountMutex());
        if (counter) {
            if (*counter < 0) {
                // The image is already gone; only the counter remains to free.
                if (++*counter == 0)
                    delete counter;
            } else if (--*counter < 1) {
                delete counter;
                doomed = image;
            }
        }
        image = nullptr;
        counter = nullptr;
    }
    // The texture goes outside the lock: freeing it may take a while.
    delete doomed;
}

void ImageHandle::DropImage()
{
    Image* doomed = nullptr;
    {
        std::lock_guard lock(CountMutex());
        if (!counter || *counter < 1)
            return;
        doomed = image;
        *counter = -*counter;
    }
    delete doomed;
}
