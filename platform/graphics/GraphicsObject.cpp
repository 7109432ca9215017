#include "platform/graphics/GraphicsObject.h"

TGraphicsObject::~TGraphicsObject()
{
    FreeHandle();
}

void TGraphicsObject::FreeHandle()
{
    if (FHandle != nullptr) {
        DeleteObject(FHandle);
        FHandle = nullptr;
    }
}

void TGraphicsObject::Changed()
{
    FreeHandle();
    if (FOnChange)
        FOnChange(this);
}
