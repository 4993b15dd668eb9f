// Line breaking, access-key prefixes, shaping and the layout cache (text.h).

#include "platform/gdi/internal/text_layout.h"

#include "platform/gdi/internal/paint.h"
#include "platform/gdi/text.h"

#include <QFontMetricsF>
#include <QString>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>
#include <list>
#include <unordered_map>

namespace bastara::gdi::detail {

namespace {

    constexpr std::size_t kCacheCapacity = 256;
    // The key width of wrapped text that broke only where the text does: it
    // is laid out the same at every width of at least its widest line.
    constexpr std::int32_t kFitsEveryWidth = -1;
    // Flags that change a layout; everything else (vertical placement,
    // clipping, measuring only) is applied when drawing.
    constexpr std::uint32_t kLayoutFlags = DT_CENTER | DT_RIGHT | DT_WORDBREAK | DT_SINGLELINE
        | DT_NOPREFIX | DT_RTLREADING | DT_HIDEPREFIX;

    constexpr char16_t kSpace = u' ';

    // A paragraph with its access-key prefixes resolved.
    struct Paragraph {
        QString text;
        std::vector<int> prefixed; // positions of the characters that followed a single "&"
    };

    std::vector<QString> splitParagraphs(std::u16string_view text, bool singleLine)
    {
        std::vector<QString> paragraphs;
        const auto all = QString::fromRawData(
            reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
        if (singleLine) {
            paragraphs.push_back(QString(all));
            return paragraphs;
        }
        qsizetype start = 0;
        qsizetype i = 0;
        while (i < all.size()) {
            const QChar c = all[i];
            if (c != u'\r' && c != u'\n') {
                ++i;
                continue;
            }
            paragraphs.push_back(all.mid(start, i - start));
            // CR LF and LF CR are one break; CR CR and LF LF are two.
            if (i + 1 < all.size() && (all[i + 1] == u'\r' || all[i + 1] == u'\n')
                && all[i + 1] != c)
                ++i;
            ++i;
            start = i;
        }
        if (start < all.size())
            paragraphs.push_back(all.mid(start));
        return paragraphs;
    }

    Paragraph resolvePrefixes(const QString& raw, bool lastParagraph, bool processPrefixes)
    {
        Paragraph p;
        if (!processPrefixes) {
            p.text = raw;
            return p;
        }
        p.text.reserve(raw.size());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != u'&') {
                p.text.append(raw[i]);
                continue;
            }
            if (i + 1 == raw.size()) {
                // A single "&" at the very end is drawn; before a line break it goes.
                if (lastParagraph)
                    p.text.append(u'&');
                break;
            }
            if (raw[i + 1] == u'&') {
                p.text.append(u'&');
                ++i;
                continue;
            }
            p.prefixed.push_back(int(p.text.size()));
        }
        return p;
    }

    struct LineRange {
        int begin;
        int end;
        std::int32_t width = -1; // when breaking already measured it
    };

    class Measurer
    {
    public:
        Measurer(const QFont& font, const QTextOption& option)
            : m_metrics(font)
            , m_option(option)
        { }
        std::int32_t width(const QString& text, int begin, int end) const
        {
            if (end <= begin)
                return 0;
            const qreal w = m_metrics.horizontalAdvance(text.mid(begin, end - begin), m_option);
            return clampCoordinate(
                std::int64_t(std::ceil(std::min<qreal>(w, kMaxCoordinate) - 1e-3)));
        }

    private:
        QFontMetricsF m_metrics;
        QTextOption m_option;
    };

    std::vector<LineRange> breakLines(
        const QString& s, std::int32_t width, bool keepBreakSpace, const Measurer& measure)
    {
        std::vector<LineRange> lines;
        const int n = int(s.size());
        int i = 0;
        while (i < n) {
            if (const std::int32_t rest = measure.width(s, i, n); rest <= width) {
                lines.push_back({ i, n, rest });
                break;
            }
            // The last space after which the words before it still fit.
            int breakAt = -1;
            for (int k = i + 1; k < n; ++k) {
                if (s[k] != kSpace)
                    continue;
                if (measure.width(s, i, k) > width)
                    break;
                breakAt = k;
            }
            if (breakAt < 0) {
                // A word wider than the line: never split, it sticks out.
                int end = i + 1;
                while (end < n && s[end] != kSpace)
                    ++end;
                lines.push_back({ i, end });
                i = end + 1;
                continue;
            }
            if (keepBreakSpace && measure.width(s, i, breakAt + 1) <= width) {
                lines.push_back({ i, breakAt + 1 });
                i = breakAt + 1;
                if (i < n && s[i] == kSpace)
                    ++i;
            } else {
                lines.push_back({ i, breakAt });
                i = breakAt + 1;
            }
        }
        if (lines.empty())
            lines.push_back({ 0, 0 });
        return lines;
    }

