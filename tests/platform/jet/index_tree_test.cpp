#include "platform/jet/format.h"
#include "platform/jet/index_tree.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace bastara::jet {
namespace {

    namespace leaf = format::indexLeaf;

    struct Entry {
        std::vector<std::uint8_t> key;
        std::uint32_t pointer;
        std::uint32_t child = 0;
        bool operator==(const Entry&) const = default;
    };

    struct ReadPage {
        std::uint8_t type;
        std::uint32_t previous, next, tail;
        std::vector<Entry> entries;
    };

    std::uint32_t u32le(const Page& page, std::size_t at)
    {
        return page[at] | page[at + 1] << 8 | page[at + 2] << 16
            | static_cast<std::uint32_t>(page[at + 3]) << 24;
    }

    // A page read the way a reader reads it: entry ends from the bitmap.
    ReadPage readPage(const Page& page, std::uint32_t tablePage)
    {
        ReadPage read { page[0], u32le(page, leaf::previousPage), u32le(page, leaf::nextPage),
            u32le(page, leaf::tailPage), {} };
        EXPECT_EQ(u32le(page, leaf::owner), tablePage);
        const std::size_t prefix = page[leaf::prefixLength] | page[leaf::prefixLength + 1] << 8;
        const std::size_t pointers = read.type == 0x03 ? 8 : 4;
        std::size_t start = 0;
        for (std::size_t end = 1; end <= leaf::entrySpace; ++end) {
            if (!((page[leaf::entryBitmap + end / 8] >> (end % 8)) & 1))
                continue;
            const auto* bytes = page.data() + leaf::firstEntry;
            Entry entry { { bytes + start, bytes + end - pointers },
                static_cast<std::uint32_t>(bytes[end - pointers] << 16
                    | bytes[end - pointers + 1] << 8 | bytes[end - pointers + 2])
                        << 8
                    | bytes[end - pointers + 3] };
            // Entries after the first leave out the first one's prefix.
            if (!read.entries.empty())
                entry.key.insert(entry.key.begin(), read.entries.front().key.begin(),
                    read.entries.front().key.begin() + static_cast<std::ptrdiff_t>(prefix));
            if (read.type == 0x03)
                entry.child = static_cast<std::uint32_t>(bytes[end - 4]) << 24
                    | bytes[end - 3] << 16 | bytes[end - 2] << 8 | bytes[end - 1];
            read.entries.push_back(std::move(entry));
            start = end;
        }
        EXPECT_EQ(page[leaf::freeSpace] | page[leaf::freeSpace + 1] << 8, leaf::entrySpace - start);
        return read;
    }

    class IndexTreeTest : public ::testing::Test
    {
    protected:
        static constexpr std::uint32_t tablePage = 24;
        static constexpr std::uint32_t firstSpoolPage = 100;

        Page pageAt(std::uint32_t number)
        {
            Page page {};
            EXPECT_TRUE(spool->read(number, PageSpan { page }));
            return page;
        }

        // Walks the tree from its root: every leaf entry in order; checks that
        // each node entry repeats the last entry of its child.
        std::vector<Entry> walk(
            const Page& page, std::uint32_t& depth, std::vector<std::uint32_t>& leaves)
        {
            const ReadPage read = readPage(page, tablePage);
            if (read.type == 0x04) {
                EXPECT_EQ(read.tail, 0u);
                depth = 1;
                return read.entries;
            }
            EXPECT_EQ(read.type, 0x03);
            ++pagesAboveLeaves;
            EXPECT_FALSE(read.entries.empty());
            std::vector<std::uint32_t> children;
            for (const Entry& e : read.entries)
                children.push_back(e.child);
            if (read.tail)
                children.push_back(read.tail);
            std::vector<Entry> all;
            for (std::size_t c = 0; c < children.size(); ++c) {
                std::uint32_t childDepth = 0;
                const Page child = pageAt(children[c]);
                if (child[0] == 0x04)
                    leaves.push_back(children[c]);
                const auto below = walk(child, childDepth, leaves);
                depth = childDepth + 1;
                if (c < read.entries.size()) {
                    EXPECT_EQ(read.entries[c].key, below.back().key);
                    EXPECT_EQ(read.entries[c].pointer, below.back().pointer);
                }
                all.insert(all.end(), below.begin(), below.end());
            }
            return all;
        }

        testing::TempDir dir;
        std::optional<PageSpool> spool;
        std::size_t pagesAboveLeaves = 0;
        void SetUp() override
        {
            auto created = PageSpool::create(dir.path(), firstSpoolPage);
            ASSERT_TRUE(created);
            spool.emplace(std::move(*created));
        }
    };

