// The streamed dump against the tree it replaced, byte for byte, on random collections whose
// texts hold every byte value and whose prices hold every kind of float.
#include "cli/dump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

namespace tavrin {
namespace {

std::string Streamed(const LoadedCollection& loaded) {
    std::ostringstream out;
    cli::WriteCollectionJson(loaded, out);
    return out.str();
}

std::string FromTree(const LoadedCollection& loaded) {
    return cli::CollectionJson(loaded).dump(2) + "\n";
}

// A text of up to max bytes, none of them NUL.
std::string RandomText(std::mt19937& rng, std::size_t max) {
    std::string text(rng() % (max + 1), ' ');
    for (char& ch : text)
        ch = static_cast<char>(1 + rng() % 255);
    return text;
}

TEST(DumpStreamTest, MatchesTheTreeByteForByte) {
    std::mt19937 rng(16);
    const char* magics[] = {"KX5", "KXT", "KX2", "KX3", "KX4"};
    for (int round = 0; round < 60; ++round) {
        LoadedCollection loaded;
        loaded.magic = magics[round % 5];
        Collection& c = loaded.collection;
        c.titles.resize(round % 7 == 0 ? 0 : rng() % 40);
        for (auto& t : c.titles) {
            for (auto& b : t.bytes)
                b = static_cast<std::uint8_t>(rng());
            t.SetTitle(RandomText(rng, 49));
            // Now and then a price from the few that print in a form of their own.
            const float special[] = {0.0f, -0.0f, 100.0f, 12.99f, 1e-45f, 3.4e38f, 1e7f, 1e-5f};
            if (rng() % 3 == 0) t.SetPrice(special[rng() % std::size(special)]);
        }
        for (ListId id : AllLists)
            if (rng() % 4 != 0)
                for (std::size_t i = rng() % 12; i > 0; --i)
                    c.List(id).push_back(RandomText(rng, 50));
        c.ListeIndex.resize(c.titles.size());
        for (std::size_t i = 0; i < c.ListeIndex.size(); ++i)
            c.ListeIndex[i] = static_cast<std::uint16_t>(i);
        std::shuffle(c.ListeIndex.begin(), c.ListeIndex.end(), rng);
        ASSERT_EQ(Streamed(loaded), FromTree(loaded)) << "round " << round;
    }
}

TEST(DumpStreamTest, ByteForByteAcrossTheBufferOnALargeCollection) {
    // More output than one buffer holds, so items are split across writes.
    LoadedCollection loaded;
    loaded.magic = "KX5";
    Collection& c = loaded.collection;
    std::mt19937 rng(7);
    c.titles.resize(2000);
    for (auto& t : c.titles) {
        for (auto& b : t.bytes)
            b = static_cast<std::uint8_t>(rng());
        t.SetTitle(RandomText(rng, 49));
    }
    for (std::uint16_t i = 0; i < 2000; ++i)
        c.ListeIndex.push_back(i);
    c.List(ListId::Actor).assign(3000, "\"QUOTED\" \\ \x01\x1F\x7F\xC9");
    const std::string streamed = Streamed(loaded);
    EXPECT_GT(streamed.size(), std::size_t{1} << 20);
    EXPECT_EQ(streamed, FromTree(loaded));
}

} // namespace
} // namespace tavrin
