#include "framework/comctrls/TreeView.h"

#include <algorithm>

#include "framework/comctrls/ItemViews.h"

// ---- TTreeNode ---------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent)
{
}

TTreeNode::~TTreeNode() = default;

TPersistent* TTreeNode::GetOwner()
{
    return FOwner;
}

TCustomTreeView* TTreeNode::TreeView() const
{
    return FOwner->FOwner;
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const
{
    return FParent != nullptr ? FParent->FChildren : FOwner->FRoots;
}

TTreeNode* TTreeNode::Item(int Index) const
{
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FChildren[static_cast<size_t>(Index)].get();
}

int TTreeNode::Index() const
{
    auto& siblings = Siblings();
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const
{
    int index = 0;
    for (TTreeNode* node = FOwner->GetFirstNode(); node != nullptr; node = node->GetNext(), ++index)
        if (node == this) return index;
    return -1;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode* node = FParent; node != nullptr; node = node->FParent) ++level;
    return level;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    auto& siblings = Siblings();
    int index = Index();
    return index + 1 < static_cast<int>(siblings.size()) ? siblings[static_cast<size_t>(index + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    int index = Index();
    return index > 0 ? Siblings()[static_cast<size_t>(index - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!FChildren.empty()) return FChildren.front().get();
    for (const TTreeNode* node = this; node != nullptr; node = node->FParent)
        if (TTreeNode* sibling = node->GetNextSibling()) return sibling;
    return nullptr;
}

void TTreeNode::SetText(const String& Value)
{
    FText = Value;
    TreeView()->UpdateWindowItem(this, TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int Value)
{
    FImageIndex = Value;
    TreeView()->UpdateWindowItem(this, TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int Value)
{
    FSelectedIndex = Value;
    TreeView()->UpdateWindowItem(this, TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetStateIndex(int Value)
{
    FStateIndex = Value;
    TreeView()->UpdateWindowItem(this, TVIF_STATE);
}

bool TTreeNode::Expanded() const
{
    TCustomTreeView* tree = TreeView();
    if (tree->HandleAllocated() && FItemId != nullptr)
        return (SendMessageW(tree->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    return FExpanded;
}

void TTreeNode::SetExpanded(bool Value)
{
    if (Value)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool Recurse)
{
    ChangeExpanded(true, Recurse);
}

void TTreeNode::Collapse(bool Recurse)
{
    ChangeExpanded(false, Recurse);
}

void TTreeNode::ChangeExpanded(bool Value, bool Recurse)
{
    TCustomTreeView* tree = TreeView();
    if (HasChildren() && Expanded() != Value && (Value ? tree->CanExpand(this) : tree->CanCollapse(this))) {
        FExpanded = Value;
        if (tree->HandleAllocated() && FItemId != nullptr) {
            ++tree->FExpanding;
            SendMessageW(tree->Handle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
            --tree->FExpanding;
        }
        if (Value)
            tree->Expand(this);
        else
            tree->Collapse(this);
    }
    if (Recurse)
        for (auto& child : FChildren) child->ChangeExpanded(Value, true);
}

bool TTreeNode::Selected() const
{
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool Value)
{
    TCustomTreeView* tree = TreeView();
    if (Value)
        tree->SetSelected(this);
    else if (tree->Selected() == this)
        tree->SetSelected(nullptr);
}

TRect TTreeNode::DisplayRect(bool TextOnly) const
{
    TRect r{0, 0, 0, 0};
    TCustomTreeView* tree = TreeView();
    if (!tree->HandleAllocated() || FItemId == nullptr) return r;
    *reinterpret_cast<HTREEITEM*>(&r) = FItemId;
    if (SendMessageW(tree->Handle(), TVM_GETITEMRECT, TextOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r)) == 0)
        return TRect{0, 0, 0, 0};
    return r;
}

void TTreeNode::MakeVisible()
{
    TCustomTreeView* tree = TreeView();
    if (tree->HandleAllocated() && FItemId != nullptr)
        SendMessageW(tree->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::Delete()
{
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren()
{
    while (!FChildren.empty()) FOwner->Delete(FChildren.back().get());
}

// ---- TTreeNodes --------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() = default;

TPersistent* TTreeNodes::GetOwner()
{
    return FOwner;
}

int TTreeNodes::Count() const
{
    int count = 0;
    for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext()) ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int Index) const
{
    int i = 0;
    if (Index >= 0)
        for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext(), ++i)
            if (i == Index) return node;
    ListIndexError(Index);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, size_t Position, const String& S, void* Ptr)
{
    auto& siblings = Parent != nullptr ? Parent->FChildren : FRoots;
    auto node = std::make_unique<TTreeNode>(this, Parent);
    node->FText = S;
    node->FData = Ptr;
    TTreeNode* result = node.get();
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(Position), std::move(node));
    if (FOwner->HandleAllocated())
        FOwner->InsertWindowItem(result, Position == 0 ? TVI_FIRST : siblings[Position - 1]->FItemId);
    return result;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr)
{
    TTreeNode* parent = Sibling != nullptr ? Sibling->FParent : nullptr;
    size_t position = parent != nullptr ? parent->FChildren.size() : FRoots.size();
    return InsertNode(parent, position, S, Ptr);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const String& S)
{
    return InsertNode(Sibling != nullptr ? Sibling->FParent : nullptr, 0, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr)
{
    return InsertNode(Parent, Parent != nullptr ? Parent->FChildren.size() : FRoots.size(), S, Ptr);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const String& S)
{
    return InsertNode(Parent, 0, S, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S)
{
    if (Sibling == nullptr) return InsertNode(nullptr, FRoots.size(), S, nullptr);
    return InsertNode(Sibling->FParent, static_cast<size_t>(Sibling->Index()), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node)
{
    if (Node == nullptr) return;
    if (FOwner->OnDeletion) {
        std::vector<TTreeNode*> doomed;
        for (TTreeNode* n = Node; n != nullptr; n = n->GetNext()) {
            if (n != Node && n->Level() <= Node->Level()) break;
            doomed.push_back(n);
        }
        for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) FOwner->OnDeletion(FOwner, *it);
    }
    for (TTreeNode* n = FOwner->FSavedSelected; n != nullptr; n = n->FParent)
        if (n == Node) {
            FOwner->FSavedSelected = nullptr;
            break;
        }
    if (FOwner->HandleAllocated() && Node->FItemId != nullptr)
        SendMessageW(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItemId));
    auto& siblings = Node->Siblings();
    siblings.erase(siblings.begin() + Node->Index());
}

void TTreeNodes::Clear()
{
    if (FOwner->OnDeletion)
        for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext()) FOwner->OnDeletion(FOwner, node);
    FOwner->FSavedSelected = nullptr;
    if (FOwner->HandleAllocated()) {
        ++FOwner->FRestoring;
        SendMessageW(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        --FOwner->FRestoring;
    }
    FRoots.clear();
}

void TTreeNodes::BeginUpdate()
{
    BeginWindowUpdate(FUpdateCount, FOwner);
}

void TTreeNodes::EndUpdate()
{
    EndWindowUpdate(FUpdateCount, FOwner);
}

void TTreeNodes::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TTreeNodes*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    Clear();
    std::function<void(TTreeNode*, const TTreeNode*)> copy = [&](TTreeNode* parent, const TTreeNode* from) {
        TTreeNode* node = AddChildObject(parent, from->FText, from->FData);
        node->FImageIndex = from->FImageIndex;
        node->FSelectedIndex = from->FSelectedIndex;
        node->FStateIndex = from->FStateIndex;
        FOwner->UpdateWindowItem(node, TVIF_IMAGE | TVIF_SELECTEDIMAGE);
        for (auto& child : from->FChildren) copy(node, child.get());
    };
    for (auto& root : other->FRoots) copy(nullptr, root.get());
    EndUpdate();
}

// ---- TCustomTreeView ---------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle(ControlStyle() - TControlStyle{csCaptureMouse} + TControlStyle{csDisplayDragImage, csReflector, csPannable});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() = default;

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM Item) const
{
    if (Item == nullptr || FHandle == nullptr) return nullptr;
    TVITEMW info{};
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = Item;
    if (SendMessageW(FHandle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info)) == 0) return nullptr;
    return reinterpret_cast<TTreeNode*>(info.lParam);
}

void TCustomTreeView::InsertWindowItem(TTreeNode* Node, HTREEITEM InsertAfter)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = Node->FParent != nullptr ? Node->FParent->FItemId : TVI_ROOT;
    insert.hInsertAfter = InsertAfter;
    TVITEMW& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.pszText = Node->FText.data();
    item.lParam = reinterpret_cast<LPARAM>(Node);
    item.iImage = Node->FImageIndex;
    item.iSelectedImage = Node->FSelectedIndex;
    if (Node->FStateIndex >= 0) {
        item.mask |= TVIF_STATE;
        item.stateMask = TVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(Node->FStateIndex);
    }
    Node->FItemId = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    for (auto& child : Node->FChildren) InsertWindowItem(child.get(), TVI_LAST);
    if (Node->FExpanded && Node->HasChildren()) {
        ++FExpanding;
        SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->FItemId));
        --FExpanding;
    }
}

void TCustomTreeView::UpdateWindowItem(TTreeNode* Node, UINT Mask)
{
    if (!HandleAllocated() || Node->FItemId == nullptr) return;
    TVITEMW item{};
    item.mask = Mask | TVIF_HANDLE;
    item.hItem = Node->FItemId;
    item.pszText = Node->FText.data();
    item.iImage = Node->FImageIndex;
    item.iSelectedImage = Node->FSelectedIndex;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(std::max(0, Node->FStateIndex));
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TCustomTreeView::Selected() const
{
    if (FHandle == nullptr) return FSavedSelected;
    return NodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* Value)
{
    if (HandleAllocated())
        SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Value != nullptr ? Value->FItemId : nullptr));
    else
        FSavedSelected = Value;
}

void TCustomTreeView::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetShowButtons(bool Value)
{
    if (FShowButtons == Value) return;
    FShowButtons = Value;
    StyleChanged();
}

void TCustomTreeView::SetShowLines(bool Value)
{
    if (FShowLines == Value) return;
    FShowLines = Value;
    StyleChanged();
}

void TCustomTreeView::SetShowRoot(bool Value)
{
    if (FShowRoot == Value) return;
    FShowRoot = Value;
    StyleChanged();
}

void TCustomTreeView::SetReadOnly(bool Value)
{
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    StyleChanged();
}

void TCustomTreeView::SetHideSelection(bool Value)
{
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    StyleChanged();
}

void TCustomTreeView::SetRowSelect(bool Value)
{
    if (FRowSelect == Value) return;
    FRowSelect = Value;
    StyleChanged();
}

void TCustomTreeView::SetHotTrack(bool Value)
{
    if (FHotTrack == Value) return;
    FHotTrack = Value;
    StyleChanged();
}

void TCustomTreeView::SetAutoExpand(bool Value)
{
    if (FAutoExpand == Value) return;
    FAutoExpand = Value;
    StyleChanged();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    StyleChanged();
}

int TCustomTreeView::Indent() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, TVM_GETINDENT, 0, 0));
    return FIndent;
}

void TCustomTreeView::SetIndent(int Value)
{
    FIndent = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(Value), 0);
}

