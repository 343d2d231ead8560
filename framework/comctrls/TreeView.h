#pragma once
// TTreeView over SysTreeView32. The nodes live in the framework objects (TTreeNodes), which are
// the truth while there is no window and are mirrored into the window while there is one: each
// window item carries its object in lParam. Selection and expansion come back from the window,
// and the notifications the parent reflects (CN_NOTIFY: TVN_SELCHANGED, TVN_ITEMEXPANDING ...)
// become the control's events.
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <vector>

#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/classes/StringList.h"

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
public:
    TTreeNode(TTreeNodes* Owner, TTreeNode* Parent);
    ~TTreeNode() override;
    TPersistent* GetOwner() override;

    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;
    TTreeNode* Parent() const { return FParent; }
    // Children.
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const;
    bool HasChildren() const { return !FChildren.empty(); }
    // Position among its siblings.
    int Index() const;
    // Position in the whole tree, counted in the order the nodes are shown when all expanded.
    int AbsoluteIndex() const;
    // 0 for a top-level node.
    int Level() const;
    const String& Text() const { return FText; }
    void SetText(const String& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value);
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    // Expanding and collapsing from code asks OnExpanding / OnCollapsing too.
    bool Expanded() const;
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const;
    void SetSelected(bool Value);
    HTREEITEM ItemId() const { return FItemId; }

    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node in the whole tree (depth first), null after the last.
    TTreeNode* GetNext() const;
    TRect DisplayRect(bool TextOnly) const;
    void MakeVisible();
    void Delete();
    void DeleteChildren();

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;
    // Expand (Value) or Collapse.
    void ChangeExpanded(bool Value, bool Recurse);

    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    HTREEITEM FItemId = nullptr;
    String FText;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    int FStateIndex = -1;
    void* FData = nullptr;
    bool FExpanded = false;
};

class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(TCustomTreeView* Owner) : FOwner(Owner) {}
    ~TTreeNodes() override;
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override;

    TCustomTreeView* Owner() const { return FOwner; }
    // All nodes.
    int Count() const;
    // The node at an absolute index (see TTreeNode::AbsoluteIndex).
    TTreeNode* Item(int Index) const;
    TTreeNode* operator[](int Index) const { return Item(Index); }
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    // A new last (Add) or first (AddFirst) sibling of Sibling (a top-level node for null).
    TTreeNode* Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }
    TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Ptr);
    TTreeNode* AddFirst(TTreeNode* Sibling, const String& S);
    // A new last (AddChild) or first (AddChildFirst) child of Parent (top level for null).
    TTreeNode* AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }
    TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Ptr);
    TTreeNode* AddChildFirst(TTreeNode* Parent, const String& S);
    // A new node just before Sibling (at the end of the top level for null).
    TTreeNode* Insert(TTreeNode* Sibling, const String& S);
    void Delete(TTreeNode* Node);
    void Clear();
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* InsertNode(TTreeNode* Parent, size_t Position, const String& S, void* Ptr);

    TCustomTreeView* FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FUpdateCount = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVCustomDrawEvent = std::function<void(TCustomTreeView* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TTVAdvancedCustomDrawEvent =
    std::function<void(TCustomTreeView* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    TTreeNodes* Items() const { return FItems.get(); }
    void SetItems(TTreeNodes* Value) { FItems->Assign(Value); }
    // Setting it selects through the control (OnChanging may refuse, OnChange follows).
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* Value);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool Value);
    int Indent() const;
    void SetIndent(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    TTreeNode* GetNodeAt(int X, int Y);
    void FullExpand();
    void FullCollapse();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void CNNotify(TMessage& Message);

    virtual bool CanChange(TTreeNode* Node);
    virtual void Change(TTreeNode* Node);
    virtual bool CanExpand(TTreeNode* Node);
    virtual void Expand(TTreeNode* Node);
    virtual bool CanCollapse(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVExpandedEvent OnDeletion;
    TTVCustomDrawEvent OnCustomDraw;
    TTVAdvancedCustomDrawEvent OnAdvancedCustomDraw;

protected:
    friend class TTreeNode;
    friend class TTreeNodes;
    TTreeNode* NodeFromItem(HTREEITEM Item) const;
    // Puts Node (and its children) into the window after InsertAfter under its parent.
    void InsertWindowItem(TTreeNode* Node, HTREEITEM InsertAfter);
    void UpdateWindowItem(TTreeNode* Node, UINT Mask);
    void UpdateColors();
    void UpdateImageLists();
    void StyleChanged();
    void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);

    std::unique_ptr<TTreeNodes> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FStateImages = nullptr;
    bool FShowButtons = true;
    bool FShowLines = true;
    bool FShowRoot = true;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FRowSelect = false;
    bool FHotTrack = false;
    bool FAutoExpand = false;
    int FIndent = 19;
    TBorderStyle FBorderStyle = bsSingle;
    TTreeNode* FSavedSelected = nullptr;
    // Set while the control expands or collapses a node itself.
    int FExpanding = 0;
    // Set while the window is filled or emptied: its notifications are not the user's.
    int FRestoring = 0;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};
