#pragma once
// The fixtures of the standard-control suites whose tests live in several files (one file per
// control). GoogleTest wants every test of a suite to use one fixture class, so each is declared
// here once instead of per file.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/ComboBox.h"
#include "tests/framework/controls/ControlFixtures.h"

namespace kvltest {

// Buttons, check boxes, radio buttons, bitmap buttons and speed buttons.
class Buttons : public FormTest {
protected:
    // A glyph strip of square frames: each frame an olive ground (transparent) with a filled square.
    static std::unique_ptr<TBitmap> Glyph(std::initializer_list<TColor> Frames, int Size = 16)
    {
        auto bitmap = std::make_unique<TBitmap>(Size * static_cast<int>(Frames.size()), Size);
        bitmap->Canvas()->Brush()->SetColor(clOlive);
        bitmap->Canvas()->FillRect(Rect(0, 0, bitmap->Width(), Size));
        int i = 0;
        for (TColor c : Frames) {
            bitmap->Canvas()->Brush()->SetColor(c);
            bitmap->Canvas()->FillRect(Rect(i * Size + 3, 3, i * Size + Size - 3, Size - 3));
            ++i;
        }
        return bitmap;
    }
};

// Combo boxes and list boxes.
class ComboBoxes : public FormTest {
protected:
    TComboBox* MakeCombo(TComboBoxStyle Style)
    {
        auto* combo = Add<TComboBox>(Form, 10, 10, 120, 21);
        combo->SetStyle(Style);
        for (int year = 2012; year <= 2016; ++year) combo->Items()->Add(std::to_wstring(year));
        combo->OnChange = [this](TObject*) { Log.push_back(L"change"); };
        combo->OnDropDown = [this](TObject*) { Log.push_back(L"dropdown"); };
        combo->OnCloseUp = [this](TObject*) { Log.push_back(L"closeup"); };
        return combo;
    }
    std::vector<String> Log;
};

// Edits and memos.
class Edits : public FormTest {};

// Panels, bevels, images, group boxes and radio groups.
class Panels : public FormTest {};

} // namespace kvltest
