#pragma once
// The content of an office-style hint: a title, notes and whether a help line shows. (Its picture
// arrives with the GDI+ picture class.)
#include <memory>

#include "framework/classes/Persistent.h"
#include "framework/classes/StringList.h"

class TAdvHintInfo : public TPersistent {
public:
    TAdvHintInfo() : FNotes(std::make_unique<TStringList>()) {}

    // From another TAdvHintInfo only.
    void Assign(TPersistent* Source) override
    {
        auto* src = dynamic_cast<TAdvHintInfo*>(Source);
        if (src == nullptr) return;
        Title = src->Title;
        FNotes->Assign(src->FNotes.get());
        ShowHelp = src->ShowHelp;
        WideTitle = src->WideTitle;
        WideNotes = src->WideNotes;
    }

    TStringList* Notes() const { return FNotes.get(); }
    void SetNotes(TStrings* Value) { FNotes->Assign(Value); }

    String Title;
    bool ShowHelp = false;
    String WideTitle;
    String WideNotes;

private:
    std::unique_ptr<TStringList> FNotes;
};
