#include "engine/sound/SoundEvent.h"
#include "engine/app/UsageObserver.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Random.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "engine/sound/ISoundEngine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"

#include <algorithm>

namespace {

const Sound* SoundOf(const ISoundInstanceRessource* instance)
{
    if (instance == nullptr || instance->GetRessource() == nullptr)
        return nullptr;
    return instance->GetRessource()->GetOwner();
}

} // namespace

// ---------------------------------------------------------------- voices

SoundInstance::SoundInstance(ISoundInstanceRessource* playing)
    : instance(playing)
{
}

SoundInstance::~SoundInstance() = default;

void SoundInstance::Play()
{
    if (instance == nullptr)
        return;
    const Sound* sound = SoundOf(instance.get());
    SoundGameAccess* game = GetSoundGameAccess();
    SoundEventsManager* manager = game != nullptr ? game->GetSoundEventsManager() : nullptr;
    // One start per sound and frame, whichever event asks for it.
    if (sound != nullptr && manager != nullptr && manager->WasStartedThisFrame(sound->GetName()))
        return;
    instance->Play(0);
}

void SoundInstance::SetVolume(float volume)
{
    if (instance != nullptr)
        instance->SetVolume(volume);
}

// ---------------------------------------------------------------- events

SoundEvent::SoundEvent(std::string eventName, bool positionalEvent, int voicesCount)
    : name(std::move(eventName))
    , voicesPerVariation(voicesCount)
    , positional(positionalEvent)
{
}

SoundEvent::~SoundEvent() = default;

void SoundEvent::CopyFrom(const SoundEvent& other)
{
    name = other.name;
    playing = other.playing;
    variations = other.variations;
    voicesPerVariation = other.voicesPerVariation;
    positional = other.positional;
    x = other.x;
    y = other.y;
    innerRadius = other.innerRadius;
    outerRadius = other.outerRadius;
}

void SoundEvent::CreateVoices()
{
    for (Sound* variation : variations) {
        if (variation == nullptr)
            continue;
        for (int32_t i = 0; i < voicesPerVariation; ++i) {
            ISoundRessource* ressource = variation->GetRessource();
            voices.push_back(std::make_unique<SoundInstance>(
                ressource != nullptr ? ressource->CreateInstance() : nullptr));
        }
    }
}

void SoundEvent::Play()
{
    NoteUse("sound event", name);
    playing = true;
    // The voice is a cosmetic draw, made on every call: which voices are
    // still sounding depends on real-time playback, and neither that nor the
    // draw may move the game's chance.
    const uint32_t drawn = platform::CosmeticRandom32();
    std::vector<size_t> freeVoices;
    for (size_t i = 0; i < voices.size(); ++i) {
        ISoundInstanceRessource* instance = voices[i]->GetInstance();
        if (instance == nullptr || !instance->IsPlaying())
            freeVoices.push_back(i);
    }
    if (freeVoices.empty())
        return; // every voice busy

    SoundInstance& voice = *voices[freeVoices[PickFreeVoice(freeVoices.size(), drawn)]];
    voice.Play();
    // A positional voice starts silent; the next positional update sets its volume.
    if (positional && voice.GetInstance() != nullptr)
        voice.GetInstance()->SetVolume(0.0f);
}

size_t SoundEvent::PickFreeVoice(size_t count, uint32_t drawn)
{
    if (count == 0)
        return 0;
    const float unit = static_cast<float>(drawn) / 4294967296.0f;
    return std::min(static_cast<size_t>(static_cast<float>(count) * unit), count - 1);
}

void SoundEvent::Stop()
{
    playing = false;
    for (const auto& voice : voices)
        if (voice->GetInstance() != nullptr)
            voice->GetInstance()->Stop(false);
}

void SoundEvent::SetPaused(bool paused)
{
    for (const auto& voice : voices) {
        ISoundInstanceRessource* instance = voice->GetInstance();
        if (instance == nullptr)
            continue;
        if (paused)
            instance->Stop(true);
        else
            instance->Resume();
    }
}

