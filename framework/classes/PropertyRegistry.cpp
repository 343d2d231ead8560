#include "framework/classes/PropertyRegistry.h"

#include <windows.h>

namespace {

struct TRegistry {
    std::map<String, std::unique_ptr<TClassInfo>, TIdentLess> Classes;
    std::map<String, std::map<String, int64_t, TIdentLess>, TIdentLess> Enums;
    std::map<String, std::function<bool(const String&, int64_t&)>, TIdentLess> IdentMaps;
};

TRegistry& Registry()
{
    static TRegistry registry;
    return registry;
}

// Calls Visit for the class and each of its bases, nearest first, until Visit returns true.
// A chain that loops (a registration mistake) ends after a bounded number of steps.
template <class F>
bool WalkChain(const String& ClassName, F Visit)
{
    String name = ClassName;
    for (int depth = 0; depth < 64 && !name.empty(); ++depth) {
        const TClassInfo* info = FindClassInfo(name);
        if (info == nullptr) return false;
        if (Visit(*info)) return true;
        name = info->BaseName;
    }
    return false;
}


} // namespace

bool TIdentLess::operator()(const String& a, const String& b) const
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
}

String PropertyKindName(TPropertyKind Kind)
{
    switch (Kind) {
    case TPropertyKind::Integer: return L"integer";
    case TPropertyKind::Float: return L"number";
    case TPropertyKind::String: return L"string";
    case TPropertyKind::Boolean: return L"Boolean";
    case TPropertyKind::Enum: return L"enumeration";
    case TPropertyKind::Set: return L"set";
    case TPropertyKind::StringList: return L"string list";
    case TPropertyKind::Collection: return L"collection";
    case TPropertyKind::Binary: return L"binary data";
    case TPropertyKind::Component: return L"component reference";
    case TPropertyKind::Event: return L"event";
    case TPropertyKind::Object: return L"object";
    }
    return L"value";
}

TClassInfo& RegisterClassInfo(const String& Name, const String& BaseName)
{
    auto& slot = Registry().Classes[Name];
    if (!slot) {
        slot = std::make_unique<TClassInfo>();
        slot->Name = Name;
    }
    slot->BaseName = BaseName;
    return *slot;
}

const TClassInfo* FindClassInfo(const String& Name)
{
    auto& classes = Registry().Classes;
    auto it = classes.find(Name);
    return it == classes.end() ? nullptr : it->second.get();
}

bool InheritsFromClass(const String& Name, const String& Ancestor)
{
    TIdentLess less;
    return WalkChain(Name, [&](const TClassInfo& info) { return !less(info.Name, Ancestor) && !less(Ancestor, info.Name); });
}

const TPropertyInfo* FindPublishedProperty(const String& ClassName, const String& PropName)
{
    const TPropertyInfo* found = nullptr;
    WalkChain(ClassName, [&](const TClassInfo& info) {
        auto it = info.Properties.find(PropName);
        if (it == info.Properties.end()) return false;
        found = &it->second;
        return true;
    });
    return found;
}

const TFieldInfo* FindPublishedField(const String& ClassName, const String& FieldName)
{
    const TFieldInfo* found = nullptr;
    WalkChain(ClassName, [&](const TClassInfo& info) {
        auto it = info.Fields.find(FieldName);
        if (it == info.Fields.end()) return false;
        found = &it->second;
        return true;
    });
    return found;
}

const TMethodInfo* FindPublishedMethod(const String& ClassName, const String& MethodName)
{
    const TMethodInfo* found = nullptr;
    WalkChain(ClassName, [&](const TClassInfo& info) {
        auto it = info.Methods.find(MethodName);
        if (it == info.Methods.end()) return false;
        found = &it->second;
        return true;
    });
    return found;
}

const std::function<void(TComponent*, TComponent*)>* FindParentSetter(const String& ClassName)
{
    const std::function<void(TComponent*, TComponent*)>* found = nullptr;
    WalkChain(ClassName, [&](const TClassInfo& info) {
        if (!info.SetParentComponent) return false;
        found = &info.SetParentComponent;
        return true;
    });
    return found;
}

void RegisterEnumType(const String& TypeName, std::initializer_list<const wchar_t*> Identifiers)
{
    auto& values = Registry().Enums[TypeName];
    int64_t ordinal = 0;
    for (const wchar_t* ident : Identifiers)
        values[ident] = ordinal++;
}

void RegisterEnumValues(const String& TypeName, std::initializer_list<std::pair<const wchar_t*, int64_t>> Values)
{
    auto& values = Registry().Enums[TypeName];
    for (const auto& [ident, value] : Values)
        values[ident] = value;
}

void RegisterIdentMap(const String& TypeName, std::function<bool(const String&, int64_t&)> Map)
{
    Registry().IdentMaps[TypeName] = std::move(Map);
}

bool IdentToOrdinal(const String& TypeName, const String& Ident, int64_t& Value)
{
    TRegistry& r = Registry();
    auto e = r.Enums.find(TypeName);
    if (e != r.Enums.end()) {
        auto it = e->second.find(Ident);
        if (it != e->second.end()) {
            Value = it->second;
            return true;
        }
    }
    auto m = r.IdentMaps.find(TypeName);
    if (m != r.IdentMaps.end() && m->second) return m->second(Ident, Value);
    return false;
}

void RegisterClassesClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterPublishedClass<TPersistent>(L"TPersistent", L"");
    RegisterPublishedClass<TComponent>(L"TComponent", L"TPersistent")
        .Integer(L"Tag", [](TComponent* c, int64_t v) { c->SetTag(static_cast<intptr_t>(v)); });
}
