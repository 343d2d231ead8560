#pragma once
// The published-property registry: what the form reader may create and set, by name.
//
// For each registered class name it keeps a factory (owner -> new component), the base class
// name (every lookup walks up this chain), the published properties (kind, setter taking the
// parsed value, getter of the sub-object for nested names such as Font.Style, default value as
// text, flags) and, for form classes, the fields that a read component is bound to by name and
// the methods that event properties are bound to by name. Enumeration types map identifiers
// to ordinals (alClient -> 5), and identifier maps do the same for integer types (clRed, crHandPoint).
//
// Registration is explicit: every unit calls its own RegisterXxxClasses() before reading its forms
// (static initialisers are dropped by the linker from static libraries); each registrar registers
// the layers below its own first.
//
//   RegisterPublishedClass<TMyPanel>(L"TMyPanel", L"TCustomControl")
//       .Integer(L"Margin", [](TMyPanel* p, int v) { p->SetMargin(v); }, L"4")
//       .Enum<TAlign>(L"Align", L"TAlign", [](TMyPanel* p, TAlign v) { p->SetAlign(v); })
//       .Event<TNotifyEvent>(L"OnResize", [](TMyPanel* p) -> TNotifyEvent& { return p->OnResize; });
//   RegisterPublishedClass<TForm1>(L"TForm1", L"TForm")
//       .Field(L"Button1", &TForm1::Button1)
//       .Method(L"Button1Click", &TForm1::Button1Click);
#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/classes/Persistent.h"
#include "framework/system/Exceptions.h"



enum class TPropertyKind {
    Integer,     // whole number; identifiers too when the property names an identifier map (TColor)
    Float,       // number
    String,      // text
    Boolean,     // True / False
    Enum,        // identifier of the property's enumeration type
    Set,         // [a, b]: bit n stands for the element of ordinal n
    StringList,  // ( 'a' 'b' )
    Collection,  // < item ... end >
    Binary,      // { hex }
    Component,   // name of a component, fixed up after the whole description is read
    Event,       // name of a method of the form being read
    Object       // owned sub-object, reached by nested names (Font.Style)
};

// "integer", "string", ... for messages.
String PropertyKindName(TPropertyKind Kind);

enum TPropertyFlag : unsigned {
    pfNone = 0,
    // Read (and checked) but never stored: the value is dropped (PixelsPerInch, a read-only Version).
    pfNotStored = 1,
};

struct TPropertyInfo {
    String Name;
    TPropertyKind Kind = TPropertyKind::Integer;
    // Enum and Set: the enumeration type; Integer: the identifier map, if any; Object: the
    // sub-object's class; Collection: the item class; Component: the class expected (messages).
    String TypeName;
    String Default;
    unsigned Flags = pfNone;

    std::function<void(TPersistent*, int64_t)> SetOrdinal;   // Integer, Boolean, Enum, Set
    std::function<void(TPersistent*, double)> SetFloat;
    std::function<void(TPersistent*, const String&)> SetString;
    std::function<void(TPersistent*, const std::vector<String>&)> SetStrings;
    std::function<void(TPersistent*, const std::vector<uint8_t>&)> SetBinary;
    // Raises EConvertError when the component is not of the class the property takes.
    std::function<void(TPersistent*, TComponent*)> SetComponent;
    // Object: the sub-object; Collection: the collection.
    std::function<TPersistent*(TPersistent*)> GetObject;
    std::function<void(TPersistent* collection)> ClearItems;
    std::function<TPersistent*(TPersistent* collection)> AddItem;
    // Event: the std::function type of the event and how to store a handler of that type.
    std::type_index EventType = typeid(void);
    std::function<void(TPersistent*, const std::any& handler)> SetEvent;
};

// A form's component field: stores the read component (or null to forget it) into the root.
struct TFieldInfo {
    String Name;
    std::function<void(TPersistent* root, TComponent* component)> Bind;
};

// A form's method: makes a handler bound to the root, as a std::function of type Type, in a std::any.
struct TMethodInfo {
    String Name;
    std::type_index Type = typeid(void);
    std::function<std::any(TPersistent* root)> MakeHandler;
};

// Case-insensitive ordering for identifiers (names are matched without regard to case).
struct TIdentLess {
    bool operator()(const String& a, const String& b) const;
};

struct TClassInfo {
    String Name;
    String BaseName;
    // Empty for classes that are not created by name (sub-objects, abstract bases).
    std::function<TComponent*(TComponent* owner)> Factory;
    std::function<bool(TPersistent*)> IsInstance;
    // How a component read inside another one joins it (a control gets its Parent set).
    // Looked up along the chain of the nested component's class.
    std::function<void(TComponent* child, TComponent* parent)> SetParentComponent;
    std::map<String, TPropertyInfo, TIdentLess> Properties;
    std::map<String, TFieldInfo, TIdentLess> Fields;
    std::map<String, TMethodInfo, TIdentLess> Methods;
};

