// The factories of the standard control kinds.

#include "platform/toolkit/control_events.h"
#include "platform/toolkit/control_registry.h"
#include "platform/toolkit/image_control.h"
#include "platform/toolkit/list_box.h"
#include "platform/toolkit/qt_child.h"
#include "platform/toolkit/qt_values.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace bastara::toolkit {

namespace {

    // Absolute, so that a right-to-left label still puts "right" on the right.
    Qt::Alignment horizontalAlignment(TextAlignment alignment)
    {
        switch (alignment) {
        case TextAlignment::Right:
            return Qt::AlignRight | Qt::AlignAbsolute;
        case TextAlignment::Centre:
            return Qt::AlignHCenter;
        case TextAlignment::Left:
            break;
        }
        return Qt::AlignLeft | Qt::AlignAbsolute;
    }

    void applyBackColour(QWidget& widget, const ControlLayout& layout)
    {
        if (!layout.backColour)
            return;
        QPalette palette = widget.palette();
        palette.setColor(widget.backgroundRole(), toQColor(*layout.backColour, palette));
        widget.setPalette(palette);
        widget.setAutoFillBackground(true);
    }

    Result<QWidget*, QString> buildLabel(const ControlLayout& layout, QWidget& parent)
    {
        auto& label = makeChild<QLabel>(parent, layout.text);
        label.setAlignment(horizontalAlignment(layout.alignment) | Qt::AlignTop);
        if (layout.rightToLeft)
            label.setLayoutDirection(Qt::RightToLeft);
        applyBackColour(label, layout);
        return &label;
    }

    Result<QWidget*, QString> buildTextBox(const ControlLayout& layout, QWidget& parent)
    {
        auto& edit = makeChild<QLineEdit>(parent, layout.text);
        edit.setAlignment(horizontalAlignment(layout.alignment) | Qt::AlignVCenter);
        if (layout.rightToLeft)
            edit.setLayoutDirection(Qt::RightToLeft);
        applyBackColour(edit, layout);
        return &edit;
    }

    // Editable: the user picks an offered item or types any text. Typed text
    // is not added to the items, and nothing completes it behind the user's
    // back, so what is read is exactly what was typed.
    Result<QWidget*, QString> buildComboBox(const ControlLayout& layout, QWidget& parent)
    {
        auto& combo = makeChild<QComboBox>(parent);
        combo.setEditable(true);
        combo.setInsertPolicy(QComboBox::NoInsert);
        combo.setCompleter(nullptr);
        combo.setEditText(layout.text);
        if (layout.rightToLeft)
            combo.setLayoutDirection(Qt::RightToLeft);
        return &combo;
    }

    Result<QWidget*, QString> buildListBox(const ControlLayout& layout, QWidget& parent)
    {
        auto& list = makeChild<ListBoxControl>(parent);
        if (layout.rightToLeft)
            list.setLayoutDirection(Qt::RightToLeft);
        ControlEvents& events = ControlEvents::attachTo(list);
        QObject::connect(&list, &QListWidget::itemDoubleClicked, &events, &ControlEvents::DblClick);
        return &list;
    }

    Result<QWidget*, QString> buildImage(const ControlLayout& layout, QWidget& parent)
    {
        auto& image = makeChild<ImageControl>(parent);
        if (!layout.picture.isEmpty()) {
            const QPixmap picture(layout.picture);
            if (picture.isNull())
                return Unexpected {
                    QStringLiteral("cannot read the picture %1").arg(layout.picture)
                };
            image.setPixmap(picture);
        }
        // Shown at its natural size from the top left corner, never stretched.
        image.setAlignment(Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute);
        return &image;
    }

    Result<QWidget*, QString> buildCommandButton(const ControlLayout& layout, QWidget& parent)
    {
        auto& button = makeChild<QPushButton>(parent, layout.text);
        button.setAutoDefault(false);
        ControlEvents& events = ControlEvents::attachTo(button);
        QObject::connect(&button, &QPushButton::clicked, &events, &ControlEvents::Click);
        return &button;
    }

} // namespace

ControlRegistry standardControlRegistry()
{
    ControlRegistry registry;
    registry.add(QStringLiteral("label"), &buildLabel);
    registry.add(QStringLiteral("textBox"), &buildTextBox);
    registry.add(QStringLiteral("comboBox"), &buildComboBox);
    registry.add(QStringLiteral("listBox"), &buildListBox);
    registry.add(QStringLiteral("image"), &buildImage);
    registry.add(QStringLiteral("commandButton"), &buildCommandButton);
    return registry;
}

} // namespace bastara::toolkit
