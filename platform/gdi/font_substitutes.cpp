#include "platform/gdi/font_substitutes.h"

#include "platform/gdi/text.h"

#include <QFont>
#include <QStringList>

namespace bastara::gdi {

void installFontSubstitutes()
{
    static const bool installed = [] {
        // Setting the list with QFont::setFamilies would make the Arabic face
        // the main font for Latin text too; a substitution keeps the order.
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
            { QStringLiteral("Liberation Serif"), QStringLiteral("Noto Naskh Arabic") });
        clearTextCache(TextCacheClear::LayoutsAndFonts);
        return true;
    }();
    (void)installed;
}

} // namespace bastara::gdi
