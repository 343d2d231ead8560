#include "framework/stdctrls/WinListStrings.h"

#include "framework/stdctrls/ComboBox.h"

// ---- TWinListStrings ------------------------------------------------------------------------

TWinListStrings::TWinListStrings(TWinControl* Control, const TMessages& Messages) : FControl(Control), FMsg(Messages)
{
    FStore.SetDuplicates(dupAccept);
    // Until the window exists the items stay here.
    FMoving = true;
}

LRESULT TWinListStrings::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    return SendMessageW(FControl->Handle(), Msg, WParam, LParam);
}

String TWinListStrings::Get(int Index) const
{
    if (!InWindow()) return FStore.Get(Index);
    LRESULT length = Send(FMsg.GetTextLen, static_cast<WPARAM>(Index));
    if (length < 0) IndexError(Index);
    String text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT n = Send(FMsg.GetText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min(n, length))));
    return text;
}

int TWinListStrings::GetCount() const
{
    return InWindow() ? static_cast<int>(Send(FMsg.GetCount)) : FStore.Count();
}

TObject* TWinListStrings::GetObjectAt(int Index) const
{
    if (!InWindow()) return FStore.Objects(Index);
    LRESULT data = Send(FMsg.GetItemData, static_cast<WPARAM>(Index));
    if (data == ListError && (Index < 0 || Index >= GetCount())) IndexError(Index);
    return reinterpret_cast<TObject*>(data);
}

void TWinListStrings::PutObjectAt(int Index, TObject* AObject)
{
    if (!InWindow()) {
        FStore.SetObjects(Index, AObject);
        return;
    }
    if (Send(FMsg.SetItemData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject)) == ListError) IndexError(Index);
}

void TWinListStrings::Put(int Index, const String& S)
{
    TObject* object = GetObjectAt(Index);
    Delete(Index);
    if (FStore.Sorted()) AddObject(S, object);
    else InsertObject(Index, S, object);
}

int TWinListStrings::Add(const String& S)
{
    if (!InWindow()) return FStore.Add(S);
    LRESULT index = Send(FMsg.AddString, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (index < 0) Error(L"Unable to insert a line");
    return static_cast<int>(index);
}

int TWinListStrings::AddObject(const String& S, TObject* AObject)
{
    int index = Add(S);
    PutObjectAt(index, AObject);
    return index;
}

void TWinListStrings::Insert(int Index, const String& S)
{
    if (!InWindow()) {
        // A sorted store places the line itself, as a sorted window would.
        if (FStore.Sorted()) FStore.Add(S);
        else FStore.Insert(Index, S);
        return;
    }
    if (Send(FMsg.InsertString, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
        Error(L"Unable to insert a line");
}

void TWinListStrings::Delete(int Index)
{
    if (!InWindow()) {
        FStore.Delete(Index);
        return;
    }
    if (Send(FMsg.DeleteString, static_cast<WPARAM>(Index)) == ListError) IndexError(Index);
}

void TWinListStrings::Clear()
{
    if (!InWindow()) {
        FStore.Clear();
        return;
    }
    // Emptying a combo box's list must not empty its edit.
    String text = FControl->Text();
    Send(FMsg.ResetContent);
    if (FMsg.ResetContent == CB_RESETCONTENT && !text.empty()) {
        auto* combo = dynamic_cast<TCustomComboBox*>(FControl);
        if (combo != nullptr && combo->EditHandle() != nullptr) SetWindowTextW(combo->EditHandle(), text.c_str());
    }
}

int TWinListStrings::IndexOf(const String& S) const
{
    if (!InWindow()) return FStore.IndexOf(S);
    LRESULT index = Send(FMsg.FindStringExact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S.c_str()));
    return index < 0 ? -1 : static_cast<int>(index);
}

void TWinListStrings::SetSorted(bool Value)
{
    FStore.SetSorted(Value);
}

void TWinListStrings::SetUpdateState(bool Updating)
{
    if (!InWindow()) return;
    SendMessageW(FControl->Handle(), WM_SETREDRAW, !Updating, 0);
    if (!Updating) InvalidateRect(FControl->Handle(), nullptr, TRUE);
}

void TWinListStrings::WindowCreated()
{
    FMoving = false;
    for (int i = 0; i < FStore.Count(); ++i) {
        LRESULT index = Send(FMsg.AddString, 0, reinterpret_cast<LPARAM>(FStore.Get(i).c_str()));
        if (index >= 0 && FStore.Objects(i) != nullptr)
            Send(FMsg.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(FStore.Objects(i)));
    }
    FStore.Clear();
}

void TWinListStrings::WindowDestroying()
{
    if (FMoving) return;
    FStore.Clear();
    bool sorted = FStore.Sorted();
    FStore.SetSorted(false);
    int count = GetCount();
    for (int i = 0; i < count; ++i) FStore.AddObject(Get(i), GetObjectAt(i));
    FStore.SetSorted(sorted);
    FMoving = true;
}
