#include "platform/jet/index_tree.h"

#include "platform/jet/format.h"
#include "platform/jet/page_writer.h"

#include <algorithm>
#include <optional>

namespace bastara::jet {

namespace {

    namespace leaf = format::indexLeaf;

    constexpr std::size_t rowPointerLength = 4;
    constexpr std::size_t childPointerLength = 4;

    // A page of one level: items [first, end) of the level below (entries
    // for leaves, child pages for nodes), the entry its subtree ends with,
    // and the prefix its entries after the first leave out.
    struct Group {
        std::size_t first;
        std::size_t end;
        std::size_t lastEntry;
        std::size_t prefix = 0;
    };

    // The prefix stays within one byte's count, as every page seen has it.
    constexpr std::size_t maxPrefix = 255;

    std::size_t commonPrefix(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b)
    {
        const std::size_t most = std::min({ a.size(), b.size(), maxPrefix });
        std::size_t n = 0;
        while (n < most && a[n] == b[n])
            ++n;
        return n;
    }

    // The bytes a page's entries take stored as the engine stores them: the
    // first whole, each later one without the prefix the first and the last
    // keys share (sorted keys between them share it too).
    class PageFill
    {
    public:
        void start(std::span<const std::uint8_t> firstKey, std::size_t length)
        {
            m_first = firstKey;
            m_whole = length;
            m_count = 1;
            m_prefix = 0;
        }
        // Adds the entry if the page still holds them all.
        bool add(std::span<const std::uint8_t> key, std::size_t length)
        {
            const std::size_t prefix = commonPrefix(m_first, key);
            if (m_whole + length - m_count * prefix > leaf::entrySpace)
                return false;
            m_whole += length;
            ++m_count;
            m_prefix = prefix;
            return true;
        }
        std::size_t prefix() const { return m_prefix; }

    private:
        std::span<const std::uint8_t> m_first;
        std::size_t m_whole = 0; // the entries' bytes before the prefix comes off
        std::size_t m_count = 0;
        std::size_t m_prefix = 0;
    };

    std::vector<Group> packLeaves(const IndexEntries& sorted)
    {
        std::vector<Group> groups;
        PageFill fill;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const std::size_t length = sorted.key(i).size() + rowPointerLength;
            if (groups.empty() || !fill.add(sorted.key(i), length)) {
                groups.push_back({ i, i, i });
                fill.start(sorted.key(i), length);
            }
            groups.back().end = i + 1;
            groups.back().lastEntry = i;
            groups.back().prefix = fill.prefix();
        }
        return groups;
    }

    // Child j costs an entry only once another child follows it on the page.
    std::vector<Group> packNodes(const IndexEntries& sorted, const std::vector<Group>& children)
    {
        auto keyOf = [&](std::size_t child) { return sorted.key(children[child].lastEntry); };
        auto entryLength = [&](std::size_t child) {
            return keyOf(child).size() + rowPointerLength + childPointerLength;
        };
        std::vector<Group> groups;
        PageFill fill;
        for (std::size_t j = 0; j < children.size(); ++j) {
            const bool second = !groups.empty() && groups.back().end - groups.back().first == 1;
            if (second)
                fill.start(keyOf(j - 1), entryLength(j - 1)); // one entry always fits
            else if (groups.empty() || !fill.add(keyOf(j - 1), entryLength(j - 1)))
                groups.push_back({ j, j, 0 });
            groups.back().end = j + 1;
            groups.back().lastEntry = children[j].lastEntry;
            groups.back().prefix = groups.back().end - groups.back().first > 1 ? fill.prefix() : 0;
        }
        return groups;
    }

    class IndexPageBuilder
    {
    public:
        IndexPageBuilder(PageSpan page, format::PageType type, std::uint32_t tablePage)
            : m_page(page)
        {
            std::fill(page.begin(), page.end(), std::uint8_t { 0 });
            PageWriter(page).u8(static_cast<std::uint8_t>(type)).u8(0x01).skip(2).u32le(tablePage);
        }

        void links(std::uint32_t previous, std::uint32_t next, std::uint32_t tail)
        {
            PageWriter(m_page).at(leaf::previousPage).u32le(previous).u32le(next).u32le(tail);
        }

        // Entries after the first leave out the page's prefix.
        void entry(std::span<const std::uint8_t> key, std::uint32_t rowPointer,
            std::optional<std::uint32_t> child)
        {
            PageWriter w(m_page);
            w.at(leaf::firstEntry + m_used).bytes(m_used ? key.subspan(m_prefix) : key);
            w.u24be(rowPointer >> 8).u8(static_cast<std::uint8_t>(rowPointer));
            if (child)
                w.u32be(*child);
            m_used = w.offset() - leaf::firstEntry;
            m_page[leaf::entryBitmap + m_used / 8] |= static_cast<std::uint8_t>(1u << (m_used % 8));
        }

