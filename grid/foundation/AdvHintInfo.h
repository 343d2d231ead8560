#pragma once
// The content of an office-style hint: a title, notes, a picture drawn through GDI+ and whether
// a help line shows, with wide forms of the title and notes.
#include <memory>

#include "framework/classes/Persistent.h"
#include "framework/classes/StringList.h"
#include "grid/foundation/GDIPicture.h"

class TAdvHintInfo : public TPersistent {
public:
    TAdvHintInfo() : FPicture(std::make_unique<TGDIPPicture>()), FNotes(std::make_unique<TStringList>()) {}

    // From another TAdvHintInfo only; any other source is ignored.
    void Assign(TPersistent* Source) override
    {
        auto* src = dynamic_cast<TAdvHintInfo*>(Source);
        if (src == nullptr || src == this) return;
        FPicture->Assign(src->FPicture.get());
        ShowHelp = src->ShowHelp;
        FNotes->Assign(src->FNotes.get());
        Title = src->Title;
        WideTitle = src->WideTitle;
        WideNotes = src->WideNotes;
    }

    TGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TGDIPPicture* Value) { FPicture->Assign(Value); }
    TStringList* Notes() const { return FNotes.get(); }
    void SetNotes(TStrings* Value) { FNotes->Assign(Value); }

    String Title;
    bool ShowHelp = false;
    String WideTitle;
    String WideNotes;

private:
    std::unique_ptr<TGDIPPicture> FPicture;
    std::unique_ptr<TStringList> FNotes;
};