// Registers a class (or returns the existing entry, which keeps what was registered before).
TClassInfo& RegisterClassInfo(const String& Name, const String& BaseName);
const TClassInfo* FindClassInfo(const String& Name);
// Walks up the base chain.
bool InheritsFromClass(const String& Name, const String& Ancestor);
const TPropertyInfo* FindPublishedProperty(const String& ClassName, const String& PropName);
const TFieldInfo* FindPublishedField(const String& ClassName, const String& FieldName);
const TMethodInfo* FindPublishedMethod(const String& ClassName, const String& MethodName);
const std::function<void(TComponent*, TComponent*)>* FindParentSetter(const String& ClassName);

// Enumeration types: identifiers in ordinal order, or with explicit values.
void RegisterEnumType(const String& TypeName, std::initializer_list<const wchar_t*> Identifiers);
void RegisterEnumValues(const String& TypeName, std::initializer_list<std::pair<const wchar_t*, int64_t>> Values);
// Identifier maps for integer types whose identifiers come from elsewhere (colour names).
void RegisterIdentMap(const String& TypeName, std::function<bool(const String&, int64_t&)> Map);
// True and Value set when TypeName knows Ident (case-insensitive).
bool IdentToOrdinal(const String& TypeName, const String& Ident, int64_t& Value);

// Registers this layer's published classes (TPersistent, TComponent) once; safe to call any number
// of times. Each layer above has its own RegisterXxxClasses(), declared in its own header, which
// registers the layers below it first: calling the registrar of the highest layer a program uses
// registers everything its form descriptions can name.
void RegisterClassesClasses();

template <class T>
class TClassRegistration {
public:
    explicit TClassRegistration(TClassInfo& Info) : FInfo(Info) {}
    TClassInfo& Info() { return FInfo; }

