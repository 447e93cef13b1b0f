#include "ui/OverlayObject.h"

void OverlayObject::Open()
{
    open = true;
    slide = 0.0f;
    position = restPosition;
}

void OverlayObject::Close()
{
    open = false;
    slide = 0.0f;
    position = restPosition;
}