void TCustomTreeView::SetImageList(TCustomImageList*& Field, TCustomImageList* Value)
{
    if (ChangeReference(this, Field, Value)) UpdateImageLists();
}

void TCustomTreeView::SetImages(TCustomImageList* Value)
{
    SetImageList(FImages, Value);
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value)
{
    SetImageList(FStateImages, Value);
}

void TCustomTreeView::UpdateImageLists()
{
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages != nullptr ? FImages->Handle() : nullptr));
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_STATE,
                 reinterpret_cast<LPARAM>(FStateImages != nullptr ? FStateImages->Handle() : nullptr));
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && ForgetReferences(AComponent, {&FImages, &FStateImages}) && !ComponentState().Contains(csDestroying))
        UpdateImageLists();
}

void TCustomTreeView::UpdateColors()
{
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomTreeView::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    UpdateColors();
}

void TCustomTreeView::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    UpdateColors();
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y)
{
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO info{};
    info.pt = Point(X, Y);
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return (info.flags & TVHT_ONITEM) != 0 ? NodeFromItem(item) : nullptr;
}

void TCustomTreeView::FullExpand()
{
    for (auto& root : FItems->FRoots) root->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
    for (auto& root : FItems->FRoots) root->Collapse(true);
}

void TCustomTreeView::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWW);
    if (FShowButtons) Params.Style |= TVS_HASBUTTONS;
    if (FShowLines) Params.Style |= TVS_HASLINES;
    if (FShowRoot) Params.Style |= TVS_LINESATROOT;
    if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
    if (!FHideSelection) Params.Style |= TVS_SHOWSELALWAYS;
    if (FRowSelect) Params.Style |= TVS_FULLROWSELECT;
    if (FHotTrack) Params.Style |= TVS_TRACKSELECT;
    if (FAutoExpand) Params.Style |= TVS_SINGLEEXPAND;
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    UpdateImageLists();
    UpdateColors();
    SendMessageW(wnd, TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
    Counted(FRestoring, [&] {
        for (auto& root : FItems->FRoots) InsertWindowItem(root.get(), TVI_LAST);
        if (FSavedSelected != nullptr)
            SendMessageW(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSavedSelected->FItemId));
    });
    FSavedSelected = nullptr;
}

