#include "fuzz/FuzzPlayground.h"
#include "fuzz/FuzzTarget.h"
#include "script/Script.h"

// Script text of a level or a trigger, run with every script command in a
// game of its own: started as the trigger's script at the empty label and at
// ":OnEnter", for a few frames of the level's events (which run the script
// and whatever it queued).
QUENHOLT_FUZZ_TARGET(script_text, fuzz::Reports::Nothing)
{
    const std::string text = input.Text();
    for (const char* label : {"", ":OnEnter"}) {
        fuzz::FuzzPlayground playground;
        auto* script = new Script("StartScriptOnEnter");
        playground.level->AddBackgroundEvent(script); // the level owns it from here
        script->SetText(text);
        if (script->GetText().size() > text.size())
            return false;
        script->Start(label, &playground.trigger);
        for (int frame = 0; frame < 6; ++frame)
            playground.RunLevelEvents();
    }
    return true;
}
