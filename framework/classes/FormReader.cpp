#include "framework/classes/FormReader.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "framework/classes/PropertyRegistry.h"
#include "framework/system/ScopeGuards.h"

namespace {

bool SameIdent(const String& a, const String& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::vector<std::function<TComponent*(const String&)>>& GlobalFinders()
{
    static std::vector<std::function<TComponent*(const String&)>> finders;
    return finders;
}

struct TFixup {
    TPersistent* Instance;
    const TPropertyInfo* Property;
    String Reference;
    String Where; // "Label1.FocusControl", for messages
    int Line;
};

class TFormReaderRun {
public:
    TFormReaderRun(TComponent* root, const String& formName) : FRoot(root), FForm(formName) {}

    void Run(const TFormObject& tree)
    {
        RegisterClassesClasses();
        // A form that fails to read is taken back to where it was before.
        TScopeExit failed([this] { Undo(); });
        ReadAll(tree);
        failed.Dismiss();
    }

private:
    [[noreturn]] void Fail(int line, const String& where, const String& what) const
    {
        String text = FForm + L" line " + std::to_wstring(line) + L": ";
        if (!where.empty()) text += where + L": ";
        throw EReadError(text + what);
    }

    void ReadAll(const TFormObject& tree)
    {
        const TClassInfo* rootClass = FindClassInfo(tree.ClassName);
        if (rootClass == nullptr)
            Fail(tree.Line, tree.Name, L"class " + tree.ClassName + L" is not registered");
        if (rootClass->IsInstance && !rootClass->IsInstance(FRoot))
            Fail(tree.Line, tree.Name, L"the component being read is a " + FRoot->ClassName() + L", not a " + tree.ClassName);
        FRootClass = tree.ClassName;

        FRoot->SetLoading(true);
        FRoot->SetReading(true);
        FRootStateSet = true;
        FLoaded.push_back(FRoot);
        if (FRoot->Name().empty()) Guard(tree.Line, tree.Name, [&] { FRoot->SetName(tree.Name); });
        ReadBody(FRoot, tree);

        for (const TFixup& f : FFixups) {
            TComponent* target = ResolveReference(f.Reference);
            if (target == nullptr) Fail(f.Line, f.Where, L"component " + f.Reference + L" not found");
            if (!(f.Property->Flags & pfNotStored) && f.Property->SetComponent)
                Guard(f.Line, f.Where, [&] { f.Property->SetComponent(f.Instance, target); });
        }

        for (TComponent* c : FLoaded) c->SetReading(false);
        for (TComponent* c : FLoaded) {
            c->Loaded();
            if (c->ComponentState().Contains(csLoading)) c->SetLoading(false);
        }
    }

    // Properties of the object, then its children, in file order.
    void ReadBody(TComponent* instance, const TFormObject& node)
    {
        for (const TFormProperty& p : node.Properties)
            ApplyProperty(instance, node.ClassName, node.Name, p);
        for (const auto& child : node.Children) ReadChild(instance, *child);
    }

    void ReadChild(TComponent* parent, const TFormObject& node)
    {
        const TClassInfo* info = FindClassInfo(node.ClassName);
        if (info == nullptr) Fail(node.Line, node.Name, L"class " + node.ClassName + L" is not registered");
        if (!info->Factory) Fail(node.Line, node.Name, L"class " + node.ClassName + L" cannot be created by name");

        TComponent* c = nullptr;
        Guard(node.Line, node.Name, [&] { c = info->Factory(FRoot); });
        FCreated.push_back(c);
        c->SetLoading(true);
        c->SetReading(true);
        FLoaded.push_back(c);
        Guard(node.Line, node.Name, [&] { c->SetName(node.Name); });

        if (const TFieldInfo* field = FindPublishedField(FRootClass, node.Name)) {
            Guard(node.Line, node.Name, [&] { field->Bind(FRoot, c); });
            FBoundFields.push_back(field);
        }
        if (const auto* setParent = FindParentSetter(node.ClassName))
            Guard(node.Line, node.Name, [&] { (*setParent)(c, parent); });
        ReadBody(c, node);
    }

    // Resolves Sub.Sub.Name to the object and property it sets, then sets it.
    void ApplyProperty(TPersistent* instance, const String& className, const String& objectPath, const TFormProperty& prop)
    {
        String where = objectPath + L"." + prop.Name;
        TPersistent* target = instance;
        String cls = className;
        size_t start = 0;
        for (;;) {
            size_t dot = prop.Name.find(L'.', start);
            String part = prop.Name.substr(start, dot == String::npos ? String::npos : dot - start);
            const TPropertyInfo* info = FindPublishedProperty(cls, part);
            if (info == nullptr) Fail(prop.Line, where, L"unknown property " + part + L" of class " + cls);
            if (dot == String::npos) {
                SetValue(target, *info, prop.Value, where);
                return;
            }
            // "Lines.Strings = ( ... )", the classic spelling of a string list.
            if (info->Kind == TPropertyKind::StringList && SameIdent(prop.Name.substr(dot + 1), L"Strings")) {
                SetValue(target, *info, prop.Value, where);
                return;
            }
            if (info->Kind != TPropertyKind::Object || !info->GetObject)
                Fail(prop.Line, where, part + L" is not an object property");
            TPersistent* sub = nullptr;
            Guard(prop.Line, where, [&] { sub = info->GetObject(target); });
            if (sub == nullptr) Fail(prop.Line, where, part + L" is not assigned");
            target = sub;
            cls = info->TypeName;
            start = dot + 1;
        }
    }

    [[noreturn]] void BadValue(const TPropertyInfo& info, const TFormValue& value, const String& where, const String& detail = L"")
    {
        String what = L"invalid value " + value.Describe() + L" for a property of type " + PropertyKindName(info.Kind);
        if (!info.TypeName.empty() && info.Kind != TPropertyKind::Integer) what += L" " + info.TypeName;
        if (!detail.empty()) what += L" (" + detail + L")";
        Fail(value.Line, where, what);
    }

    int64_t Ordinal(const TPropertyInfo& info, const TFormValue& value, const String& where)
    {
        switch (info.Kind) {
        case TPropertyKind::Integer:
            if (value.Kind == TFormValueKind::Integer) {
                // 32-bit values, written signed or as unsigned hex ($FF000018).
                if (value.Int < std::numeric_limits<int32_t>::min() || value.Int > std::numeric_limits<uint32_t>::max())
                    BadValue(info, value, where, L"out of range");
                return value.Int;
            }
            if (value.Kind == TFormValueKind::Ident && !info.TypeName.empty()) {
                int64_t v = 0;
                if (IdentToOrdinal(info.TypeName, value.Text, v)) return v;
                BadValue(info, value, where, L"not a " + info.TypeName);
            }
            BadValue(info, value, where);
        case TPropertyKind::Boolean:
            if (value.Kind == TFormValueKind::Ident) {
                if (SameIdent(value.Text, L"True")) return 1;
                if (SameIdent(value.Text, L"False")) return 0;
            }
            BadValue(info, value, where);
        case TPropertyKind::Enum:
            if (value.Kind == TFormValueKind::Ident) {
                int64_t v = 0;
                if (IdentToOrdinal(info.TypeName, value.Text, v)) return v;
            }
            BadValue(info, value, where);
        case TPropertyKind::Set: {
            if (value.Kind != TFormValueKind::Set) BadValue(info, value, where);
            uint64_t bits = 0;
            for (const String& name : value.Names) {
                int64_t v = 0;
                if (!IdentToOrdinal(info.TypeName, name, v) || v < 0 || v > 63)
                    BadValue(info, value, where, name + L" is not a " + info.TypeName);
                bits |= uint64_t(1) << v;
            }
            return static_cast<int64_t>(bits);
        }
        default:
            BadValue(info, value, where);
        }
    }

    void SetValue(TPersistent* target, const TPropertyInfo& info, const TFormValue& value, const String& where)
    {
        bool store = !(info.Flags & pfNotStored);
        int line = value.Line;
        switch (info.Kind) {
        case TPropertyKind::Integer:
        case TPropertyKind::Boolean:
        case TPropertyKind::Enum:
        case TPropertyKind::Set: {
            int64_t v = Ordinal(info, value, where);
            if (store && info.SetOrdinal) Guard(line, where, [&] { info.SetOrdinal(target, v); });
            return;
        }
        case TPropertyKind::Float: {
            double v = 0;
            if (value.Kind == TFormValueKind::Float) v = value.Float;
            else if (value.Kind == TFormValueKind::Integer) v = static_cast<double>(value.Int);
            else BadValue(info, value, where);
            if (store && info.SetFloat) Guard(line, where, [&] { info.SetFloat(target, v); });
            return;
        }
        case TPropertyKind::String:
            if (value.Kind != TFormValueKind::String) BadValue(info, value, where);
            if (store && info.SetString) Guard(line, where, [&] { info.SetString(target, value.Text); });
            return;
        case TPropertyKind::StringList: {
            if (value.Kind != TFormValueKind::List) BadValue(info, value, where);
            std::vector<String> lines;
            for (const TFormValue& item : value.Items) {
                if (item.Kind != TFormValueKind::String) BadValue(info, item, where, L"list items are strings");
                lines.push_back(item.Text);
            }
            if (store && info.SetStrings) Guard(line, where, [&] { info.SetStrings(target, lines); });
            return;
        }
        case TPropertyKind::Binary:
            if (value.Kind != TFormValueKind::Binary) BadValue(info, value, where);
            if (store && info.SetBinary) Guard(line, where, [&] { info.SetBinary(target, value.Bytes); });
            return;
        case TPropertyKind::Collection:
            if (value.Kind != TFormValueKind::Collection) BadValue(info, value, where);
            if (store) ReadCollection(target, info, value, where);
            return;
        case TPropertyKind::Component:
            if (value.Kind != TFormValueKind::Ident) BadValue(info, value, where);
            if (SameIdent(value.Text, L"nil")) {
                if (store && info.SetComponent) Guard(line, where, [&] { info.SetComponent(target, nullptr); });
                return;
            }
            FFixups.push_back(TFixup{target, &info, value.Text, where, line});
            return;
        case TPropertyKind::Event: {
            if (value.Kind != TFormValueKind::Ident || value.Text.find(L'.') != String::npos) BadValue(info, value, where);
            if (SameIdent(value.Text, L"nil")) return;
            const TMethodInfo* method = FindPublishedMethod(FRootClass, value.Text);
            if (method == nullptr) Fail(line, where, L"method " + value.Text + L" of " + FRootClass + L" not found");
            if (method->Type != info.EventType)
                Fail(line, where, L"method " + value.Text + L" does not fit the event's parameters");
            if (store && info.SetEvent) Guard(line, where, [&] { info.SetEvent(target, method->MakeHandler(FRoot)); });
            return;
        }
        case TPropertyKind::Object:
            Fail(line, where, L"an object property takes no value; set its own properties (" + info.Name + L".Name = value)");
        }
    }

    void ReadCollection(TPersistent* target, const TPropertyInfo& info, const TFormValue& value, const String& where)
    {
        if (!info.GetObject || !info.ClearItems || !info.AddItem) Fail(value.Line, where, L"the collection cannot be read");
        TPersistent* collection = nullptr;
        Guard(value.Line, where, [&] {
            collection = info.GetObject(target);
            if (collection != nullptr) info.ClearItems(collection);
        });
        if (collection == nullptr) Fail(value.Line, where, L"the collection is not assigned");
        int index = 0;
        for (const TFormCollectionItem& item : value.CollectionItems) {
            String itemPath = where + L"[" + std::to_wstring(index++) + L"]";
            TPersistent* instance = nullptr;
            Guard(item.Line, itemPath, [&] { instance = info.AddItem(collection); });
            for (const TFormProperty& p : item.Properties) ApplyProperty(instance, info.TypeName, itemPath, p);
        }
    }

    TComponent* ResolveReference(const String& reference) const
    {
        size_t dot = reference.find(L'.');
        String head = reference.substr(0, dot);
        TComponent* base = nullptr;
        if (SameIdent(head, FRoot->Name())) base = FRoot;
        if (dot == String::npos) {
            if (base != nullptr) return base;
            if (TComponent* c = FRoot->FindComponent(head)) return c;
            return FindGlobalComponent(head);
        }
        if (base == nullptr) base = FindGlobalComponent(head);
        size_t start = dot + 1;
        while (base != nullptr) {
            dot = reference.find(L'.', start);
            base = base->FindComponent(reference.substr(start, dot == String::npos ? String::npos : dot - start));
            if (dot == String::npos) break;
            start = dot + 1;
        }
        return base;
    }

    // Runs a registered callback; errors of the component itself become read errors that say where.
    template <class F>
    void Guard(int line, const String& where, F&& action)
    {
        try {
            action();
        } catch (const Exception& e) {
            Fail(line, where, e.Message());
        }
    }

    void Undo() noexcept
    {
        for (const TFieldInfo* field : FBoundFields) {
            try {
                field->Bind(FRoot, nullptr);
            } catch (...) {
            }
        }
        // Last first: nested components go before the ones they were read into.
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) {
            try {
                delete *it;
            } catch (...) {
            }
        }
        if (FRootStateSet) {
            FRoot->SetReading(false);
            FRoot->SetLoading(false);
        }
    }

    TComponent* FRoot;
    String FForm;
    String FRootClass;
    bool FRootStateSet = false;
    std::vector<TComponent*> FCreated;
    std::vector<TComponent*> FLoaded;
    std::vector<const TFieldInfo*> FBoundFields;
    std::vector<TFixup> FFixups;
};

} // namespace