void TCustomTreeView::DestroyWnd()
{
    if (HandleAllocated()) {
        FIndent = Indent();
        FSavedSelected = Selected();
        for (TTreeNode* node = FItems->GetFirstNode(); node != nullptr; node = node->GetNext()) node->FExpanded = node->Expanded();
    }
    Counted(FRestoring, [&] { TWinControl::DestroyWnd(); });
    for (TTreeNode* node = FItems->GetFirstNode(); node != nullptr; node = node->GetNext()) node->FItemId = nullptr;
}

void TCustomTreeView::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY)
        CNNotify(Message);
    else
        TWinControl::Dispatch(Message);
}

void TCustomTreeView::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    Message.Result = 0;
    switch (header->code) {
    case TVN_SELCHANGINGW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        if (FRestoring == 0 && !CanChange(reinterpret_cast<TTreeNode*>(info->itemNew.lParam))) Message.Result = 1;
        break;
    }
    case TVN_SELCHANGEDW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        if (FRestoring == 0) Change(reinterpret_cast<TTreeNode*>(info->itemNew.lParam));
        break;
    }
    case TVN_ITEMEXPANDINGW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        auto* node = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
        if (FExpanding != 0 || FRestoring != 0 || node == nullptr) break;
        if ((info->action & TVE_EXPAND) != 0 && !CanExpand(node))
            Message.Result = 1;
        else if ((info->action & TVE_COLLAPSE) != 0 && !CanCollapse(node))
            Message.Result = 1;
        break;
    }
    case TVN_ITEMEXPANDEDW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        auto* node = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
        if (FExpanding != 0 || FRestoring != 0 || node == nullptr) break;
        node->FExpanded = (info->action & TVE_EXPAND) != 0;
        if (node->FExpanded)
            Expand(node);
        else
            Collapse(node);
        break;
    }
    case TVN_BEGINLABELEDITW: Message.Result = FReadOnly ? 1 : 0; break;
    case TVN_ENDLABELEDITW: {
        const NMTVDISPINFOW* info = reinterpret_cast<const NMTVDISPINFOW*>(Message.LParam);
        auto* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
        if (node == nullptr) node = NodeFromItem(info->item.hItem);
        if (node != nullptr && info->item.pszText != nullptr) {
            node->FText = info->item.pszText;
            Message.Result = 1;
        }
        break;
    }
    case NM_CUSTOMDRAW: {
        NMTVCUSTOMDRAW* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam);
        Message.Result = CDRF_DODEFAULT;
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT && (OnCustomDraw || OnAdvancedCustomDraw)) {
            bool defaultDraw = true;
            TRect r = draw->nmcd.rc;
            WithCanvas(FCanvas.get(), this, draw->nmcd.hdc, [&] {
                if (OnCustomDraw) OnCustomDraw(this, r, defaultDraw);
                if (defaultDraw && OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, r, cdPrePaint, defaultDraw);
            });
            if (!defaultDraw) Message.Result = CDRF_SKIPDEFAULT;
        }
        break;
    }
    case TVN_DELETEITEMW: break;
    default: TWinControl::Dispatch(Message); break;
    }
}

bool TCustomTreeView::CanChange(TTreeNode* Node)
{
    bool allow = true;
    if (OnChanging) OnChanging(this, Node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* Node)
{
    if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node)
{
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node)
{
    if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node)
{
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node)
{
    if (OnCollapsed) OnCollapsed(this, Node);
}
