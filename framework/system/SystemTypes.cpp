#include "framework/system/SystemTypes.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

String TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string name = (status == 0 && demangled) ? demangled.get() : mangled;
    return String(name.begin(), name.end());
}
