// The published properties of the control and form classes, and the identifiers of their types,
// for the form reader. Units with controls of their own register them the same way.
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/controls/ActionList.h"
#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Graphics.h"

namespace {

void RegisterControlTypes()
{
    RegisterEnumType(L"TAlign", {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient", L"alCustom"});
    RegisterEnumType(L"TAnchorKind", {L"akLeft", L"akTop", L"akRight", L"akBottom"});
    RegisterEnumType(L"TBiDiMode", {L"bdLeftToRight", L"bdRightToLeft", L"bdRightToLeftNoAlign", L"bdRightToLeftReadingOnly"});
    RegisterEnumType(L"TFormBorderStyle", {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog", L"bsToolWindow", L"bsSizeToolWin"});
    RegisterEnumType(L"TBevelCut", {L"bvNone", L"bvLowered", L"bvRaised", L"bvSpace"});
    RegisterEnumType(L"TBevelEdge", {L"beLeft", L"beTop", L"beRight", L"beBottom"});
    RegisterEnumType(L"TBevelKind", {L"bkNone", L"bkTile", L"bkSoft", L"bkFlat"});
    RegisterEnumType(L"TBorderIcon", {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"});
    RegisterEnumType(L"TPosition", {L"poDesigned", L"poDefault", L"poDefaultPosOnly", L"poDefaultSizeOnly", L"poScreenCenter",
                                    L"poDesktopCenter", L"poMainFormCenter", L"poOwnerFormCenter"});
    RegisterEnumType(L"TFormStyle", {L"fsNormal", L"fsMDIChild", L"fsMDIForm", L"fsStayOnTop"});
    RegisterEnumType(L"TWindowState", {L"wsNormal", L"wsMinimized", L"wsMaximized"});
    RegisterEnumValues(L"TCursor", {
        {L"crDefault", crDefault}, {L"crNone", crNone}, {L"crArrow", crArrow}, {L"crCross", crCross},
        {L"crIBeam", crIBeam}, {L"crSizeNESW", crSizeNESW}, {L"crSizeNS", crSizeNS}, {L"crSizeNWSE", crSizeNWSE},
        {L"crSizeWE", crSizeWE}, {L"crUpArrow", crUpArrow}, {L"crHourGlass", crHourGlass}, {L"crDrag", crDrag},
        {L"crNoDrop", crNoDrop}, {L"crHSplit", crHSplit}, {L"crVSplit", crVSplit}, {L"crMultiDrag", crMultiDrag},
        {L"crSQLWait", crSQLWait}, {L"crNo", crNo}, {L"crAppStart", crAppStart}, {L"crHelp", crHelp},
        {L"crHandPoint", crHandPoint}, {L"crSize", crSize}, {L"crSizeAll", crSizeAll}});
    RegisterEnumValues(L"TModalResult", {
        {L"mrNone", mrNone}, {L"mrOk", mrOk}, {L"mrCancel", mrCancel}, {L"mrAbort", mrAbort}, {L"mrRetry", mrRetry},
        {L"mrIgnore", mrIgnore}, {L"mrYes", mrYes}, {L"mrNo", mrNo}, {L"mrClose", mrClose}, {L"mrHelp", mrHelp},
        {L"mrTryAgain", mrTryAgain}, {L"mrContinue", mrContinue}, {L"mrAll", mrAll}, {L"mrNoToAll", mrNoToAll},
        {L"mrYesToAll", mrYesToAll}});
}

template <class T>
auto Notify(TNotifyEvent T::*Member)
{
    return [Member](T* o) -> TNotifyEvent& { return o->*Member; };
}

void RegisterControl()
{
    RegisterPublishedClass<TSizeConstraints>(L"TSizeConstraints", L"TPersistent")
        .Integer(L"MaxHeight", [](TSizeConstraints* c, int v) { c->SetMaxHeight(v); })
        .Integer(L"MaxWidth", [](TSizeConstraints* c, int v) { c->SetMaxWidth(v); })
        .Integer(L"MinHeight", [](TSizeConstraints* c, int v) { c->SetMinHeight(v); })
        .Integer(L"MinWidth", [](TSizeConstraints* c, int v) { c->SetMinWidth(v); });

    RegisterPublishedClass<TControl>(L"TControl", L"TComponent")
        .Integer(L"Left", [](TControl* c, int v) { c->SetLeft(v); })
        .Integer(L"Top", [](TControl* c, int v) { c->SetTop(v); })
        .Integer(L"Width", [](TControl* c, int v) { c->SetWidth(v); })
        .Integer(L"Height", [](TControl* c, int v) { c->SetHeight(v); })
        .Integer(L"ClientWidth", [](TControl* c, int v) { c->SetClientWidth(v); })
        .Integer(L"ClientHeight", [](TControl* c, int v) { c->SetClientHeight(v); })
        .Text(L"Caption", [](TControl* c, const String& v) { c->SetCaption(v); })
        .Text(L"Text", [](TControl* c, const String& v) { c->SetText(v); })
        .Integer(L"Color", [](TControl* c, TColor v) { c->SetColor(v); }, L"clWindow", L"TColor")
        .Boolean(L"ParentColor", [](TControl* c, bool v) { c->SetParentColor(v); }, L"True")
        .Object(L"Font", L"TFont", [](TControl* c) { return c->Font(); })
        .Boolean(L"ParentFont", [](TControl* c, bool v) { c->SetParentFont(v); }, L"True")
        .Boolean(L"Visible", [](TControl* c, bool v) { c->SetVisible(v); }, L"True")
        .Boolean(L"Enabled", [](TControl* c, bool v) { c->SetEnabled(v); }, L"True")
        .Enum<TAlign>(L"Align", L"TAlign", [](TControl* c, TAlign v) { c->SetAlign(v); }, L"alNone")
        .Set(L"Anchors", L"TAnchorKind", [](TControl* c, uint64_t v) { c->SetAnchors(TAnchors::FromBits(v)); }, L"[akLeft, akTop]")
        .Text(L"Hint", [](TControl* c, const String& v) { c->SetHint(v); })
        .Boolean(L"ShowHint", [](TControl* c, bool v) { c->SetShowHint(v); })
        .Boolean(L"ParentShowHint", [](TControl* c, bool v) { c->SetParentShowHint(v); }, L"True")
        .Integer(L"Cursor", [](TControl* c, int v) { c->SetCursor(v); }, L"crDefault", L"TCursor")
        .Boolean(L"Ctl3D", [](TControl* c, bool v) { c->SetCtl3D(v); }, L"True")
        .Boolean(L"ParentCtl3D", [](TControl* c, bool v) { c->SetParentCtl3D(v); }, L"True")
        .Enum<TBiDiMode>(L"BiDiMode", L"TBiDiMode", [](TControl* c, TBiDiMode v) { c->SetBiDiMode(v); }, L"bdLeftToRight")
        .Boolean(L"ParentBiDiMode", [](TControl* c, bool v) { c->SetParentBiDiMode(v); }, L"True")
        .Object(L"Constraints", L"TSizeConstraints", [](TControl* c) { return c->Constraints(); })
        .Component<TBasicAction>(L"Action", L"TBasicAction", [](TControl* c, TBasicAction* v) { c->SetAction(v); })
        .Event<TNotifyEvent>(L"OnClick", Notify(&TControl::OnClick))
        .Event<TNotifyEvent>(L"OnDblClick", Notify(&TControl::OnDblClick))
        .Event<TMouseEvent>(L"OnMouseDown", [](TControl* c) -> TMouseEvent& { return c->OnMouseDown; })
        .Event<TMouseMoveEvent>(L"OnMouseMove", [](TControl* c) -> TMouseMoveEvent& { return c->OnMouseMove; })
        .Event<TMouseEvent>(L"OnMouseUp", [](TControl* c) -> TMouseEvent& { return c->OnMouseUp; })
        .Event<TNotifyEvent>(L"OnMouseEnter", Notify(&TControl::OnMouseEnter))
        .Event<TNotifyEvent>(L"OnMouseLeave", Notify(&TControl::OnMouseLeave))
        .Event<TMouseWheelEvent>(L"OnMouseWheel", [](TControl* c) -> TMouseWheelEvent& { return c->OnMouseWheel; })
        .Event<TMouseWheelUpDownEvent>(L"OnMouseWheelDown", [](TControl* c) -> TMouseWheelUpDownEvent& { return c->OnMouseWheelDown; })
        .Event<TMouseWheelUpDownEvent>(L"OnMouseWheelUp", [](TControl* c) -> TMouseWheelUpDownEvent& { return c->OnMouseWheelUp; })
        .Event<TNotifyEvent>(L"OnResize", Notify(&TControl::OnResize))
        .Event<TCanResizeEvent>(L"OnCanResize", [](TControl* c) -> TCanResizeEvent& { return c->OnCanResize; })
        .Event<TContextPopupEvent>(L"OnContextPopup", [](TControl* c) -> TContextPopupEvent& { return c->OnContextPopup; })
        .ParentSetter([](TControl* c, TComponent* parent) { c->SetParentComponent(parent); });

    RegisterPublishedClass<TWinControl>(L"TWinControl", L"TControl")
        .Integer(L"TabOrder", [](TWinControl* c, int v) { c->SetTabOrder(v); }, L"-1")
        .Boolean(L"TabStop", [](TWinControl* c, bool v) { c->SetTabStop(v); })
        .Boolean(L"DoubleBuffered", [](TWinControl* c, bool v) { c->SetDoubleBuffered(v); })
        .Boolean(L"ParentBackground", [](TWinControl* c, bool v) { c->SetParentBackground(v); })
        .Integer(L"BorderWidth", [](TWinControl* c, int v) { c->SetBorderWidth(v); })
        .Enum<TBevelCut>(L"BevelInner", L"TBevelCut", [](TWinControl* c, TBevelCut v) { c->SetBevelInner(v); }, L"bvRaised")
        .Enum<TBevelCut>(L"BevelOuter", L"TBevelCut", [](TWinControl* c, TBevelCut v) { c->SetBevelOuter(v); }, L"bvLowered")
        .Enum<TBevelKind>(L"BevelKind", L"TBevelKind", [](TWinControl* c, TBevelKind v) { c->SetBevelKind(v); }, L"bkNone")
        .Integer(L"BevelWidth", [](TWinControl* c, int v) { c->SetBevelWidth(v); }, L"1")
        .Set(L"BevelEdges", L"TBevelEdge", [](TWinControl* c, uint64_t v) { c->SetBevelEdges(TBevelEdges::FromBits(v)); },
             L"[beLeft, beTop, beRight, beBottom]")
        .Event<TNotifyEvent>(L"OnEnter", Notify(&TWinControl::OnEnter))
        .Event<TNotifyEvent>(L"OnExit", Notify(&TWinControl::OnExit))
        .Event<TKeyEvent>(L"OnKeyDown", [](TWinControl* c) -> TKeyEvent& { return c->OnKeyDown; })
        .Event<TKeyEvent>(L"OnKeyUp", [](TWinControl* c) -> TKeyEvent& { return c->OnKeyUp; })
        .Event<TKeyPressEvent>(L"OnKeyPress", [](TWinControl* c) -> TKeyPressEvent& { return c->OnKeyPress; });

    RegisterPublishedClass<TGraphicControl>(L"TGraphicControl", L"TControl");
    RegisterPublishedClass<TCustomControl>(L"TCustomControl", L"TWinControl");
}

void RegisterActions()
{
    RegisterPublishedClass<TBasicAction>(L"TBasicAction", L"TComponent")
        .Event<TNotifyEvent>(L"OnExecute", Notify(&TBasicAction::OnExecute))
        .Event<TNotifyEvent>(L"OnUpdate", Notify(&TBasicAction::OnUpdate));
    RegisterPublishedClass<TContainedAction>(L"TContainedAction", L"TBasicAction")
        .Text(L"Category", [](TContainedAction* a, const String& v) { a->SetCategory(v); })
        .ParentSetter([](TContainedAction* a, TComponent* parent) { a->SetParentComponent(parent); });
    RegisterPublishedClass<TCustomAction>(L"TCustomAction", L"TContainedAction")
        .Boolean(L"AutoCheck", [](TCustomAction* a, bool v) { a->SetAutoCheck(v); })
        .Text(L"Caption", [](TCustomAction* a, const String& v) { a->SetCaption(v); })
        .Boolean(L"Checked", [](TCustomAction* a, bool v) { a->SetChecked(v); })
        .Boolean(L"Enabled", [](TCustomAction* a, bool v) { a->SetEnabled(v); }, L"True")
        .Integer(L"GroupIndex", [](TCustomAction* a, int v) { a->SetGroupIndex(v); })
        .Integer(L"HelpContext", [](TCustomAction* a, int v) { a->SetHelpContext(v); })
        .Text(L"Hint", [](TCustomAction* a, const String& v) { a->SetHint(v); })
        .Integer(L"ImageIndex", [](TCustomAction* a, int v) { a->SetImageIndex(v); }, L"-1")
        .Integer(L"ShortCut", [](TCustomAction* a, int v) { a->SetShortCut(static_cast<TShortCut>(v)); })
        .Boolean(L"Visible", [](TCustomAction* a, bool v) { a->SetVisible(v); }, L"True");
    RegisterPublishedClass<TAction>(L"TAction", L"TCustomAction");
    RegisterPublishedClass<TCustomActionList>(L"TCustomActionList", L"TComponent")
        .Component<TCustomImageList>(L"Images", L"TCustomImageList", [](TCustomActionList* l, TCustomImageList* v) { l->SetImages(v); })
        .Event<TActionEvent>(L"OnExecute", [](TCustomActionList* l) -> TActionEvent& { return l->OnExecute; })
        .Event<TActionEvent>(L"OnUpdate", [](TCustomActionList* l) -> TActionEvent& { return l->OnUpdate; })
        .Event<TNotifyEvent>(L"OnChange", Notify(&TCustomActionList::OnChange));
    RegisterPublishedClass<TActionList>(L"TActionList", L"TCustomActionList");
}

void RegisterForm()
{
    RegisterPublishedClass<TCustomForm>(L"TCustomForm", L"TWinControl")
        .Enum<TFormBorderStyle>(L"BorderStyle", L"TFormBorderStyle", [](TCustomForm* f, TFormBorderStyle v) { f->SetBorderStyle(v); },
                                L"bsSizeable")
        .Set(L"BorderIcons", L"TBorderIcon", [](TCustomForm* f, uint64_t v) { f->SetBorderIcons(TBorderIcons::FromBits(v)); },
             L"[biSystemMenu, biMinimize, biMaximize]")
        .Enum<TPosition>(L"Position", L"TPosition", [](TCustomForm* f, TPosition v) { f->SetPosition(v); }, L"poDefaultPosOnly")
        .Enum<TFormStyle>(L"FormStyle", L"TFormStyle", [](TCustomForm* f, TFormStyle v) { f->SetFormStyle(v); }, L"fsNormal")
        .Enum<TWindowState>(L"WindowState", L"TWindowState", [](TCustomForm* f, TWindowState v) { f->SetWindowState(v); }, L"wsNormal")
        .Boolean(L"KeyPreview", [](TCustomForm* f, bool v) { f->SetKeyPreview(v); })
        .Boolean(L"Scaled", [](TCustomForm* f, bool v) { f->SetScaled(v); }, L"True")
        // The resolution the form was laid out at: a scaled form adapts to the screen's after loading.
        .Integer(L"PixelsPerInch", [](TCustomForm* f, int v) { f->SetPixelsPerInch(v); }, L"96")
        .NotStored(L"OldCreateOrder", TPropertyKind::Boolean)
        .NotStored(L"TextHeight", TPropertyKind::Integer)
        .Object(L"Icon", L"TIcon", [](TCustomForm* f) { return f->Icon(); })
        .Component<TWinControl>(L"ActiveControl", L"TWinControl", [](TCustomForm* f, TWinControl* v) { f->SetActiveControl(v); })
        .Event<TNotifyEvent>(L"OnCreate", Notify(&TCustomForm::OnCreate))
        .Event<TNotifyEvent>(L"OnDestroy", Notify(&TCustomForm::OnDestroy))
        .Event<TNotifyEvent>(L"OnShow", Notify(&TCustomForm::OnShow))
        .Event<TNotifyEvent>(L"OnHide", Notify(&TCustomForm::OnHide))
        .Event<TNotifyEvent>(L"OnActivate", Notify(&TCustomForm::OnActivate))
        .Event<TNotifyEvent>(L"OnDeactivate", Notify(&TCustomForm::OnDeactivate))
        .Event<TNotifyEvent>(L"OnPaint", Notify(&TCustomForm::OnPaint))
        .Event<TCloseEvent>(L"OnClose", [](TCustomForm* f) -> TCloseEvent& { return f->OnClose; })
        .Event<TCloseQueryEvent>(L"OnCloseQuery", [](TCustomForm* f) -> TCloseQueryEvent& { return f->OnCloseQuery; })
        .Event<TShortCutEvent>(L"OnShortCut", [](TCustomForm* f) -> TShortCutEvent& { return f->OnShortCut; });
    RegisterPublishedClass<TForm>(L"TForm", L"TCustomForm");
}

} // namespace

void RegisterControlsClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterGraphicsClasses();
    RegisterControlTypes();
    RegisterControl();
    RegisterActions();
    RegisterForm();
    // "Form2.Button1" in a description: the open forms are found by name.
    RegisterGlobalComponentFinder([](const String& name) -> TComponent* {
        if (Screen == nullptr) return nullptr;
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* form = Screen->Forms(i);
            const String& formName = form->Name();
            if (CompareStringOrdinal(formName.c_str(), static_cast<int>(formName.size()), name.c_str(),
                                     static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
                return form;
        }
        return nullptr;
    });
}
