// Object-instance stubs: each one loads its method into the place of the window argument and
// jumps to the common entry.
#include "framework/controls/ObjectInstance.h"

#include <cstdint>
#include <cstring>

#include "framework/controls/Forms.h"

namespace {

LRESULT CALLBACK ObjectInstanceEntry(TWndMethod* Method, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage message;
    message.Msg = Msg;
    message.WParam = WParam;
    message.LParam = LParam;
    try {
        // The method may put the window's old procedure back and free this stub's owner: run a copy.
        TWndMethod method = *Method;
        method(message);
    } catch (...) {
        if (Application != nullptr) Application->HandleException(nullptr);
    }
    return message.Result;
}

#if defined(_WIN64)
// mov rcx, Method; mov rax, Entry; jmp rax
constexpr std::size_t StubSize = 22;
void WriteStub(std::uint8_t* Code, TWndMethod* Method)
{
    const auto method = reinterpret_cast<std::uint64_t>(Method);
    const auto entry = reinterpret_cast<std::uint64_t>(&ObjectInstanceEntry);
    Code[0] = 0x48;
    Code[1] = 0xB9;
    std::memcpy(Code + 2, &method, 8);
    Code[10] = 0x48;
    Code[11] = 0xB8;
    std::memcpy(Code + 12, &entry, 8);
    Code[20] = 0xFF;
    Code[21] = 0xE0;
}
#else
// mov dword ptr [esp+4], Method; mov eax, Entry; jmp eax
constexpr std::size_t StubSize = 15;
void WriteStub(std::uint8_t* Code, TWndMethod* Method)
{
    const auto method = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Method));
    const auto entry = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&ObjectInstanceEntry));
    Code[0] = 0xC7;
    Code[1] = 0x44;
    Code[2] = 0x24;
    Code[3] = 0x04;
    std::memcpy(Code + 4, &method, 4);
    Code[8] = 0xB8;
    std::memcpy(Code + 9, &entry, 4);
    Code[13] = 0xFF;
    Code[14] = 0xE0;
}
#endif

} // namespace

WNDPROC MakeObjectInstance(TWndMethod* Method)
{
    void* code = VirtualAlloc(nullptr, StubSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (code == nullptr) return nullptr;
    WriteStub(static_cast<std::uint8_t*>(code), Method);
    DWORD old = 0;
    VirtualProtect(code, StubSize, PAGE_EXECUTE_READ, &old);
    FlushInstructionCache(GetCurrentProcess(), code, StubSize);
    return reinterpret_cast<WNDPROC>(code);
}

void FreeObjectInstance(WNDPROC Instance)
{
    if (Instance != nullptr) VirtualFree(reinterpret_cast<void*>(Instance), 0, MEM_RELEASE);
}
