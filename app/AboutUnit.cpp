#include "app/AboutUnit.h"

#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "skin/controls/sControlsProperties.h"

TAboutfrm* Aboutfrm = nullptr;

TAboutfrm::TAboutfrm(TComponent* AOwner) : TForm(AOwner)
{
    RegisterAboutUnitClasses();
    ReadComponentResourceOfClass(this, L"TAboutfrm");
}

void RegisterAboutUnitClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSkinControlsClasses();
    RegisterPublishedClass<TAboutfrm>(L"TAboutfrm", L"TForm")
        .Field(L"sPanel1", &TAboutfrm::sPanel1)
        .Field(L"Image1", &TAboutfrm::Image1)
        .Field(L"sPanel2", &TAboutfrm::sPanel2)
        .Field(L"sLabel1", &TAboutfrm::sLabel1)
        .Field(L"sWebLabel1", &TAboutfrm::sWebLabel1)
        .Field(L"sLabel2", &TAboutfrm::sLabel2)
        .Field(L"sLabel3", &TAboutfrm::sLabel3)
        .Field(L"sPanel3", &TAboutfrm::sPanel3)
        .Field(L"Image2", &TAboutfrm::Image2);
}