        void prefix(std::size_t length)
        {
            m_prefix = length;
            PageWriter(m_page).at(leaf::prefixLength).u16le(static_cast<std::uint16_t>(length));
        }

        void finish()
        {
            PageWriter(m_page)
                .at(leaf::freeSpace)
                .u16le(static_cast<std::uint16_t>(leaf::entrySpace - m_used));
        }

    private:
        PageSpan m_page;
        std::size_t m_used = 0;
        std::size_t m_prefix = 0;
    };

} // namespace

Result<IndexTree, IoError> writeIndexTree(const IndexEntries& sorted, std::uint32_t tablePage,
    PageSpool& spool, const std::vector<std::uint32_t>& reusable)
{
    std::vector<std::vector<Group>> levels { packLeaves(sorted) };
    while (levels.back().size() > 1)
        levels.push_back(packNodes(sorted, levels.back()));

    // Page numbers: leaves first, each level in key order; the top is the root.
    IndexTree tree;
    tree.levels = static_cast<std::uint32_t>(levels.size());
    std::vector<std::vector<std::uint32_t>> numbers(levels.size());
    std::size_t reused = 0;
    for (std::size_t l = 0; l + 1 < levels.size(); ++l) {
        for (std::size_t g = 0; g < levels[l].size(); ++g) {
            const std::uint32_t page
                = reused < reusable.size() ? reusable[reused++] : spool.allocate();
            numbers[l].push_back(page);
            tree.pages.push_back(page);
        }
    }
    numbers.back().push_back(0);

    Page page {};
    for (std::size_t l = 0; l < levels.size(); ++l) {
        const bool top = l + 1 == levels.size();
        const std::vector<Group>& groups = levels[l];
        // Nodes are siblings only under one parent; leaves all are.
        std::vector<std::size_t> parent(groups.size(), 0);
        if (!top && l > 0) {
            for (std::size_t p = 0; p < levels[l + 1].size(); ++p) {
                for (std::size_t g = levels[l + 1][p].first; g < levels[l + 1][p].end; ++g)
                    parent[g] = p;
            }
        }
        for (std::size_t g = 0; g < std::max<std::size_t>(groups.size(), 1); ++g) {
            PageSpan target = top ? PageSpan { tree.root } : PageSpan { page };
            IndexPageBuilder builder(target,
                l == 0 ? format::PageType::IndexLeaf : format::PageType::IndexNode, tablePage);
            if (groups.empty()) {
                builder.finish(); // an index without entries: one empty leaf
                break;
            }
            const Group& group = groups[g];
            const bool linkPrevious = g > 0 && parent[g - 1] == parent[g];
            const bool linkNext = g + 1 < groups.size() && parent[g + 1] == parent[g];
            std::uint32_t tail = 0;
            builder.prefix(group.prefix);
            if (l == 0) {
                for (std::size_t i = group.first; i < group.end; ++i)
                    builder.entry(sorted.key(i), sorted.rowPointer(i), std::nullopt);
            } else {
                const std::vector<Group>& children = levels[l - 1];
                const bool oneChild = group.end - group.first == 1;
                const std::size_t entries = oneChild ? 1 : group.end - group.first - 1;
                for (std::size_t c = group.first; c < group.first + entries; ++c) {
                    const std::size_t last = children[c].lastEntry;
                    builder.entry(sorted.key(last), sorted.rowPointer(last), numbers[l - 1][c]);
                }
                if (!oneChild)
                    tail = numbers[l - 1][group.end - 1];
            }
            builder.links(
                linkPrevious ? numbers[l][g - 1] : 0, linkNext ? numbers[l][g + 1] : 0, tail);
            builder.finish();
            if (!top) {
                if (auto written = spool.write(numbers[l][g], page); !written)
                    return Unexpected { written.error() };
            }
        }
    }

    // Pages an earlier, larger tree had and this one does not use stay the
    // index's, as empty leaves no reader reaches.
    for (; reused < reusable.size(); ++reused) {
        IndexPageBuilder(PageSpan { page }, format::PageType::IndexLeaf, tablePage).finish();
        if (auto written = spool.write(reusable[reused], page); !written)
            return Unexpected { written.error() };
        tree.pages.push_back(reusable[reused]);
    }
    std::sort(tree.pages.begin(), tree.pages.end());
    return tree;
}

} // namespace bastara::jet
