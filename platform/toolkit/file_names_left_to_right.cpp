#include "platform/toolkit/file_names_left_to_right.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace bastara::toolkit {

namespace {

    // The names Qt's file dialog gives its parts. The file-name box is not
    // among them: a line edit lays out its text in the text's own direction
    // whatever its layout direction, and a path starts left to right.
    constexpr const char* fileNameParts[]
        = { "lookInCombo", "sidebar", "listView", "treeView", "fileTypeCombo" };

    // Qt paints a combo box's text, closed and in its open list, in the
    // application's direction rather than the box's own. This style paints
    // both in the box's direction.
    class ComboTextInOwnDirection : public QProxyStyle
    {
    public:
        ComboTextInOwnDirection()
            : QProxyStyle(QApplication::style()->name())
        { }

        void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
            const QWidget* combo) const override
        {
            if (!combo || (element != CE_ComboBoxLabel && element != CE_MenuItem)) {
                QProxyStyle::drawControl(element, option, painter, combo);
                return;
            }
            const Qt::LayoutDirection painterDirection = painter->layoutDirection();
            painter->setLayoutDirection(combo->layoutDirection());
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem listItem(*item);
                listItem.direction = combo->layoutDirection();
                QProxyStyle::drawControl(element, &listItem, painter, combo);
            } else {
                QProxyStyle::drawControl(element, option, painter, combo);
            }
            painter->setLayoutDirection(painterDirection);
        }
    };

} // namespace

void showFileNamesLeftToRight(QFileDialog& dialog)
{
    auto* comboStyle = new ComboTextInOwnDirection;
    comboStyle->setParent(&dialog); // the boxes only use it
    for (const char* name : fileNameParts) {
        auto* part = dialog.findChild<QWidget*>(QLatin1String(name));
        if (!part)
            continue;
        part->setLayoutDirection(Qt::LeftToRight);
        if (qobject_cast<QComboBox*>(part))
            part->setStyle(comboStyle);
    }
    // The completions of a typed name open in a window of their own.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name && name->completer())
        name->completer()->popup()->setLayoutDirection(Qt::LeftToRight);
}

} // namespace bastara::toolkit