    TEST_F(IndexTreeTest, TreesOfEverySizeHoldEveryEntryInOrderWithLinkedLeaves)
    {
        struct Case {
            std::size_t entries;
            std::size_t keyBytes; // per entry: a 4-byte counter, then padding to this length
            std::uint32_t levels;
        };
        const std::vector<Case> cases {
            { 0, 5, 1 }, // an empty index: one empty leaf
            // Keys 0..515 share 2 bytes: 9 + 515 × 7 bytes fill one leaf.
            { 516, 5, 1 }, { 517, 5, 2 }, { 100000, 5, 2 }, // about 220 leaves under one root node
            { 100000, 40, 3 }, // about 1,160 leaves, 15 nodes, a root
        };
        for (const Case& c : cases) {
            SetUp();
            IndexEntries entries;
            std::vector<Entry> expected;
            // Added in reverse order, so that sort() has work to do.
            for (std::size_t i = c.entries; i-- > 0;) {
                std::vector<std::uint8_t> key(c.keyBytes, 0x41);
                for (std::size_t b = 0; b < 4; ++b)
                    key[3 - b] = static_cast<std::uint8_t>(i >> (8 * b));
                const auto pointer
                    = static_cast<std::uint32_t>(((1000 + i / 200) << 8) | (i % 200));
                entries.add(key, pointer);
                expected.push_back({ key, pointer });
            }
            std::reverse(expected.begin(), expected.end());
            entries.sort();
            auto tree = writeIndexTree(entries, tablePage, *spool, {});
            ASSERT_TRUE(tree) << c.entries;
            EXPECT_EQ(tree->levels, c.levels) << c.entries;
            std::uint32_t depth = 0;
            std::vector<std::uint32_t> leaves;
            pagesAboveLeaves = 0;
            EXPECT_EQ(walk(tree->root, depth, leaves), expected) << c.entries;
            EXPECT_EQ(depth, c.levels);
            EXPECT_EQ(leaves.size(), c.levels == 1 ? 0u : tree->pages.size() + 1 - pagesAboveLeaves)
                << c.entries;
            // The leaves' chain is the key order, ends at 0 both ways.
            for (std::size_t l = 0; l < leaves.size(); ++l) {
                const ReadPage read = readPage(pageAt(leaves[l]), tablePage);
                EXPECT_EQ(read.previous, l ? leaves[l - 1] : 0u) << c.entries;
                EXPECT_EQ(read.next, l + 1 < leaves.size() ? leaves[l + 1] : 0u) << c.entries;
            }
        }
    }

    // Leaf 39 of pk-long-5000.mdb: Long keys 1..500, the first two rows on
    // page 27, stored with the 3-byte prefix 7F 80 00.
    TEST_F(IndexTreeTest, AFullLeafOfLongKeysIsStoredAsTheSampleStoresIt)
    {
        IndexEntries entries;
        for (std::int32_t i = 1; i <= 500; ++i) {
            const auto flipped = static_cast<std::uint32_t>(i) ^ 0x80000000u;
            entries.add(
                std::vector<std::uint8_t> { 0x7F, static_cast<std::uint8_t>(flipped >> 24),
                    static_cast<std::uint8_t>(flipped >> 16),
                    static_cast<std::uint8_t>(flipped >> 8), static_cast<std::uint8_t>(flipped) },
                static_cast<std::uint32_t>((27 + (i - 1) / 100) << 8 | ((i - 1) % 100)));
        }
        auto tree = writeIndexTree(entries, tablePage, *spool, {});
        ASSERT_TRUE(tree);
        ASSERT_EQ(tree->levels, 1u);
        const Page& page = tree->root;
        const std::vector<std::uint8_t> header(page.begin(), page.begin() + 0x1E);
        EXPECT_EQ(header,
            (std::vector<std::uint8_t> { 0x04, 0x01, 0x65, 0x02, 0x18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                0, 0, 0, 0, 0, 0, 0, 0, 0, 0x03, 0, 0, 0, 0x82, 0x20 }));
        const std::vector<std::uint8_t> first(page.begin() + 0x1E0, page.begin() + 0x1E0 + 15);
        EXPECT_EQ(first,
            (std::vector<std::uint8_t> { 0x7f, 0x80, 0x00, 0x00, 0x01, 0x00, 0x00, 0x1b, 0x00, 0x00,
                0x02, 0x00, 0x00, 0x1b, 0x01 }));
    }

    TEST_F(IndexTreeTest, ARebuiltTreeWritesOverThePagesOfTheLastOne)
    {
        IndexEntries entries;
        for (std::uint32_t i = 0; i < 1000; ++i)
            entries.add(std::vector<std::uint8_t> { 0x7F, static_cast<std::uint8_t>(i >> 8),
                            static_cast<std::uint8_t>(i) },
                (200 + i / 100) << 8 | (i % 100));
        auto first = writeIndexTree(entries, tablePage, *spool, {});
        ASSERT_TRUE(first);
        const std::uint32_t end = spool->endPage();
        entries.add(std::vector<std::uint8_t> { 0x7F, 0xFF, 0xFF }, 300 << 8);
        auto second = writeIndexTree(entries, tablePage, *spool, first->pages);
        ASSERT_TRUE(second);
        EXPECT_EQ(second->pages, first->pages);
        EXPECT_EQ(spool->endPage(), end);
    }

    TEST(IndexEntries, DuplicatesAreFoundInKeyOrderAndOutOfIt)
    {
        struct Case {
            std::vector<std::uint8_t> keys; // one byte each
            std::uint8_t probe;
            bool found;
            std::uint32_t distinct;
        };
        const std::vector<Case> cases {
            { {}, 1, false, 0 },
            { { 1, 2, 3 }, 4, false, 3 },
            { { 1, 2, 3 }, 3, true, 3 },
            { { 1, 2, 3 }, 2, true, 3 },
            { { 1, 2, 3 }, 0, false, 3 },
            { { 3, 1, 2 }, 1, true, 3 },
            { { 3, 1, 1 }, 2, false, 2 },
        };
        for (const Case& c : cases) {
            IndexEntries entries;
            std::uint32_t pointer = 256;
            for (std::uint8_t key : c.keys)
                entries.add(std::vector<std::uint8_t> { key }, pointer++);
            EXPECT_EQ(entries.containsKey(std::vector<std::uint8_t> { c.probe }), c.found);
            // The key set, once built, follows later entries too.
            entries.add(std::vector<std::uint8_t> { 9 }, pointer++);
            EXPECT_TRUE(entries.containsKey(std::vector<std::uint8_t> { 9 }));
            entries.sort();
            EXPECT_EQ(entries.distinctKeys(), c.distinct + 1);
            for (std::size_t i = 1; i < entries.size(); ++i)
                EXPECT_LE(entries.key(i - 1)[0], entries.key(i)[0]);
        }
    }

} // namespace
} // namespace bastara::jet
