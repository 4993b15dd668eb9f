#pragma once

// The bottom layer: whole pages in memory, and the one way they leave it.
// Layers above fill pages in plain form; emitPages() encodes a copy of each
// (page_codec.h) and hands it to a PageSink in page order. The store knows
// nothing of what is on a page, and nothing here opens a file: the sink does
// (file_sink.h), or keeps the bytes (MemorySink), or fails on purpose in tests.

#include "platform/jet/format.h"
#include "platform/jet/io_error.h"
#include "platform/jet/page_codec.h"
#include "platform/support/result.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace bastara::jet {

class PageStore
{
public:
    explicit PageStore(std::uint32_t pageCount);

    std::uint32_t pageCount() const { return static_cast<std::uint32_t>(m_pages.size()); }
    // Page numbers come from the plan; asking for one outside it is a bug
    // (std::out_of_range), never a data error.
    PageSpan page(std::uint32_t number);
    std::span<const std::uint8_t, format::pageSize> page(std::uint32_t number) const;

private:
    std::vector<Page> m_pages;
};

// Receives encoded pages in order, then one sync().
class PageSink
{
public:
    virtual ~PageSink() = default;
    [[nodiscard]] virtual Result<void, IoError> write(std::span<const std::uint8_t> bytes) = 0;
    // Makes what was written durable (fsync for a file).
    [[nodiscard]] virtual Result<void, IoError> sync() = 0;
};

class MemorySink final : public PageSink
{
public:
    [[nodiscard]] Result<void, IoError> write(std::span<const std::uint8_t> bytes) override;
    [[nodiscard]] Result<void, IoError> sync() override { return {}; }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Encodes every page with `codec` and writes it to `sink`; durability is the
// caller's (sink.sync()). The store itself stays plain.
[[nodiscard]] Result<void, IoError> emitPages(
    const PageStore& store, const PageCodec& codec, PageSink& sink);

// The file image as it goes to disk.
std::vector<std::uint8_t> encodedImage(const PageStore& store, const PageCodec& codec);

} // namespace bastara::jet
