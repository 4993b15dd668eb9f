#include "platform/gdi/internal/font_engine.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <cmath>
#include <functional>
#include <memory>
#include <unordered_map>

namespace bastara::gdi::detail {

namespace {

    struct LogFontHash {
        std::size_t operator()(const LogFont& f) const
        {
            std::size_t h = std::hash<std::u16string>()(f.faceName);
            const std::int64_t fields[] = { f.height, f.width, f.escapement, f.orientation,
                f.weight, f.italic, f.underline, f.strikeOut, f.charSet, f.quality };
            for (std::int64_t v : fields)
                h = h * 1000003u ^ std::hash<std::int64_t>()(v);
            return h;
        }
    };

    using EngineMap = std::unordered_map<LogFont, std::unique_ptr<FontEngine>, LogFontHash>;

    EngineMap& engines()
    {
        static EngineMap map;
        return map;
    }

    void fillMetrics(FontEngine& engine)
    {
        const QFontMetrics metrics(engine.font);
        engine.ascent = metrics.ascent();
        engine.descent = metrics.descent();
        engine.height = engine.ascent + engine.descent;
        engine.averageCharWidth = metrics.averageCharWidth();
        engine.maxCharWidth = metrics.maxWidth();
        engine.externalLeading = metrics.leading();
    }

    std::unique_ptr<FontEngine> buildEngine(const LogFont& logFont)
    {
        auto engine = std::make_unique<FontEngine>();
        QFont font = QGuiApplication::font();
        if (!logFont.faceName.empty())
            font.setFamily(QString::fromStdU16String(logFont.faceName));
        const int weight = logFont.weight <= 0 ? 400 : std::min(logFont.weight, 1000);
        font.setWeight(QFont::Weight(weight));
        font.setItalic(logFont.italic != 0);
        font.setUnderline(logFont.underline != 0);
        font.setStrikeOut(logFont.strikeOut != 0);
        // Platform text widths have no pair kerning.
        font.setKerning(false);
        // Glyph shapes must not follow the desktop's font settings (its
        // fontconfig hint style and subpixel order, or a scale factor, which
        // turns hinting off): light vertical-only hinting, as Debian's default
        // configuration asks for, and greyscale antialiasing.
        font.setHintingPreference(QFont::PreferVerticalHinting);
        font.setStyleStrategy(QFont::NoSubpixelAntialias);
        if (logFont.height < 0) {
            font.setPixelSize(std::min(-logFont.height, kMaxFontPixels));
        } else if (logFont.height > 0) {
            // A positive height is the cell height (ascent + descent): scale the
            // character height so that the cell comes out at that height.
            const int cell = std::min(logFont.height, kMaxFontPixels);
            font.setPixelSize(cell);
            const int measured = QFontMetrics(font).height();
            if (measured > 0)
                font.setPixelSize(std::max(1, int(std::lround(double(cell) * cell / measured))));
        } else {
            // Height 0: the application font's size.
            const int pixels = QFontMetrics(QGuiApplication::font()).ascent();
            font.setPixelSize(std::max(1, pixels));
        }
        engine->font = font;
        fillMetrics(*engine);
        return engine;
    }

    void registerCleanup()
    {
        // Fonts and glyph runs must go before the application object does.
        static const QCoreApplication* registeredFor = nullptr;
        if (registeredFor != QCoreApplication::instance()) {
            registeredFor = QCoreApplication::instance();
            qAddPostRoutine(clearTextCaches);
        }
    }

} // namespace

const FontEngine* fontEngineFor(const LogFont& logFont)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    registerCleanup();
    auto& map = engines();
    auto it = map.find(logFont);
    if (it == map.end())
        it = map.emplace(logFont, buildEngine(logFont)).first;
    return it->second.get();
}

void clearFontEngines()
{
    engines().clear();
}

} // namespace bastara::gdi::detail
