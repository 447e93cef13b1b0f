#pragma once

#include <memory>
#include <string>

class Sound;
class ISoundEngine;

// A mixing layer: every voice routed to it is scaled by the layer's volume.
class ISoundLayer {
public:
    explicit ISoundLayer(std::string layerName)
        : name(std::move(layerName))
    {
    }
    virtual ~ISoundLayer() = default;

    // Creates the layer's mix on the given engine (the game's engine when null).
    virtual bool Create(ISoundEngine* engine) = 0;
    virtual void Release() = 0;
    virtual void SetVolume(float volume) = 0;
    virtual float GetVolume() const = 0;

    const std::string& GetName() const { return name; }

protected:
    std::string name;
};

class ISoundInstanceRessource;

// Sample data loaded once; hands out playing instances.
class ISoundRessource {
public:
    ISoundRessource(std::string fileName, Sound* ownerSound)
        : name(std::move(fileName))
        , owner(ownerSound)
    {
    }
    virtual ~ISoundRessource() = default;

    virtual ISoundInstanceRessource* CreateInstance() = 0;
    virtual void ReleaseData() = 0;

    const std::string& GetName() const { return name; }
    Sound* GetOwner() const { return owner; }

protected:
    std::string name; // the file name as finally opened
    Sound* owner;     // the sound record that asked for the load
};

// One playing voice of a resource.
class ISoundInstanceRessource {
public:
    explicit ISoundInstanceRessource(ISoundRessource* source)
        : ressource(source)
    {
    }
    virtual ~ISoundInstanceRessource() = default;

    virtual void Release() = 0;
    virtual void SetLayer(ISoundLayer* newLayer) = 0;
    virtual ISoundLayer* GetLayer() { return layer; }
    virtual void Play(int loopCount) = 0;
    virtual void Resume() = 0;
    // Stops the voice; with pause false its queued data is dropped as well,
    // so a later Resume does nothing.
    virtual void Stop(bool pause) = 0;
    virtual void SetVolume(float volume) = 0;
    virtual float GetVolume() const = 0;
    virtual bool IsPlaying() = 0;

    ISoundRessource* GetRessource() const { return ressource; }

protected:
    ISoundRessource* ressource; // not owned
    ISoundLayer* layer = nullptr;
};

// The game's sound engine: output device, the music and sound layers, sample loading.
class ISoundEngine {
public:
    explicit ISoundEngine(std::string engineName)
        : name(std::move(engineName))
    {
    }
    virtual ~ISoundEngine() = default;

    ISoundEngine(const ISoundEngine&) = delete;
    ISoundEngine& operator=(const ISoundEngine&) = delete;

    virtual bool Init() = 0;
    // Loads a RIFF WAVE file; null on any failure.
    virtual ISoundRessource* ImportSound(std::string fileName, Sound* owner) = 0;
    // Layer volumes from the game's configuration (0 to 10 each).
    virtual void ApplyVolumes() = 0;
    virtual ISoundLayer* GetMusicLayer() { return musicLayer.get(); }
    virtual void ReleaseSoundData(ISoundRessource* ressource) = 0;

    ISoundLayer* GetSoundLayer() { return soundLayer.get(); }
    const std::string& GetName() const { return name; }

protected:
    std::string name;
    std::unique_ptr<ISoundLayer> musicLayer; // "MainMusicLayer", null until Init
    std::unique_ptr<ISoundLayer> soundLayer; // "MainSoundLayer", null until Init
};
