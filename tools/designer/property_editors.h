#pragma once

// The editor a property browser row shows for each kind of property value
// (button/property_table.h): a combo box of names for enumerations, a check box
// for Booleans, a line for text, the system colours by name plus a colour
// picker for colours, the font dialog for fonts, picture files for pictures,
// and a button for actions.
//
// An editor shows the value it is given and reports what the person chose
// through `edited`; it never changes the control itself.

#include "button/property_table.h"

#include <QWidget>
#include <functional>

namespace bastara::designer {

class ValueEditor : public QWidget
{
public:
    using QWidget::QWidget;

    // Shows the value without reporting it as edited.
    virtual void showValue(const button::PublicValue& value) = 0;
    // Reports a change the person has made but not yet confirmed (text
    // typed without Enter); most editors report every change at once.
    virtual void finishEditing() { }

    std::function<void(const button::PublicValue& value)> edited;

protected:
    void report(const button::PublicValue& value)
    {
        if (edited)
            edited(value);
    }
};

// The editor for the property's kind; the parent owns it.
ValueEditor* createEditor(const button::PublicProperty& property, QWidget* parent);
// A colour editor on its own, for colours that are no button property.
ValueEditor* createColourEditor(QWidget* parent);

// A stored colour as the control draws it: system colours by the control's
// own table, so the form and the swatches match its buttons.
QColor qColorOf(button::OleColor colour);

// Between the property set's fonts and Qt's.
QFont qFontOf(const button::FontDescription& font);
button::FontDescription fontDescriptionOf(const QFont& font, std::int32_t charset);

} // namespace bastara::designer
