#include "framework/system/Exceptions.h"

#include <windows.h>

namespace {
std::string ToUtf8(const String& text)
{
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}
} // namespace

Exception::Exception(String message) : FMessage(std::move(message)), FNarrow(ToUtf8(FMessage)) {}

void Exception::SetMessage(const String& message)
{
    FMessage = message;
    FNarrow = ToUtf8(message);
}
