#include "scene/AnimatedSprite.h"

#include <utility>

#include "engine/platform/DebugOutput.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/Sprite.h"
#include "scene/SpriteReferences.h"

namespace {

// Reads up to `count` floats; stops at the first value that does not parse or
// at the end of the stream, so a damaged count never allocates on its own.
bool ReadFloatList(std::istream& is, uint32_t count, std::vector<float>& values)
{
    for (uint32_t i = 0; i < count; ++i) {
        float value = 0.0f;
        if (!ReadFloatLine(is, value))
            return false;
        values.push_back(value);
    }
    return true;
}

bool InRange(int index, size_t size)
{
    return index >= 0 && static_cast<size_t>(index) < size;
}

} // namespace

AnimatedSprite::AnimatedSprite(std::string name_)
    : name(std::move(name_))
{
}

AnimatedSprite::AnimatedSprite(std::string name_, std::vector<Sprite*> frames_, std::vector<float> durations_,
    std::vector<float> rotations_)
    : name(std::move(name_))
    , frames(std::move(frames_))
    , durations(std::move(durations_))
    , rotations(std::move(rotations_))
{
}

std::string AnimatedSprite::GetClassName()
{
    return "AnimatedSprite";
}

std::string AnimatedSprite::GetVersionedClassName()
{
    return GetClassName() + "V0";
}

Point<int> AnimatedSprite::GetSize()
{
    if (frames.empty() || frames.front() == nullptr)
        return {0, 0};
    return frames.front()->GetSize();
}

bool AnimatedSprite::Draw(DXGraphicalSurface*, int, int, int, int, float, int, int, int, int)
{
    return false;
}

bool AnimatedSprite::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, static_cast<uint32_t>(frames.size()));
    for (Sprite* frame : frames) {
        if (frame != nullptr) {
            frame->SerializePtr(os);
        } else {
            // A frame given without a sprite keeps the count honest and reads
            // back as a dropped frame.
            WriteLine(os, "SpriteV0Ptr");
            WriteLine(os, "");
        }
    }
    WriteLine(os, counter);
    WriteLine(os, loopStart);
    // Every counted value is written, so the reader finds as many as counted.
    WriteLine(os, static_cast<uint32_t>(durations.size()));
    for (float duration : durations)
        WriteLine(os, duration);
    WriteLine(os, pingPong);
    WriteLine(os, "_AnimatedSprite_updatetag_1.0_");
    WriteLine(os, static_cast<uint32_t>(rotations.size()));
    for (float rotation : rotations)
        WriteLine(os, rotation);
    return true;
}

bool AnimatedSprite::SerializePtr(std::ostream& os)
{
    WriteLine(os, GetVersionedClassName() + "Ptr");
    WriteLine(os, name);
    return true;
}

bool AnimatedSprite::UnSerialize(std::istream& is)
{
    // Read into a fresh animation and take it whole: a damaged record leaves
    // this one as it was, and a second read replaces the frames instead of
    // adding to them.
    AnimatedSprite read;
    uint32_t frameCount = 0;
    bool ok = ReadTextLine(is, read.name) && ReadUIntLine(is, frameCount);

    // Frames whose sprite is unknown are dropped; the record reads on. A
    // frame's class line is read and not compared: the name decides.
    for (uint32_t i = 0; ok && i < frameCount; ++i) {
        std::string classLine;
        std::string spriteName;
        ok = ReadTextLine(is, classLine) && ReadTextLine(is, spriteName);
        if (!ok)
            break;
        if (Sprite* frame = FindLibrarySprite(spriteName))
            read.frames.push_back(frame);
        else if (ReaderContext* context = ReaderContext::Of(is))
            platform::DebugOutput(context->Where() + "no sprite \"" + spriteName + "\": frame dropped\n");
    }
    ok = ok && ReadUIntLine(is, read.counter) && ReadIntLine(is, read.loopStart);

    uint32_t durationCount = 0;
    ok = ok && ReadUIntLine(is, durationCount) && ReadFloatList(is, durationCount, read.durations);
    ok = ok && ReadBoolLine(is, read.pingPong);

    if (ok) {
        if (!ReadUpdateTag(is, "_AnimatedSprite_updatetag_1.0_")) {
            // Older layout: no rotations, one 0.0 for each duration.
            read.rotations.assign(read.durations.size(), 0.0f);
        } else {
            uint32_t rotationCount = 0;
            ok = ReadUIntLine(is, rotationCount) && ReadFloatList(is, rotationCount, read.rotations);
        }
    }
    if (!ok) {
        platform::DebugOutput("AnimatedSprite: damaged record, \"" + name + "\" is kept as it was\n");
        return false;
    }
    name = std::move(read.name);
    frames = std::move(read.frames);
    counter = read.counter;
    loopStart = read.loopStart;
    durations = std::move(read.durations);
    rotations = std::move(read.rotations);
    pingPong = read.pingPong;
    return true;
}

