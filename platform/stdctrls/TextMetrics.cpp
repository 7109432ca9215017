#include "platform/stdctrls/TextMetrics.h"

TEXTMETRIC FontTextMetrics(TFont* Font)
{
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Font->Handle());
    TEXTMETRIC Metrics;
    GetTextMetrics(DC, &Metrics);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    return Metrics;
}
