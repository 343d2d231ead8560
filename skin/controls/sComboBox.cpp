#include "skin/controls/sComboBox.h"

TsComboBox::TsComboBox(TComponent* AOwner) : TCustomComboBox(AOwner)
{
}

void TsComboBox::CreateWnd()
{
    // The base selects the remembered entry last, which would replace a text written after it.
    String text = FText;
    TCustomComboBox::CreateWnd();
    if (HasEdit() && !text.empty() && Text() != text) SetTextQuietly(text);
}
