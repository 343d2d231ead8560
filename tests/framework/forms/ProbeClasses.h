#pragma once
// Plain components with one published property of every kind, for reading descriptions without
// any control: they count the live instances, record the order of Loaded and the state their
// setters saw, and register themselves once.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "tests/support/TestSupport.h"

namespace probe {

enum TProbeAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TProbeInner : public TPersistent {
public:
    int Size = 0;
};

class TProbeSub : public TPersistent {
public:
    String Name;
    uint64_t Style = 0;
    TProbeInner* Inner() { return &FInner; }

private:
    TProbeInner FInner;
};

class TProbeItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    String Caption;
    int Width = -1;
};

inline std::vector<String>& LoadLog()
{
    static std::vector<String> log;
    return log;
}

class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* AOwner) : TComponent(AOwner), FItems(ItemClassOf<TProbeItem>()) { ++Live; }
    ~TProbe() override { --Live; }

    static inline int Live = 0;

    int Int = 0;
    double Number = 0;
    String Caption;
    bool Flag = false;
    TProbeAlign Align = alNone;
    uint64_t Styles = 0;
    int Color = 0;
    std::vector<String> Lines;
    std::vector<uint8_t> Data;
    TComponent* Link = nullptr;
    TComponent* ParentProbe = nullptr;
    bool LoadingSeen = false;
    TNotifyEvent OnClick;
    std::function<void(TObject* Sender, int& Value)> OnMeasure;

    TProbeSub* Sub() { return &FSub; }
    TCollection* Items() { return &FItems; }

    void SetCaption(const String& Value)
    {
        Caption = Value;
        LoadingSeen = ComponentState().Contains(csLoading) && ComponentState().Contains(csReading);
    }
    void SetInt(int Value)
    {
        if (Value == 13) throw EConvertError(L"13 brings bad luck");
        Int = Value;
    }

    void Loaded() override
    {
        LoadLog().push_back(Name());
        TComponent::Loaded();
    }

private:
    TProbeSub FSub;
    TCollection FItems;
};

class TProbeForm : public TProbe {
public:
    using TProbe::TProbe;
    TProbe* First = nullptr;
    TProbe* Second = nullptr;
    TObject* ClickedBy = nullptr;

    void FirstClick(TObject* Sender) { ClickedBy = Sender; }
    void Measure(TObject* Sender, int& Value) { Value = 99; }
};

class TResourceProbeForm : public TProbeForm {
public:
    using TProbeForm::TProbeForm;
};

inline void RegisterProbeClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterEnumType(L"TProbeAlign", {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient"});
    RegisterPublishedClass<TProbeInner>(L"TProbeInner", L"TPersistent").Integer(L"Size", [](TProbeInner* o, int v) { o->Size = v; });
    RegisterPublishedClass<TProbeSub>(L"TProbeSub", L"TPersistent")
        .Text(L"Name", [](TProbeSub* o, const String& v) { o->Name = v; })
        .Set(L"Style", L"TFontStyle", [](TProbeSub* o, uint64_t v) { o->Style = v; })
        .Object(L"Inner", L"TProbeInner", [](TProbeSub* o) { return o->Inner(); });
    RegisterPublishedClass<TProbeItem>(L"TProbeItem", L"TPersistent")
        .Text(L"Caption", [](TProbeItem* o, const String& v) { o->Caption = v; })
        .Integer(L"Width", [](TProbeItem* o, int v) { o->Width = v; });
    RegisterPublishedClass<TProbe>(L"TProbe", L"TComponent")
        .Integer(L"Int", [](TProbe* o, int v) { o->SetInt(v); })
        .Float(L"Number", [](TProbe* o, double v) { o->Number = v; })
        .Text(L"Caption", [](TProbe* o, const String& v) { o->SetCaption(v); })
        .Boolean(L"Flag", [](TProbe* o, bool v) { o->Flag = v; })
        .Enum<TProbeAlign>(L"Align", L"TProbeAlign", [](TProbe* o, TProbeAlign v) { o->Align = v; })
        .Set(L"Styles", L"TFontStyle", [](TProbe* o, uint64_t v) { o->Styles = v; })
        .Integer(L"Color", [](TProbe* o, int v) { o->Color = v; }, L"clBlack", L"TColor")
        .Strings(L"Lines", [](TProbe* o, const std::vector<String>& v) { o->Lines = v; })
        .Binary(L"Data", [](TProbe* o, const std::vector<uint8_t>& v) { o->Data = v; })
        .Object(L"Sub", L"TProbeSub", [](TProbe* o) { return o->Sub(); })
        .Collection(L"Items", L"TProbeItem", [](TProbe* o) { return o->Items(); })
        .Component<TComponent>(L"Link", L"TComponent", [](TProbe* o, TComponent* v) { o->Link = v; })
        .Event<TNotifyEvent>(L"OnClick", [](TProbe* o) -> TNotifyEvent& { return o->OnClick; })
        .Event<std::function<void(TObject*, int&)>>(L"OnMeasure", [](TProbe* o) -> auto& { return o->OnMeasure; })
        .NotStored(L"PixelsPerInch", TPropertyKind::Integer)
        .ParentSetter([](TProbe* child, TComponent* parent) { child->ParentProbe = parent; });
    RegisterPublishedClass<TProbeForm>(L"TProbeForm", L"TProbe")
        .Field(L"First", &TProbeForm::First)
        .Field(L"Second", &TProbeForm::Second)
        .Method(L"FirstClick", &TProbeForm::FirstClick)
        .Method(L"Measure", &TProbeForm::Measure);
    RegisterPublishedClass<TResourceProbeForm>(L"TResourceProbeForm", L"TProbeForm");
}

// A fixture under tests/data/forms as text.
inline String ReadFixture(const String& name)
{
    String path = kvltest::DataPath(L"forms\\" + name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"<missing fixture " + name + L">";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return FormUtf8ToString(bytes);
}

// A root form ready to read into, with the probe classes registered.
inline std::unique_ptr<TProbeForm> NewProbeForm()
{
    RegisterProbeClasses();
    LoadLog().clear();
    return std::make_unique<TProbeForm>(nullptr);
}

inline TProbe* Child(TComponent* root, const String& name)
{
    return dynamic_cast<TProbe*>(root->FindComponent(name));
}

} // namespace probe
