#pragma once
// What goes inside one cell of a data grid: text written the classic way
// (the cell filled, the text clipped to it, a margin from the edge,
// aligned), and the marks of the indicator column.
#include "platform/classes/Alignment.h"
#include "platform/graphics/Canvas.h"

// The current record, the record being edited, the new record.
enum TIndicatorMark { imNone, imCurrent, imEdit, imInsert };

// Fills Rect with the canvas's brush and writes Text with its font, DX
// pixels from the aligned edge and DY from the top.
void WriteCellText(TCanvas* Canvas, const TRect& Rect, int DX, int DY, const String& Text, TAlignment Alignment);
// A black arrow, I-beam or asterisk in the middle of Rect.
void DrawIndicatorMark(TCanvas* Canvas, const TRect& Rect, TIndicatorMark Mark);
