#include "characters/LocalParticleSystem.h"
#include "engine/sound/Sound.h"
#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "ui/UI_Font.h"

#include <algorithm>
#include <set>

namespace {

// Deletes the entries a read appended to a table, keeping the world's own.
template <class T> void DropAppended(std::vector<T*>& table, size_t keep, std::set<const void*>& gone)
{
    for (size_t i = keep; i < table.size(); ++i) {
        gone.insert(table[i]);
        delete table[i];
    }
    table.resize(std::min(keep, table.size()));
}

} // namespace

// The game library, read into the fuzz world's game; everything the read
// added is taken out again so that the next input starts from the same world.
QUENHOLT_FUZZ_TARGET(game_library, fuzz::Reports::FileName)
{
    Game& game = fuzz::GetFuzzWorld().game;
    const size_t sprites = game.sprites.size();
    const size_t animated = game.animatedSprites.size();
    const size_t objects = game.sceneObjects.size();
    const size_t sounds = game.sounds.size();
    const size_t fonts = game.fonts.size();
    const size_t systems = game.localParticleSystems.size();
    const size_t prototypes = game.characterPrototypes.size();

    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return game.UnSerialize(is); });
    std::ostringstream os;
    game.Serialize(os);

    std::set<const void*> gone;
    game.uiFrames.clear();
    game.characterPrototypes.resize(std::min(prototypes, game.characterPrototypes.size()));
    DropAppended(game.sceneObjects, objects, gone);
    DropAppended(game.animatedSprites, animated, gone);
    DropAppended(game.sprites, sprites, gone);
    DropAppended(game.sounds, sounds, gone);
    DropAppended(game.fonts, fonts, gone);
    DropAppended(game.localParticleSystems, systems, gone);
    std::erase_if(game.nameMap, [&](const auto& entry) { return gone.count(entry.second) != 0; });
    game.loadingScreen = nullptr;
    game.mapModel.reset();
    return read;
}