    std::int32_t roundedWidth(qreal w)
    {
        return clampCoordinate(std::int64_t(std::ceil(std::min<qreal>(w, kMaxCoordinate) - 1e-3)));
    }

    // One line of text shaped into glyph runs. Without a width the line is
    // measured as it is shaped (the width the measurer would give), so text
    // that needs no breaking is shaped once.
    LaidOutLine shapeLine(const QString& text, const FontEngine& engine, const QTextOption& option,
        std::optional<std::int32_t> width, std::optional<int> underlined)
    {
        LaidOutLine line;
        QTextLayout layout(text, engine.font);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        if (textLine.isValid()) {
            if (!width) {
                // Measured unbounded, then laid out at its width as a measured
                // line is (the glyphs' extent follows the line's).
                textLine.setLineWidth(qreal(kMaxCoordinate));
                width = text.isEmpty() ? 0 : roundedWidth(textLine.horizontalAdvance());
            }
            textLine.setLineWidth(qreal(*width) + 1);
            textLine.setPosition(QPointF(0, 0));
        }
        layout.endLayout();
        line.width = width.value_or(0);
        if (!textLine.isValid())
            return line;
        line.runs = layout.glyphRuns();
        line.baseline = textLine.ascent();
        if (underlined && *underlined < text.size()) {
            const int at = *underlined;
            const int length = (text[at].isHighSurrogate() && at + 1 < text.size()) ? 2 : 1;
            const qreal a = textLine.cursorToX(at);
            const qreal b = textLine.cursorToX(at + length);
            const auto left = std::int32_t(std::floor(std::min(a, b)));
            const auto right = std::int32_t(std::ceil(std::max(a, b)));
            // From the cell's left edge to its right edge - 2.
            if (right - 1 > left)
                line.underline = std::make_pair(left, right - 1);
        }
        return line;
    }

