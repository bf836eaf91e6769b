#pragma once
// The class library's graphics unit: colours, fonts, pens, brushes, canvases and pictures.
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/GraphicsObjects.h"
