#pragma once

// Whether this frame is a logic tick of the game (its fixed-step flag). Most
// background events advance only on ticks. Without a game object every frame
// counts as one, so events can be stepped on their own.
bool IsLogicTick();
