#pragma once
// What the fuzz tests of the readers of untrusted data share: a mutator that damages sample
// inputs the way damaged files are damaged (cut short, bytes flipped, counts and lengths
// replaced by boundary values, spans repeated or dropped), and a copy of an input that ends
// right at an inaccessible page, so that a reader that reads one byte past its data crashes
// the test instead of reading a neighbour's bytes.
//
// Each fuzz test runs a fixed number of mutations from a fixed seed, a few seconds in the
// suite. A longer run changes both from outside, with no rebuild:
//     KVL_FUZZ_ROUNDS=200 KVL_FUZZ_SEED=7 tools/test.sh -R Fuzz
// runs every fuzz test 200 times as long from seed 7 (the seed is added to each test's own).
// For runs longer than the suite's time limit per test, run the executable under Wine directly:
//     build/x86_64/bin/SkinCoreTests.exe --gtest_filter='*Fuzz*'
// with the same variables set; a failure prints the mutation's number, which the same seed
// and rounds reproduce.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace kvlfuzz {

using Bytes = std::vector<std::uint8_t>;

inline int EnvNumber(const char* Name, int Default)
{
    const char* v = std::getenv(Name);
    return v != nullptr && *v != 0 ? std::atoi(v) : Default;
}

// How many mutations a test runs: its own count in the suite, times KVL_FUZZ_ROUNDS.
inline int Rounds(int InSuite)
{
    int factor = EnvNumber("KVL_FUZZ_ROUNDS", 1);
    return InSuite * (factor < 1 ? 1 : factor);
}

// The test's seed, moved by KVL_FUZZ_SEED.
inline std::uint32_t Seed(std::uint32_t Own)
{
    return Own + static_cast<std::uint32_t>(EnvNumber("KVL_FUZZ_SEED", 0));
}

class TMutator {
public:
    explicit TMutator(std::uint32_t Seed) : FRandom(Seed) {}

    std::uint32_t Next() { return FRandom(); }
    size_t Below(size_t N) { return N == 0 ? 0 : static_cast<size_t>(FRandom() % N); }

    // One to three damages of one kind or another.
    Bytes Mutate(const Bytes& Seed)
    {
        Bytes b = Seed;
        for (int k = 0, n = 1 + static_cast<int>(Below(3)); k < n; ++k) MutateOnce(b);
        return b;
    }

    void MutateOnce(Bytes& B)
    {
        static const std::uint32_t boundaries[] = {0,          1,          2,          0x7F,        0x80,
                                                   0xFF,       0x100,      0x7FFF,     0x8000,      0xFFFF,
                                                   0x10000,    0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
        if (B.empty()) {
            B.push_back(static_cast<std::uint8_t>(Next()));
            return;
        }
        switch (Below(7)) {
        case 0: B.resize(Below(B.size())); break;   // cut short
        case 1:                                      // bytes flipped
            for (int i = 0, n = 1 + static_cast<int>(Below(4)); i < n; ++i)
                B[Below(B.size())] ^= static_cast<std::uint8_t>(1 + Below(255));
            break;
        case 2: {   // a 16- or 32-bit field replaced by a boundary value
            std::uint32_t v = boundaries[Below(std::size(boundaries))];
            size_t width = Below(2) ? 4 : 2, at = Below(B.size());
            for (size_t i = 0; i < width && at + i < B.size(); ++i) B[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
            break;
        }
        case 3: {   // a span repeated
            size_t at = Below(B.size()), n = 1 + Below(std::min<size_t>(64, B.size() - at));
            Bytes span(B.begin() + at, B.begin() + at + n);
            for (size_t r = 0, times = 1 + Below(8); r < times; ++r) B.insert(B.begin() + at, span.begin(), span.end());
            break;
        }
        case 4: {   // a span dropped
            size_t at = Below(B.size()), n = 1 + Below(std::min<size_t>(64, B.size() - at));
            B.erase(B.begin() + at, B.begin() + at + n);
            break;
        }
        case 5:   // random bytes put in
            for (size_t i = 0, n = 1 + Below(16), at = Below(B.size() + 1); i < n; ++i)
                B.insert(B.begin() + std::min(at, B.size()), static_cast<std::uint8_t>(Next()));
            break;
        default:   // a byte set to an edge value
            B[Below(B.size())] = static_cast<std::uint8_t>(Below(2) ? 0 : 0xFF);
            break;
        }
    }

private:
    std::mt19937 FRandom;
};

// A copy of Data whose last byte is the last byte of a page, the next page inaccessible.
class TGuardedBytes {
public:
    explicit TGuardedBytes(const Bytes& Data)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const size_t page = info.dwPageSize;
        const size_t pages = (Data.size() + page - 1) / page + 1;
        FBase = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(FBase + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        FData = FBase + (pages - 1) * page - Data.size();
        if (!Data.empty()) std::memcpy(FData, Data.data(), Data.size());
        FSize = Data.size();
    }
    ~TGuardedBytes() { VirtualFree(FBase, 0, MEM_RELEASE); }
    TGuardedBytes(const TGuardedBytes&) = delete;
    TGuardedBytes& operator=(const TGuardedBytes&) = delete;

    const std::uint8_t* Data() const { return FData; }
    size_t Size() const { return FSize; }

private:
    std::uint8_t* FBase = nullptr;
    std::uint8_t* FData = nullptr;
    size_t FSize = 0;
};

// Whether every character of a message can be shown: no control characters, no NUL.
inline bool Printable(const std::wstring& Text)
{
    for (wchar_t c : Text)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace kvlfuzz
