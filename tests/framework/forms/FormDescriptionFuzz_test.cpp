// Damaged form descriptions from a fixed seed: the test's own forms cut, flipped, with spans
// repeated (nesting many levels deep) and random bytes put in. Every one must parse or raise
// EParserError, never crash or run away. See support/FuzzSupport.h for a longer run.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "framework/classes/FormDescription.h"
#include "support/FuzzSupport.h"

namespace {

using kvlfuzz::Bytes;

Bytes Fixture(const char* Name)
{
    std::ifstream in(std::string(KVL_TEST_DATA_DIR) + "/forms/" + Name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Brackets and blocks opened many times over at a random place.
Bytes Nest(const Bytes& Seed, kvlfuzz::TMutator& Mutator)
{
    static const char* const openers[] = {"(", "<item X = ", "object A: TB\n", "[", "{"};
    std::string opener = openers[Mutator.Below(std::size(openers))];
    std::string flood;
    for (size_t k = 0, n = 1 + Mutator.Below(2000); k < n; ++k) flood += opener;
    Bytes b = Seed;
    b.insert(b.begin() + Mutator.Below(b.size() + 1), flood.begin(), flood.end());
    return b;
}

}  // namespace

TEST(FormDescriptionFuzz, DamagedDescriptionsParseOrRaiseAParserError)
{
    std::vector<Bytes> seeds;
    for (const char* name : {"Binary.form", "Collections.form", "Colors.form", "ControlForm.form", "Floats.form",
                             "Identifiers.form", "Integers.form", "Nested.form", "NestedFont.form", "Picture.form",
                             "Sets.form", "StringLists.form", "Strings.form"}) {
        seeds.push_back(Fixture(name));
        ASSERT_FALSE(seeds.back().empty()) << name;
        ASSERT_NO_THROW(ParseFormDescriptionUtf8(std::string(seeds.back().begin(), seeds.back().end()), L"Seed"))
            << name;
    }
    kvlfuzz::TMutator mutator(kvlfuzz::Seed(3303));
    int parsed = 0, refused = 0;
    for (int i = 0; i < kvlfuzz::Rounds(4000); ++i) {
        const Bytes& seed = seeds[i % seeds.size()];
        Bytes damaged = i % 5 == 0 ? Nest(seed, mutator) : mutator.Mutate(seed);
        try {
            auto tree = ParseFormDescriptionUtf8(std::string(damaged.begin(), damaged.end()), L"Fuzz.form");
            ++parsed;
            EXPECT_NE(tree, nullptr);
        } catch (const EParserError& e) {
            ++refused;
            EXPECT_EQ(0u, std::string(e.what()).find("Fuzz.form line ")) << "mutation " << i << ": " << e.what();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "mutation " << i << " raised " << e.what();
        }
    }
    EXPECT_GT(parsed, 100);
    EXPECT_GT(refused, 100);
}