int AnimatedSprite::AdvanceFrame(int frame, double* time, bool* reversed, bool* playing, double dt) const
{
    const int n = GetFrameCount();
    if (frame >= n)
        return -1;
    // A loop start outside the animation would send it nowhere: no loop.
    const int s = (loopStart >= -1 && loopStart < n) ? loopStart : -1;
    if (frame <= 0 && s == -1 && *reversed) {
        *playing = false;
        return 0;
    }
    // A negative frame names no frame: nothing to advance.
    if (frame < 0)
        return -1;

    double t = *time + dt;
    for (int step = 0; step < kMaxFrameSteps; ++step) {
        const double d = GetFrameDuration(frame);
        if (t <= d) {
            *time = t;
            return frame;
        }
        t -= d;
        if (!*reversed) {
            ++frame;
            if (pingPong) {
                if (frame >= n) {
                    frame = n - 2 < 0 ? 0 : n - 2;
                    *reversed = true;
                }
            } else if (frame >= n) {
                if (s == -1) {
                    *playing = false;
                    return n - 1;
                }
                frame = s;
            }
        } else {
            --frame;
            if (s != -1 && frame < s) {
                frame += 2;
                *reversed = false;
                if (frame >= n)
                    frame = n - 1;
            } else if (s == -1 && frame < 0) {
                *playing = false;
                return 0;
            }
        }
    }
    return frame;
}

float AnimatedSprite::TotalDuration(int upTo) const
{
    if (upTo < -1)
        return 0.0f;
    float total = 0.0f;
    for (size_t i = 0; i < durations.size(); ++i) {
        if (upTo != -1 && static_cast<int>(i) >= upTo)
            break;
        total += durations[i];
    }
    return total;
}

Sprite* AnimatedSprite::GetFrame(int index) const
{
    return InRange(index, frames.size()) ? frames[static_cast<size_t>(index)] : nullptr;
}

float AnimatedSprite::GetFrameDuration(int index) const
{
    if (!InRange(index, frames.size()) || !InRange(index, durations.size()))
        return kDefaultFrameDuration;
    return durations[static_cast<size_t>(index)];
}

void AnimatedSprite::SetFrameDuration(int index, float value)
{
    if (InRange(index, durations.size()) && value > 0.0f)
        durations[static_cast<size_t>(index)] = value;
}

float AnimatedSprite::GetFrameAux(int index) const
{
    return InRange(index, rotations.size()) ? rotations[static_cast<size_t>(index)] : 0.0f;
}

void AnimatedSprite::SetFrameAux(int index, float value)
{
    if (InRange(index, rotations.size()))
        rotations[static_cast<size_t>(index)] = value;
}

void AnimatedSprite::AddFrame(Sprite* frame, float duration, float rotation)
{
    if (frame == nullptr)
        return;
    frames.push_back(frame);
    durations.push_back(duration);
    rotations.push_back(rotation);
}

void AnimatedSprite::InsertFrame(int index, Sprite* frame, float duration)
{
    if (frame == nullptr)
        return;
    // An index past the end (a negative one included) appends.
    size_t at = static_cast<size_t>(static_cast<unsigned>(index));
    if (at > frames.size())
        at = frames.size();
    frames.insert(frames.begin() + static_cast<std::ptrdiff_t>(at), frame);
    durations.insert(
        durations.begin() + static_cast<std::ptrdiff_t>(std::min(at, durations.size())), duration);
    rotations.insert(rotations.begin() + static_cast<std::ptrdiff_t>(std::min(at, rotations.size())), 0.0f);
}

void AnimatedSprite::SwapFrames(int a, int b)
{
    if (InRange(a, frames.size()) && InRange(b, frames.size()))
        std::swap(frames[static_cast<size_t>(a)], frames[static_cast<size_t>(b)]);
    if (InRange(a, durations.size()) && InRange(b, durations.size()))
        std::swap(durations[static_cast<size_t>(a)], durations[static_cast<size_t>(b)]);
    if (InRange(a, rotations.size()) && InRange(b, rotations.size()))
        std::swap(rotations[static_cast<size_t>(a)], rotations[static_cast<size_t>(b)]);
}

void AnimatedSprite::RemoveFrame(int index)
{
    if (!InRange(index, frames.size()))
        return;
    const auto at = static_cast<std::ptrdiff_t>(index);
    frames.erase(frames.begin() + at);
    if (InRange(index, durations.size()))
        durations.erase(durations.begin() + at);
    if (InRange(index, rotations.size()))
        rotations.erase(rotations.begin() + at);
}

void AnimatedSprite::AcquireImages()
{
    for (Sprite* frame : frames) {
        if (frame != nullptr)
            frame->GetImage();
    }
}

void AnimatedSprite::ReleaseImages()
{
    for (Sprite* frame : frames) {
        if (frame != nullptr)
            frame->ReleaseImage();
    }
}