void ReadComponentFromTree(TComponent* Root, const TFormObject& Tree, const String& FormName)
{
    TFormReaderRun run(Root, FormName);
    run.Run(Tree);
}

void ReadComponentFromText(TComponent* Root, const String& Text, const String& FormName)
{
    auto tree = ParseFormDescription(Text, FormName);
    ReadComponentFromTree(Root, *tree, FormName);
}

bool ComponentResourceExists(const String& ResourceName, HMODULE Module)
{
    if (Module == nullptr) Module = GetModuleHandleW(nullptr);
    return FindResourceW(Module, ResourceName.c_str(), MAKEINTRESOURCEW(10)) != nullptr;
}

void ReadComponentResource(TComponent* Root, const String& ResourceName, HMODULE Module)
{
    if (Module == nullptr) Module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(Module, ResourceName.c_str(), MAKEINTRESOURCEW(10));
    HGLOBAL data = info != nullptr ? LoadResource(Module, info) : nullptr;
    const void* bytes = data != nullptr ? LockResource(data) : nullptr;
    if (bytes == nullptr) throw EReadError(L"Resource " + ResourceName + L" not found");
    std::string text(static_cast<const char*>(bytes), SizeofResource(Module, info));
    auto tree = ParseFormDescriptionUtf8(text, ResourceName);
    ReadComponentFromTree(Root, *tree, ResourceName);
}

bool ReadComponentResourceOfClass(TComponent* Root, const String& ClassName, HMODULE Module)
{
    String name = ClassName;
    if (!name.empty()) CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    if (name.empty() || !ComponentResourceExists(name, Module)) return false;
    ReadComponentResource(Root, name, Module);
    return true;
}

void RegisterGlobalComponentFinder(std::function<TComponent*(const String& Name)> Finder)
{
    GlobalFinders().push_back(std::move(Finder));
}

TComponent* FindGlobalComponent(const String& Name)
{
    for (const auto& finder : GlobalFinders())
        if (TComponent* c = finder(Name)) return c;
    return nullptr;
}
