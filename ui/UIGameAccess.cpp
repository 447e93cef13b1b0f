#include "ui/UIGameAccess.h"

#include "engine/app/Installed.h"

UIGameAccess* GetUIGameAccess()
{
    return Installed<UIGameAccess>::Get();
}

void SetUIGameAccess(UIGameAccess* access)
{
    Installed<UIGameAccess>::Set(access);
}
