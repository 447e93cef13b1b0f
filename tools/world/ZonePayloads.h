#pragma once

#include "tools/world/LevelModel.h"

#include <memory>
#include <string>
#include <vector>

class SceneObjectInstance;

// The payload a placed zone or point carries in the level file, made from a
// placement of the model with the engine's own payload classes: each is
// created by the payload factory from its class key (so it starts exactly as
// the game's level reader would make it), then takes the placement's name,
// its size (zones; a model size of 0 x 0 keeps the class's own) and the
// options of its type:
//
//   Point_PlayerStart      name=START (member 0 and 2; default: the placement's name)
//   Point_MinimapLocation  cell=X ROW (the tool sets it from the level's cell)
//   Zone_LoadMap           level=FILE.lvl start=START
//   Zone_Save              dir=Right
//   Zone_PickupObject      kind=0..28 param=TEXT (the rest of the line)
//   Zone_TriggerZone       graphic=OBJECT; the trigger's lines joined by ";"
//   spawners               their fields by name: SpawnCount=, SkullKind=,
//                          DoorKind=, DoorSide=, ProjectileCount=, ChildCount=,
//                          HeadRole=, LinkedZoneName=, PlantParameter=
//
// Every payload is written and read back through the engine before it is
// handed out, so the level file reads back to the same bytes.

// True when placements of the object carry a payload (zone and point types).
bool HasPayload(const std::string& object);

// The payload of a placement, or null for an object without one (then any
// option is refused). Throws WorldError "source:line: expected ..., found ..."
// for an unknown option, a value of the wrong form or out of range.
std::unique_ptr<SceneObjectInstance> MakePayload(const ModelInstance& placed, const std::string& source);

// The option keys a placement of the object understands, in record order.
std::vector<std::string> PayloadOptionKeys(const std::string& object);
