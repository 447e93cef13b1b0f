#pragma once

#include "script/ScriptCommandSupport.h"

class Script;

// Registers the 52 script commands in their fixed order.
void RegisterScriptCommands();

// The script commands that act on the game. Each receives the running script
// and the tokens of its argument text, at least as many as its table entry
// requires, and returns whether it was carried out.
namespace ScriptGameCommands {

using ScriptCommandSupport::Tokens;

// Commands that queue cut-scene events.
bool ShowDebugMessage(Script& script, const Tokens& tokens);
bool WaitTimer(Script& script, const Tokens& tokens);
bool StartDialogueFromFile(Script& script, const Tokens& tokens);
bool WaitMessage(Script& script, const Tokens& tokens);
bool ShakeCamera(Script& script, const Tokens& tokens);

// Camera and layers.
bool ChangeCameraTargetToPlayer(Script& script, const Tokens& tokens);
bool ChangeCameraTargetToLocator(Script& script, const Tokens& tokens);
bool ChangeGraphicalOnLayer(Script& script, const Tokens& tokens);
bool PreLoadGraphical(Script& script, const Tokens& tokens);
bool SetLayerVisible(Script& script, const Tokens& tokens);

// Characters and particles.
bool SendMessageTo(Script& script, const Tokens& tokens);
bool SetGraphical(Script& script, const Tokens& tokens);
bool WaitEndOfAnimation(Script& script, const Tokens& tokens);
bool ChangeNPCTargetToLocator(Script& script, const Tokens& tokens);
bool UseParticleSystem(Script& script, const Tokens& tokens);
bool AddLocalParticles(Script& script, const Tokens& tokens);
bool AddFullscreenParticles(Script& script, const Tokens& tokens);
bool SetPlayerFullLife(Script& script, const Tokens& tokens);
bool RunPickupCinematic(Script& script, const Tokens& tokens);
bool PopPickupInTrigger(Script& script, const Tokens& tokens);
bool RefreshGraphicalCollision(Script& script, const Tokens& tokens);
bool ChangeNPCRenderAfterPlayer(Script& script, const Tokens& tokens);

// The player, the score and saving.
bool IgnoreInputs(Script& script, const Tokens& tokens);
bool EnableMinimap(Script& script, const Tokens& tokens);
bool IncrementGameScore(Script& script, const Tokens& tokens);
bool AddSecretZone(Script& script, const Tokens& tokens);
bool RemoveSecretZone(Script& script, const Tokens& tokens);
bool ChangeStoryHintPosition(Script& script, const Tokens& tokens);
bool SaveGame(Script& script, const Tokens& tokens);

// Screen effects, the interface and the ending.
bool ChangeFadeTimer(Script& script, const Tokens& tokens);
bool ChangeFadeToBlack(Script& script, const Tokens& tokens);
bool EnableWaterDisto(Script& script, const Tokens& tokens);
bool AddLayerInCinematic(Script& script, const Tokens& tokens);
bool ShowEnding(Script& script, const Tokens& tokens);
bool EndGame(Script& script, const Tokens& tokens);
bool ForceToHideUI(Script& script, const Tokens& tokens);

// Music, sounds and achievements.
bool PlayMusic(Script& script, const Tokens& tokens);
bool StopMusic(Script& script, const Tokens& tokens);
bool ForceMusicToRestartAtTime(Script& script, const Tokens& tokens);
bool PrepareSoundEvents(Script& script, const Tokens& tokens);
bool PlaySoundEvent(Script& script, const Tokens& tokens);
bool StopSoundEvent(Script& script, const Tokens& tokens);
bool PauseGameplay(Script& script, const Tokens& tokens);
bool AskToChangeLevel(Script& script, const Tokens& tokens);
bool ChangeAchievementCurrentValue(Script& script, const Tokens& tokens);
bool IncrementAchievementCurrentValue(Script& script, const Tokens& tokens);

} // namespace ScriptGameCommands
