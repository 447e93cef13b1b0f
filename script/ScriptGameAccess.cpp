#include "script/ScriptGameAccess.h"

#include "engine/app/Installed.h"

ScriptGameAccess* GetScriptGameAccess()
{
    return Installed<ScriptGameAccess>::Get();
}

void SetScriptGameAccess(ScriptGameAccess* access)
{
    Installed<ScriptGameAccess>::Set(access);
}
