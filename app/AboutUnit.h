#pragma once
// Unit AboutUnit: the About window, TAboutfrm, read from its description (AboutUnit.form): a title
// banner, the version, a link and two contact lines, and a footer picture. It has no code of its
// own; the main form shows it modally.
#include "framework/controls/Forms.h"
#include "framework/stdctrls/Image.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"

class TAboutfrm : public TForm {
public:
    explicit TAboutfrm(TComponent* AOwner);

    TsPanel* sPanel1 = nullptr;
    TImage* Image1 = nullptr;
    TsPanel* sPanel2 = nullptr;
    TsLabel* sLabel1 = nullptr;
    TsWebLabel* sWebLabel1 = nullptr;
    TsLabel* sLabel2 = nullptr;
    TsLabel* sLabel3 = nullptr;
    TsPanel* sPanel3 = nullptr;
    TImage* Image2 = nullptr;
};

extern TAboutfrm* Aboutfrm;

// Registers TAboutfrm and its fields with the form reader (once).
void RegisterAboutUnitClasses();
