#include "platform/jet/page_store.h"

namespace bastara::jet {

PageStore::PageStore(std::uint32_t pageCount)
    : m_pages(pageCount, Page {})
{ }

PageSpan PageStore::page(std::uint32_t number)
{
    return PageSpan { m_pages.at(number) };
}

std::span<const std::uint8_t, format::pageSize> PageStore::page(std::uint32_t number) const
{
    return std::span<const std::uint8_t, format::pageSize> { m_pages.at(number) };
}

Result<void, IoError> MemorySink::write(std::span<const std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return {};
}

Result<void, IoError> emitPages(const PageStore& store, const PageCodec& codec, PageSink& sink)
{
    Page encoded;
    for (std::uint32_t number = 0; number < store.pageCount(); ++number) {
        const auto plain = store.page(number);
        std::copy(plain.begin(), plain.end(), encoded.begin());
        codec.apply(number, PageSpan { encoded });
        if (auto written = sink.write(encoded); !written)
            return written;
    }
    return {};
}

std::vector<std::uint8_t> encodedImage(const PageStore& store, const PageCodec& codec)
{
    MemorySink sink;
    // A memory sink cannot fail.
    (void)emitPages(store, codec, sink);
    return sink.bytes();
}

} // namespace bastara::jet
