#pragma once
// Unit AdvDropDown: the drop-down edit family's shared parts. So far the header and footer bar
// settings of a drop-down's pop-up (caption, image, background, border and a row of buttons),
// which the grid's control look also keeps for its drop-down editors.
#include <memory>
#include <utility>

#include "framework/classes/Collection.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/GraphicsObjects.h"

enum TGradientDirection { gdHorizontal, gdVertical };
enum TButtonAlignment { baLeft, baRight };

// One button of a header bar. Caption, Enabled and Width report a change to the collection;
// Height and ImageIndex are kept silently.
class THeaderButton : public TCollectionItem {
public:
    explicit THeaderButton(TCollection* Collection) : TCollectionItem(Collection) {}
    void Assign(TPersistent* Source) override;

    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int ImageIndex = -1;
    int Height = 0;

protected:
    template <class T> void ChangeItem(T& Field, const T& Value)
    {
        if (Field == Value) return;
        Field = Value;
        Changed(false);
    }

private:
    String FCaption;
    bool FEnabled = true;
    int FWidth = 0;
};

// A footer button also closes the pop-up with its modal result.
class TFooterButton : public THeaderButton {
public:
    explicit TFooterButton(TCollection* Collection) : THeaderButton(Collection) {}
    void Assign(TPersistent* Source) override;
    TModalResult ModalResult = mrNone;
};

// The buttons of a bar; a change of any button fires OnChange (TCollection).
class THeaderButtons : public TOwnedCollection {
public:
    explicit THeaderButtons(TPersistent* AOwner) : TOwnedCollection(AOwner, ItemClassOf<THeaderButton>()) {}
    THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
    THeaderButton* Insert(int Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
    THeaderButton* Items(int Index) const { return static_cast<THeaderButton*>(TCollection::Items(Index)); }

protected:
    THeaderButtons(TPersistent* AOwner, TCollectionItemClass ItemClass) : TOwnedCollection(AOwner, std::move(ItemClass)) {}
};

class TFooterButtons : public THeaderButtons {
public:
    explicit TFooterButtons(TPersistent* AOwner) : THeaderButtons(AOwner, ItemClassOf<TFooterButton>()) {}
    TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
    TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
    TFooterButton* Items(int Index) const { return static_cast<TFooterButton*>(TCollection::Items(Index)); }
};

// The settings of a pop-up's header bar. Only Visible reports its change (OnChange); a change of
// the buttons is reported through OnButtonsChanged.
class THeaderAppearance : public TPersistent {
public:
    explicit THeaderAppearance(TPersistent* AOwner);
    ~THeaderAppearance() override;
    TPersistent* GetOwner() override { return FOwner; }
    // From another appearance of the same class: every setting (Visible through its setter) and
    // the buttons; any other source is ignored.
    void Assign(TPersistent* Source) override;
    // Only the colours, the font and the gradient direction.
    void AssignColors(THeaderAppearance* Source);

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    THeaderButtons* Buttons() const { return FButtons.get(); }
    void SetButtons(THeaderButtons* Value) { FButtons->Assign(Value); }

    int Height = 22;
    int BorderWidth = 1;
    int ImageIndex = -1;
    String Caption;
    TColor ColorTo = clWhite;
    TColor Color = clSilver;
    TColor BorderColor = clBlack;
    TGradientDirection GradientDirection = gdVertical;
    TButtonAlignment ButtonAlignment = baRight;
    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

protected:
    THeaderAppearance(TPersistent* AOwner, std::unique_ptr<THeaderButtons> Buttons);

private:
    TPersistent* FOwner;
    bool FVisible = true;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<THeaderButtons> FButtons;
};

// The footer bar's settings: those of the header, footer buttons, and the size grip.
class TFooterAppearance : public THeaderAppearance {
public:
    explicit TFooterAppearance(TPersistent* AOwner);
    void Assign(TPersistent* Source) override;
    TFooterButtons* Buttons() const { return static_cast<TFooterButtons*>(THeaderAppearance::Buttons()); }
    bool SizeGrip = true;
};

// Makes the bar settings and their buttons known to the form reader (once per program is enough;
// registering again replaces the entries).
void RegisterDropDownBarClasses();
