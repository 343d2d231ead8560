#pragma once
// The whole graphics layer in one include: colours, fonts, pens, brushes, canvases, bitmaps,
// icons, pictures and image lists.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/GraphicsBase.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/ImageList.h"

// Registers the graphics classes and types (and the layers below) with the form reader.
void RegisterGraphicsClasses();
