#pragma once

// Which code builds a control of each kind that form files name.
//
// The standard kinds are built in (see standardControlRegistry); a control
// library adds its own kind, or replaces one, with add():
//
//     ControlRegistry registry = standardControlRegistry();
//     registry.add(QStringLiteral("customButton"), &buildFormButton);

#include "platform/support/result.h"
#include "platform/toolkit/form_layout.h"

#include <QString>
#include <functional>
#include <map>

class QWidget;

namespace bastara::toolkit {

// Builds the widget for one control as a child of `parent`, which owns it.
// The form sets geometry, font, tooltip and tab order afterwards; the factory
// sets everything else the layout says (texts, pictures, properties) and
// attaches ControlEvents for the events the kind raises. An error is a
// sentence for the developer (a missing picture, a bad property).
using ControlFactory
    = std::function<Result<QWidget*, QString>(const ControlLayout& layout, QWidget& parent)>;

class ControlRegistry
{
public:
    // Adds the kind, or replaces its factory.
    void add(const QString& kind, ControlFactory factory);
    // The factory for the kind, or nullptr.
    const ControlFactory* find(const QString& kind) const;

private:
    std::map<QString, ControlFactory> m_factories;
};

// label, textBox, comboBox (editable), listBox, image and commandButton.
// Custom controls (the custom button, "customButton") register themselves.
ControlRegistry standardControlRegistry();

} // namespace bastara::toolkit
