#include "script/BGEvent_ShowText.h"

#include "engine/app/DevConsole.h"
#include "scene/SceneGameAccess.h"
#include "script/EventTick.h"

#include <utility>

BGEvent_ShowText::BGEvent_ShowText(std::string name_, std::string text_)
    : BackgroundEvent(std::move(name_))
    , text(std::move(text_))
{
}

void BGEvent_ShowText::StartFor(int count)
{
    started = true;
    params[2] = count;
}

uint8_t BGEvent_ShowText::AlphaFor(int count)
{
    if (count >= 4)
        return 255;
    return static_cast<uint8_t>(static_cast<uint32_t>(count * 50) & 0xFFu);
}

bool BGEvent_ShowText::Update()
{
    BackgroundEvent::Update();
    if (!IsLogicTick() || finished)
        return true;
    const uint32_t colour = (static_cast<uint32_t>(AlphaFor(params[2])) << 24) | 0x00FFFFFFu;
    SceneGameAccess* game = GetSceneGameAccess();
    if (DevConsole* console = game != nullptr ? game->GetConsole() : nullptr)
        console->AddDebugMessage(false, " [EVENT] " + text, colour, 2.0);
    if (params[2] == 1)
        finished = true;
    else if (params[2] != -1)
        --params[2];
    return true;
}
