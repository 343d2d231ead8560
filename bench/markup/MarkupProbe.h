#pragma once
// Timings of the pieces a markup cell is drawn from (see MarkupProbe.cpp).
#include <windows.h>

#include "framework/graphics/Canvas.h"

void ProbeMarkupCosts(HDC DC, TCanvas& Canvas);
