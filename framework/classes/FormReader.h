#pragma once
// The form reader: builds live components from a form description (FormDescription.h) through
// the published-property registry (PropertyRegistry.h).
//
// The root object of the description is the existing Root (a form reads itself: its own
// properties apply to it). Each nested object is created by its registered class name, owned by
// the Root and joined to the enclosing object (a control gets it as Parent), and its properties
// are set by name in file order while it has csLoading and csReading. References to components
// are fixed up by name once the whole tree is read; components whose names match fields of the
// Root's class are bound to them, and event properties to the Root's methods. Then csReading is
// cleared and every read component's Loaded runs, the Root first, in reading order.
// A string-list property may also be written the classic way, Lines.Strings = ( ... ).
//
// Any fault raises EReadError "<form> line <n>: <object>.<property>: <what>"; everything this
// read created is destroyed again and the fields it bound are reset, so no half-built form lives on.
#include <windows.h>

#include <functional>

#include "framework/classes/Component.h"
#include "framework/classes/FormDescription.h"

// Reads the description held as RCDATA resource ResourceName of Module (null: the program).
// EReadError when there is no such resource; messages name the form by ResourceName.
void ReadComponentResource(TComponent* Root, const String& ResourceName, HMODULE Module = nullptr);
bool ComponentResourceExists(const String& ResourceName, HMODULE Module = nullptr);
// For a form's constructor or the application's CreateForm: reads the resource named after
// ClassName in upper case (as kvl_add_form_resources stores it) when there is one; false when none.
bool ReadComponentResourceOfClass(TComponent* Root, const String& ClassName, HMODULE Module = nullptr);

// Reads a description given as text; FormName labels messages ("KVLUnit.form").
void ReadComponentFromText(TComponent* Root, const String& Text, const String& FormName);
// Reads an already parsed description.
void ReadComponentFromTree(TComponent* Root, const TFormObject& Tree, const String& FormName);

// References that name a component outside the form being read ("Form2" or "Form2.Button1")
// are looked up through these finders (the forms unit adds one that searches the open forms).
void RegisterGlobalComponentFinder(std::function<TComponent*(const String& Name)> Finder);
TComponent* FindGlobalComponent(const String& Name);