    // Setter(T*, v) for each kind below receives the value converted to the parameter type.
    template <class F>
    TClassRegistration& Integer(const String& Name, F Setter, const String& Default = L"0", const String& IdentMap = L"")
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Integer, IdentMap, Default);
        p.SetOrdinal = [Setter](TPersistent* o, int64_t v) { Setter(static_cast<T*>(o), v); };
        return *this;
    }
    template <class F>
    TClassRegistration& Float(const String& Name, F Setter, const String& Default = L"0")
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Float, L"", Default);
        p.SetFloat = [Setter](TPersistent* o, double v) { Setter(static_cast<T*>(o), v); };
        return *this;
    }
    template <class F>
    TClassRegistration& Text(const String& Name, F Setter, const String& Default = L"")
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::String, L"", Default);
        p.SetString = [Setter](TPersistent* o, const String& v) { Setter(static_cast<T*>(o), v); };
        return *this;
    }
    template <class F>
    TClassRegistration& Boolean(const String& Name, F Setter, const String& Default = L"False")
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Boolean, L"", Default);
        p.SetOrdinal = [Setter](TPersistent* o, int64_t v) { Setter(static_cast<T*>(o), v != 0); };
        return *this;
    }
    // Setter(T*, E) with E the C++ enumeration (or int).
    template <class E, class F>
    TClassRegistration& Enum(const String& Name, const String& EnumType, F Setter, const String& Default = L"")
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Enum, EnumType, Default);
        p.SetOrdinal = [Setter](TPersistent* o, int64_t v) { Setter(static_cast<T*>(o), static_cast<E>(v)); };
        return *this;
    }
    // Setter(T*, uint64_t bits): bit n set for the element of ordinal n of ElementType.
    template <class F>
    TClassRegistration& Set(const String& Name, const String& ElementType, F Setter, const String& Default = L"[]")
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Set, ElementType, Default);
        p.SetOrdinal = [Setter](TPersistent* o, int64_t v) { Setter(static_cast<T*>(o), static_cast<uint64_t>(v)); };
        return *this;
    }
    // Setter(T*, const std::vector<String>& lines).
    template <class F>
    TClassRegistration& Strings(const String& Name, F Setter)
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::StringList, L"", L"");
        p.SetStrings = [Setter](TPersistent* o, const std::vector<String>& v) { Setter(static_cast<T*>(o), v); };
        return *this;
    }
    // Setter(T*, const std::vector<uint8_t>& bytes).
    template <class F>
    TClassRegistration& Binary(const String& Name, F Setter)
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Binary, L"", L"");
        p.SetBinary = [Setter](TPersistent* o, const std::vector<uint8_t>& v) { Setter(static_cast<T*>(o), v); };
        return *this;
    }
    // Setter(T*, C*): a reference to a component of class C (null for nil).
    template <class C, class F>
    TClassRegistration& Component(const String& Name, const String& ClassName, F Setter)
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Component, ClassName, L"nil");
        p.SetComponent = [Setter, Name, ClassName](TPersistent* o, TComponent* c) {
            C* typed = nullptr;
            if (c != nullptr) {
                typed = dynamic_cast<C*>(c);
                if (typed == nullptr) throw EConvertError(L"a component of class " + ClassName + L" is needed for " + Name);
            }
            Setter(static_cast<T*>(o), typed);
        };
        return *this;
    }
    // Get(T*) returns the owned sub-object, registered as ClassName.
    template <class F>
    TClassRegistration& Object(const String& Name, const String& ClassName, F Get)
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Object, ClassName, L"");
        p.GetObject = [Get](TPersistent* o) -> TPersistent* { return Get(static_cast<T*>(o)); };
        return *this;
    }
    // Get(T*) returns the owned collection (with Clear() and Add()); its items are ItemClass.
    template <class F>
    TClassRegistration& Collection(const String& Name, const String& ItemClass, F Get)
    {
        using TColl = std::remove_pointer_t<decltype(Get(static_cast<T*>(nullptr)))>;
        TPropertyInfo& p = Add(Name, TPropertyKind::Collection, ItemClass, L"");
        p.GetObject = [Get](TPersistent* o) -> TPersistent* { return Get(static_cast<T*>(o)); };
        p.ClearItems = [](TPersistent* c) { static_cast<TColl*>(c)->Clear(); };
        p.AddItem = [](TPersistent* c) -> TPersistent* { return static_cast<TColl*>(c)->Add(); };
        return *this;
    }
    // Access(T*) returns a reference to the event member, a std::function of type E.
    template <class E, class F>
    TClassRegistration& Event(const String& Name, F Access)
    {
        TPropertyInfo& p = Add(Name, TPropertyKind::Event, L"", L"");
        p.EventType = typeid(E);
        p.SetEvent = [Access](TPersistent* o, const std::any& h) { Access(static_cast<T*>(o)) = std::any_cast<const E&>(h); };
        return *this;
    }
    // A property that descriptions may hold but that is never stored.
    TClassRegistration& NotStored(const String& Name, TPropertyKind Kind, const String& TypeName = L"")
    {
        TPropertyInfo& p = Add(Name, Kind, TypeName, L"");
        p.Flags |= pfNotStored;
        return *this;
    }

    // Form classes: a component field, bound when a component of that name is read.
    template <class C, class Root>
    TClassRegistration& Field(const String& Name, C* Root::*Member)
    {
        static_assert(std::is_base_of_v<Root, T>);
        TFieldInfo& f = FInfo.Fields[Name];
        f.Name = Name;
        f.Bind = [Member, Name](TPersistent* root, TComponent* c) {
            C* typed = nullptr;
            if (c != nullptr) {
                typed = dynamic_cast<C*>(c);
                if (typed == nullptr) throw EConvertError(L"the field " + Name + L" does not take a " + c->ClassName());
            }
            static_cast<T*>(root)->*Member = typed;
        };
        return *this;
    }
    // Form classes: a method that event properties may name.
    template <class Root, class R, class... A>
    TClassRegistration& Method(const String& Name, R (Root::*Handler)(A...))
    {
        static_assert(std::is_base_of_v<Root, T>);
        TMethodInfo& m = FInfo.Methods[Name];
        m.Name = Name;
        m.Type = typeid(std::function<R(A...)>);
        m.MakeHandler = [Handler](TPersistent* root) -> std::any {
            T* self = static_cast<T*>(root);
            return std::function<R(A...)>([self, Handler](A... args) -> R { return (self->*Handler)(std::forward<A>(args)...); });
        };
        return *this;
    }

    // Setter(T* child, TComponent* parent): how a component read inside another joins it.
    template <class F>
    TClassRegistration& ParentSetter(F Setter)
    {
        FInfo.SetParentComponent = [Setter](TComponent* child, TComponent* parent) { Setter(static_cast<T*>(child), parent); };
        return *this;
    }
    // Make(TComponent* owner) -> T*, for classes without a T(TComponent*) constructor.
    template <class F>
    TClassRegistration& Factory(F Make)
    {
        FInfo.Factory = [Make](TComponent* owner) -> TComponent* { return Make(owner); };
        return *this;
    }

private:
    TPropertyInfo& Add(const String& Name, TPropertyKind Kind, const String& TypeName, const String& Default)
    {
        TPropertyInfo& p = FInfo.Properties[Name];
        p = TPropertyInfo();
        p.Name = Name;
        p.Kind = Kind;
        p.TypeName = TypeName;
        p.Default = Default;
        return p;
    }

    TClassInfo& FInfo;
};

// Registers T under Name with BaseName as its base ("" for none). Components that can be built
// from T(TComponent* owner) get that as their factory.
template <class T>
TClassRegistration<T> RegisterPublishedClass(const String& Name, const String& BaseName)
{
    static_assert(std::is_base_of_v<TPersistent, T>);
    TClassInfo& info = RegisterClassInfo(Name, BaseName);
    info.IsInstance = [](TPersistent* o) { return dynamic_cast<T*>(o) != nullptr; };
    if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
        info.Factory = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return TClassRegistration<T>(info);
}
