#pragma once
// Everything the classic graphics unit offered, in one include.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/ControlCanvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/Types.h"
