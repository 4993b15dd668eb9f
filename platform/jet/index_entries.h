#pragma once

// The entries of one index as rows arrive: each row's key bytes (index_key.h)
// and the page/row pointer of the row, kept in one byte arena so that a
// million entries cost little more than their bytes.
//
// Unique indexes ask containsKey() before a row goes in. Rows usually come in
// key order (an ID column counting up); while they do, comparing with the
// last key answers, and a hash set of the keys is only built the first time
// a key arrives out of order.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace bastara::jet {

class IndexEntries
{
public:
    [[nodiscard]] bool containsKey(std::span<const std::uint8_t> key);
    // `rowPointer` is (page << 8) | row; rows arrive with rising pointers.
    void add(std::span<const std::uint8_t> key, std::uint32_t rowPointer);

    std::size_t size() const { return m_entries.size(); }
    std::span<const std::uint8_t> key(std::size_t i) const;
    std::uint32_t rowPointer(std::size_t i) const { return m_entries[i].pointer; }

    // Orders the entries by key bytes, then row pointer, as the pages hold them.
    void sort();
    // Different key byte strings among the entries (all-Null keys count as
    // one); after sort().
    std::uint32_t distinctKeys() const;

private:
    struct Entry {
        std::uint64_t offset;
        std::uint32_t pointer;
        std::uint16_t length;
    };

    std::string_view keyView(const Entry& entry) const;
    void buildKeySet();

    std::vector<std::uint8_t> m_keys;
    std::vector<Entry> m_entries;
    bool m_sorted = true; // entries are in key order as they are
    bool m_hasKeySet = false;
    std::unordered_set<std::string> m_keySet;
};

} // namespace bastara::jet