float SoundEvent::VolumeAtSquaredDistance(float d2) const
{
    const float outer2 = outerRadius * outerRadius;
    const float inner2 = innerRadius * innerRadius;
    const float span = outer2 - inner2;
    // Radii that leave no ring between them: full volume anywhere in range.
    if (span <= 0.0f)
        return 1.0f;
    return std::min((outer2 - d2) / span, 1.0f);
}

void SoundEvent::UpdatePositional()
{
    if (!playing)
        return;
    SoundGameAccess* game = GetSoundGameAccess();
    float playerX = 0.0f;
    float playerY = 0.0f;
    int width = 0;
    int height = 0;
    if (positional && game != nullptr && game->GetPlayerBox(playerX, playerY, width, height)) {
        const float listenerX = playerX + static_cast<float>(width) * 0.5f;
        const float listenerY = playerY + static_cast<float>(height) * 0.5f;
        const float d2 = (x - listenerX) * (x - listenerX) + (y - listenerY) * (y - listenerY);
        if (d2 <= outerRadius * outerRadius) {
            if (HasLoopingVoice()) {
                if (GetPlayingVoiceIndex() == -1)
                    Play();
                else
                    SetPaused(false);
            }
            const float volume = VolumeAtSquaredDistance(d2);
            for (const auto& voice : voices)
                voice->SetVolume(volume);
        } else {
            for (const auto& voice : voices) {
                ISoundInstanceRessource* instance = voice->GetInstance();
                if (instance == nullptr)
                    continue;
                instance->SetVolume(0.0f);
                const Sound* sound = SoundOf(instance);
                if (sound != nullptr && sound->GetLoop())
                    instance->Stop(true); // paused, its data kept
            }
        }
    }
    if (GetPlayingVoiceIndex() == -1)
        playing = false;
}

int SoundEvent::GetPlayingVoiceIndex() const
{
    for (size_t i = 0; i < voices.size(); ++i)
        if (voices[i]->GetInstance() != nullptr && voices[i]->GetInstance()->IsPlaying())
            return static_cast<int>(i);
    return -1;
}

bool SoundEvent::HasLoopingVoice() const
{
    return std::any_of(voices.begin(), voices.end(), [](const auto& voice) {
        const Sound* sound = SoundOf(voice->GetInstance());
        return sound != nullptr && sound->GetLoop();
    });
}

bool SoundEvent::Serialize(std::ostream& os)
{
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, static_cast<int32_t>(variations.size()));
    for (Sound* variation : variations) {
        if (variation == nullptr)
            WriteLine(os, std::string("NULL"));
        else
            variation->SerializePtr(os);
    }
    WriteLine(os, innerRadius);
    WriteLine(os, outerRadius);
    return static_cast<bool>(os);
}

bool SoundEvent::UnSerialize(std::istream& is)
{
    // Read whole into locals; a damaged record leaves the event as it was.
    std::string newName;
    int32_t count = 0;
    if (!ReadClassLine(is, GetVersionedClassName()) || !ReadTextLine(is, newName) || !ReadIntLine(is, count))
        return false;
    std::vector<Sound*> newVariations;
    SoundGameAccess* game = GetSoundGameAccess();
    // Element by element: a count is never trusted to size anything, and a
    // negative one reads as none.
    for (int32_t i = 0; i < count; ++i) {
        std::string line;
        if (!ReadTextLine(is, line))
            return false;
        if (line == "NULL") {
            newVariations.push_back(nullptr);
            continue;
        }
        // Any other line is a reference's class line, read and not
        // compared: the name decides.
        if (line != "SoundV0Ptr")
            platform::DebugOutput(ReaderContext::WhereOf(is) + "read " + QuoteFound(line)
                + " as the class line \"SoundV0Ptr\"\n");
        std::string soundName;
        if (!ReadTextLine(is, soundName))
            return false;
        newVariations.push_back(game != nullptr ? game->FindSound(soundName) : nullptr);
    }
    float inner = 0.0f;
    float outer = 0.0f;
    if (!ReadFloatLine(is, inner) || !ReadFloatLine(is, outer))
        return false;
    name = std::move(newName);
    variations = std::move(newVariations);
    innerRadius = inner;
    outerRadius = outer;
    return true;
}
