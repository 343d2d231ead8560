#pragma once
// Tab controls over the system tab control (SysTabControl32): TCustomTabControl keeps the tab
// list, the selection and the look, and turns the control's TCN_SELCHANGING / TCN_SELCHANGE
// (reflected to it as CN_NOTIFY) into OnChanging (which may refuse) and OnChange. TTabControl
// publishes it with a plain list of tab texts.
#include <windows.h>
#include <functional>
#include <memory>
#include <vector>

#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/ImageList.h"
#include "framework/classes/StringList.h"

class TCustomTabControl;
class TPageControl;
class TTabSheet;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TDrawTabEvent = std::function<void(TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

// The tab texts (and an object per tab) of a tab control, kept in step with its window.
class TTabStrings : public TStrings {
public:
    explicit TTabStrings(TCustomTabControl* Control) : FControl(Control) {}

    String Get(int Index) const override;
    int GetCount() const override { return static_cast<int>(FItems.size()); }
    TObject* GetObjectAt(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObjectAt(int Index, TObject* AObject) override;
    void Insert(int Index, const String& S) override { InsertObject(Index, S, nullptr); }
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Move(int CurIndex, int NewIndex) override;

    // Puts every tab into the control's window again (after the window was made).
    void Restore();
    // Writes the text and image of tab Index into the window.
    void UpdateItem(int Index);

private:
    struct TItem {
        String Text;
        TObject* Object = nullptr;
    };
    void CheckIndex(int Index, int Limit) const;
    TCustomTabControl* FControl;
    std::vector<TItem> FItems;
};

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    TStrings* Tabs() const { return FTabs.get(); }
    void SetTabs(TStrings* Value) { FTabs->Assign(Value); }
    // The selected tab, -1 for none. Setting it selects without OnChanging/OnChange.
    int TabIndex() const;
    void SetTabIndex(int Value);

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    bool RaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool Value);
    bool ScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool Value);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle Value);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);
    // Tab size in pixels; 0 lets the control choose.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int Value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);

    // The area the pages (children) are shown in: the client area less the tabs.
    TRect DisplayRect();
    // A tab's rectangle in client coordinates (TCM_GETITEMRECT); empty without a window.
    TRect TabRect(int Index);
    int RowCount();
    // The tab at a client point, -1 for none.
    int IndexOfTabAt(int X, int Y);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Asked before the selection changes (OnChanging); false keeps the old tab.
    virtual bool CanChange();
    // The selection changed (OnChange).
    virtual void Change();
    virtual bool CanShowTab(int TabIndex) { return true; }
    // An owner-drawn tab (OnDrawTab, or the tab's background filled).
    virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);
    // The image of a tab (its index, unless OnGetImageIndex says otherwise).
    virtual int GetImageIndex(int TabIndex);
    // The tab list changed: the display rectangle may have, too.
    virtual void TabsChanged();

    virtual void CNNotify(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    void WMSize(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;
    TTabGetImageEvent OnGetImageIndex;

protected:
    friend class TTabStrings;
    void UpdateTabSize();
    void UpdateImages();
    // Re-applies the style bits (the window is made again when it exists).
    void StyleChanged();

    std::unique_ptr<TTabStrings> FTabs;
    std::unique_ptr<TControlCanvas> FCanvas;
    int FTabIndex = -1;
    TCustomImageList* FImages = nullptr;
    bool FHotTrack = false;
    bool FMultiLine = false;
    bool FOwnerDraw = false;
    bool FRaggedRight = false;
    bool FScrollOpposite = false;
    TTabStyle FStyle = tsTabs;
    TTabPosition FTabPosition = tpTop;
    int FTabHeight = 0;
    int FTabWidth = 0;
    bool FSavedTabs = false;
};

class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}
};
