#pragma once
// The vocabulary the standard controls share: text alignment and layout, scroll-bar choice,
// character case, the owner-draw item state and the item events of list-like controls, plus the
// alignment and reading-order helpers that labels, buttons, panels and edits all need.
#include <windows.h>

#include <functional>
#include <initializer_list>

#include "framework/classes/Component.h"
#include "framework/graphics/GraphicsBase.h"
#include "framework/graphics/OwnerDrawState.h"

class TCanvas;
class TControl;
class TWinControl;
struct TCreateParams;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Check boxes and radio buttons only take the first two.
using TLeftRight = TAlignment;
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// DT_LEFT / DT_RIGHT / DT_CENTER for an alignment.
UINT AlignmentToDrawTextFlag(TAlignment Alignment);
// Left and right swapped (right-to-left controls).
TAlignment MirrorAlignment(TAlignment Alignment);
// Flags adjusted to Control's reading order (DT_RIGHT swapped with DT_LEFT, DT_RTLREADING added).
UINT BiDiDrawTextFlags(TControl* Control, UINT Flags);

// The window style of a bsSingle border: a sunken edge for a 3-D control, a line otherwise.
void AddSingleBorder(TCreateParams& Params, bool Ctl3D);
// Runs Draw with Canvas drawing on DC (a DC the system lends for owner or custom drawing), and
// hands DC back in the state it came in, also when Draw raises.
void DrawOnLentDC(TCanvas* Canvas, HDC DC, const std::function<void()>& Draw);

// Points Field at Value for Owner, moving Owner's free notification from the component Field
// pointed at to the new one; false when Field already was Value.
template <class T>
bool ChangeReference(TComponent* Owner, T*& Field, T* Value)
{
    if (Field == Value) return false;
    if (Field != nullptr) Field->RemoveFreeNotification(Owner);
    Field = Value;
    if (Field != nullptr) Field->FreeNotification(Owner);
    return true;
}

// Clears those of Fields that point at AComponent, which is going away; true when one did.
template <class T>
bool ForgetReferences(TComponent* AComponent, std::initializer_list<T**> Fields)
{
    bool found = false;
    for (T** field : Fields)
        if (*field == AComponent) {
            *field = nullptr;
            found = true;
        }
    return found;
}

// Registers the standard controls (and the layers below) with the form reader.
void RegisterStdControlsClasses();
