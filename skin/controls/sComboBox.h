#pragma once
// Unit sComboBox: the skinned combo box, TsComboBox: an editable drop-down list whose OnChange
// fires when the user types into the edit part or picks an entry.
// The skin engine gives it its looks later; until then it looks and behaves as its base, except
// that a text written while there is no window survives the window's creation even when an entry
// was selected before it (as it does when both are written to a window).
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/ListBox.h"

class TsComboBox : public TCustomComboBox {
public:
    explicit TsComboBox(TComponent* AOwner);

    void CreateWnd() override;
};
