#pragma once
// The tests' own skin packer: writes the archive layout the packed-skin reader expects, so that
// tests can pack skins they made themselves.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skinpack_test {

using Bytes = std::vector<uint8_t>;

inline void PutInt(Bytes& out, int32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

inline Bytes Deflate(const Bytes& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    EXPECT_EQ(compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 6), Z_OK);
    out.resize(size);
    return out;
}

inline Bytes Text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

struct TEntry {
    std::string Name;
    Bytes Content;
};

// The test's own packer: the archive layout the reader expects. StoredSize replaces the
// unpacked size written for an entry (-1: the true size).
inline Bytes Pack(const std::vector<TEntry>& entries, const char* magic = "VTzf", std::vector<int64_t> storedSize = {})
{
    Bytes out(magic, magic + 4);
    PutInt(out, static_cast<int32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const TEntry& e = entries[i];
        PutInt(out, static_cast<int32_t>(e.Name.size()));
        out.insert(out.end(), e.Name.begin(), e.Name.end());
        int64_t size = i < storedSize.size() && storedSize[i] >= 0 ? storedSize[i] : static_cast<int64_t>(e.Content.size());
        PutInt(out, static_cast<int32_t>(size));
        Bytes z = Deflate(e.Content);
        out.insert(out.end(), z.begin(), z.end());
    }
    return out;
}

}  // namespace skinpack_test
