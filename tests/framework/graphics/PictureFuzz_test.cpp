// Damaged BMP and ICO files from a fixed seed, each placed against an inaccessible page: every
// one must end in a valid picture or EInvalidGraphic, without reading a byte past its data.
// (PNG has its own fuzz test beside the skin's decoder.) See support/FuzzSupport.h for a
// longer run.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "support/FuzzSupport.h"
#include "support/TestSupport.h"

namespace {

using kvlfuzz::Bytes;

Bytes Fixture(const char* Name)
{
    std::ifstream in(std::string(KVL_TEST_DATA_DIR) + "/graphics/" + Name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <class TReader>
void Fuzz(const std::vector<Bytes>& Seeds, std::uint32_t Seed, int Count)
{
    for (const Bytes& s : Seeds) ASSERT_GT(s.size(), 20u);
    kvlfuzz::TMutator mutator(kvlfuzz::Seed(Seed));
    int loaded = 0, refused = 0;
    for (int i = 0; i < kvlfuzz::Rounds(Count); ++i) {
        Bytes damaged = mutator.Mutate(Seeds[i % Seeds.size()]);
        kvlfuzz::TGuardedBytes guarded(damaged);
        TReader reader;
        try {
            reader.LoadFromBytes(guarded.Data(), guarded.Size());
            ++loaded;
            if (!reader.Empty()) {
                EXPECT_LE(static_cast<std::int64_t>(reader.Width()) * reader.Height(), 0x4000000) << i;
            }
        } catch (const EInvalidGraphic&) {
            ++refused;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "mutation " << i << " raised " << e.what();
        }
    }
    // Both outcomes are reached: the damage got past the signatures.
    EXPECT_GT(loaded, Count / 20);
    EXPECT_GT(refused, Count / 20);
}

}  // namespace

TEST(PictureFuzz, DamagedBitmapsAreReadOrRefused)
{
    std::vector<Bytes> seeds;
    for (const char* name : {"bitfields565.bmp", "core24.bmp", "pal1.bmp", "pal4.bmp", "pal8.bmp", "rle4.bmp",
                             "rle8.bmp", "topdown24.bmp", "v5_32.bmp"})
        seeds.push_back(Fixture(name));
    Fuzz<TBitmap>(seeds, 1101, 3000);
}

TEST(PictureFuzz, DamagedIconsAreReadOrRefused)
{
    Fuzz<TIcon>({Fixture("twosizes.ico")}, 2202, 1500);
}
