#include "platform/jet/index_entries.h"

#include <algorithm>
#include <cstring>

namespace bastara::jet {

namespace {

    std::string_view asView(std::span<const std::uint8_t> bytes)
    {
        return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
    }

    // Unsigned byte order, as the engine compares keys.
    int compareKeys(std::string_view a, std::string_view b)
    {
        const std::size_t common = std::min(a.size(), b.size());
        // memcmp compares as unsigned bytes.
        if (const int order = common ? std::memcmp(a.data(), b.data(), common) : 0; order != 0)
            return order;
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }

} // namespace

std::string_view IndexEntries::keyView(const Entry& entry) const
{
    return { reinterpret_cast<const char*>(m_keys.data() + entry.offset), entry.length };
}

std::span<const std::uint8_t> IndexEntries::key(std::size_t i) const
{
    const Entry& entry = m_entries[i];
    return { m_keys.data() + entry.offset, entry.length };
}

void IndexEntries::buildKeySet()
{
    m_keySet.reserve(m_entries.size() * 2);
    for (const Entry& entry : m_entries)
        m_keySet.emplace(keyView(entry));
    m_hasKeySet = true;
}

bool IndexEntries::containsKey(std::span<const std::uint8_t> key)
{
    const std::string_view wanted = asView(key);
    if (m_entries.empty())
        return false;
    if (!m_hasKeySet && m_sorted) {
        const int order = compareKeys(keyView(m_entries.back()), wanted);
        if (order < 0)
            return false;
        if (order == 0)
            return true;
    }
    if (!m_hasKeySet)
        buildKeySet();
    return m_keySet.contains(std::string(wanted));
}

void IndexEntries::add(std::span<const std::uint8_t> key, std::uint32_t rowPointer)
{
    if (m_sorted && !m_entries.empty() && compareKeys(keyView(m_entries.back()), asView(key)) > 0)
        m_sorted = false;
    m_entries.push_back({ m_keys.size(), rowPointer, static_cast<std::uint16_t>(key.size()) });
    m_keys.insert(m_keys.end(), key.begin(), key.end());
    if (m_hasKeySet)
        m_keySet.emplace(asView(key));
}

void IndexEntries::sort()
{
    if (m_sorted)
        return;
    std::sort(m_entries.begin(), m_entries.end(), [this](const Entry& a, const Entry& b) {
        const int order = compareKeys(keyView(a), keyView(b));
        return order != 0 ? order < 0 : a.pointer < b.pointer;
    });
    m_sorted = true;
}

std::uint32_t IndexEntries::distinctKeys() const
{
    std::uint32_t distinct = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (i == 0 || keyView(m_entries[i - 1]) != keyView(m_entries[i]))
            ++distinct;
    }
    return distinct;
}

} // namespace bastara::jet