    std::shared_ptr<const LaidOutText> buildLayout(const FontEngine& engine,
        std::u16string_view text, std::int32_t wrapWidth, std::uint32_t format)
    {
        auto result = std::make_shared<LaidOutText>();
        result->lineHeight = engine.height;
        result->ascent = engine.ascent;

        QTextOption option;
        option.setTextDirection((format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        const Measurer measure(engine.font, option);

        const bool singleLine = format & DT_SINGLELINE;
        const bool wrap = (format & DT_WORDBREAK) && !singleLine;
        const bool keepBreakSpace = !(format & (DT_CENTER | DT_RIGHT));
        const bool processPrefixes = !(format & DT_NOPREFIX);
        const bool showUnderline = processPrefixes && !(format & DT_HIDEPREFIX);

        const std::vector<QString> paragraphs = splitParagraphs(text, singleLine);
        result->paragraphs = paragraphs.size();
        for (std::size_t p = 0; p < paragraphs.size(); ++p) {
            const Paragraph paragraph
                = resolvePrefixes(paragraphs[p], p + 1 == paragraphs.size(), processPrefixes);
            const QString& s = paragraph.text;
            // Only the last prefixed character of a line is underlined.
            const auto underlinedIn = [&](const LineRange& range) {
                std::optional<int> underlined;
                if (showUnderline) {
                    for (int position : paragraph.prefixed) {
                        if (position >= range.begin && position < range.end)
                            underlined = position - range.begin;
                    }
                }
                return underlined;
            };
            // Shaped whole first: most text fits its box and is shaped once.
            LaidOutLine whole
                = shapeLine(s, engine, option, std::nullopt, underlinedIn({ 0, int(s.size()) }));
            if (!wrap || whole.width <= wrapWidth) {
                result->widest = std::max(result->widest, whole.width);
                result->lines.push_back(std::move(whole));
                continue;
            }
            for (const LineRange& range : breakLines(s, wrapWidth, keepBreakSpace, measure)) {
                const QString lineText = s.mid(range.begin, range.end - range.begin);
                const std::int32_t width = range.width >= 0
                    ? range.width
                    : measure.width(lineText, 0, int(lineText.size()));
                result->lines.push_back(
                    shapeLine(lineText, engine, option, width, underlinedIn(range)));
                result->widest = std::max(result->widest, width);
            }
        }
        return result;
    }

    struct CacheKey {
        std::u16string text;
        LogFont font;
        std::int32_t wrapWidth;
        std::uint32_t flags;
    };

    // A key's parts by reference: finding a cached layout copies nothing,
    // so a redraw that reuses laid-out text allocates nothing here.
    struct CacheKeyView {
        std::u16string_view text;
        const LogFont& font;
        std::int32_t wrapWidth;
        std::uint32_t flags;

        CacheKeyView(std::u16string_view t, const LogFont& f, std::int32_t w, std::uint32_t fl)
            : text(t)
            , font(f)
            , wrapWidth(w)
            , flags(fl)
        { }
        CacheKeyView(const CacheKey& k)
            : CacheKeyView(k.text, k.font, k.wrapWidth, k.flags)
        { }
    };

    struct CacheKeyHash {
        using is_transparent = void;
        std::size_t operator()(const CacheKeyView& k) const
        {
            std::size_t h = std::hash<std::u16string_view>()(k.text);
            h = h * 1000003u ^ std::hash<std::u16string>()(k.font.faceName);
            const std::int64_t fields[] = { k.font.height, k.font.weight, k.font.italic,
                k.font.underline, k.font.strikeOut, k.wrapWidth, k.flags };
            for (std::int64_t v : fields)
                h = h * 1000003u ^ std::hash<std::int64_t>()(v);
            return h;
        }
    };

    struct CacheKeyEqual {
        using is_transparent = void;
        bool operator()(const CacheKeyView& a, const CacheKeyView& b) const
        {
            return a.text == b.text && a.wrapWidth == b.wrapWidth && a.flags == b.flags
                && a.font == b.font;
        }
    };

    // Least recently used first; a hit moves the entry to the back.
    struct LayoutCache {
        using Entry = std::pair<CacheKey, std::shared_ptr<const LaidOutText>>;
        std::list<Entry> order;
        std::unordered_map<CacheKey, std::list<Entry>::iterator, CacheKeyHash, CacheKeyEqual> index;
        std::uint64_t hits = 0;
        std::uint64_t misses = 0;
    };

    LayoutCache& cache()
    {
        static LayoutCache instance;
        return instance;
    }

} // namespace

std::shared_ptr<const LaidOutText> layoutText(
    const LogFont& font, std::u16string_view text, std::int32_t wrapWidth, std::uint32_t format)
{
    const FontEngine* engine = fontEngineFor(font);
    if (!engine)
        return nullptr;
    const std::uint32_t flags = format & kLayoutFlags;
    const bool wraps = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
    const std::int32_t keyWidth = wraps ? wrapWidth : 0;

    LayoutCache& c = cache();
    // Alignment only decides where lines break (whether a line keeps the
    // space it broke at): text that did not break is the same in any.
    const std::uint32_t unbrokenFlags = flags & ~(DT_CENTER | DT_RIGHT);
    const auto find
        = [&](std::int32_t width, std::uint32_t keyFlags) -> std::shared_ptr<const LaidOutText> {
        const auto it = c.index.find(CacheKeyView(text, font, width, keyFlags));
        if (it == c.index.end())
            return nullptr;
        c.order.splice(c.order.end(), c.order, it->second);
        return it->second->second;
    };
    if (wraps) {
        if (auto unbroken = find(kFitsEveryWidth, unbrokenFlags);
            unbroken && unbroken->widest <= keyWidth) {
            ++c.hits;
            return unbroken;
        }
    }
    if (auto exact = find(keyWidth, flags)) {
        ++c.hits;
        return exact;
    }
    ++c.misses;
    CacheKey key { std::u16string(text), font, keyWidth, flags };
    auto layout = buildLayout(*engine, text, key.wrapWidth, flags);
    if (wraps && layout->widest <= keyWidth && layout->lines.size() == layout->paragraphs) {
        key.wrapWidth = kFitsEveryWidth;
        key.flags = unbrokenFlags;
    }
    c.order.emplace_back(key, layout);
    c.index.emplace(std::move(key), std::prev(c.order.end()));
    if (c.order.size() > kCacheCapacity) {
        c.index.erase(c.order.front().first);
        c.order.pop_front();
    }
    return layout;
}

TextLayoutStats textLayoutStats()
{
    const LayoutCache& c = cache();
    return { c.hits, c.misses, c.order.size() };
}

void clearTextLayouts()
{
    LayoutCache& c = cache();
    c.index.clear();
    c.order.clear();
    c.hits = 0;
    c.misses = 0;
}

void clearTextCaches()
{
    clearTextLayouts();
    clearFontEngines();
}

} // namespace bastara::gdi::detail
