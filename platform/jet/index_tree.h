#pragma once

// The pages of one user-table index, built bottom-up from its sorted
// entries (index_entries.h) once the last row is in:
//
// * leaves (type 04) are filled in key order up to the 3616 bytes of
//   entries a page holds, and chained through prev/next across the level;
// * each node page (type 03) above them names its children: one entry per
//   child but the last, repeating the child's last entry (key, row pointer)
//   followed by the child page (4 bytes, big-endian), and the last child in
//   its tail. A node left with one child holds it as an entry, tail 0. Nodes
//   under the same parent are chained through prev/next;
// * levels are added until one page is left: the root. Its number is the
//   table's, fixed before any row (the definition names it), so the root's
//   bytes go back to the caller; every other page goes to the spool.
//
// As the engine stores a page's entries, each after the first leaves out the
// prefix the page's first and last keys share (at most 255 bytes; the
// count is at +24), and pages fill up to 3616 stored bytes.

#include "platform/jet/index_entries.h"
#include "platform/jet/io_error.h"
#include "platform/jet/page_codec.h"
#include "platform/jet/page_spool.h"
#include "platform/support/result.h"

#include <cstdint>
#include <vector>

namespace bastara::jet {

// The longest key an entry may have: a node entry (key, row pointer, child
// page) must fit a page on its own.
inline constexpr std::size_t maxIndexKeyLength = format::indexLeaf::entrySpace - 8;

struct IndexTree {
    Page root {};
    std::vector<std::uint32_t> pages; // every page but the root, ascending
    std::uint32_t levels = 1;
};

// Writes the tree of `sorted` (every key at most maxIndexKeyLength bytes)
// for the table whose definition is on `tablePage`. Pages an earlier tree of
// the same index used (`reusable`, ascending) are written over first; new
// ones come from the spool.
[[nodiscard]] Result<IndexTree, IoError> writeIndexTree(const IndexEntries& sorted,
    std::uint32_t tablePage, PageSpool& spool, const std::vector<std::uint32_t>& reusable);

} // namespace bastara::jet
