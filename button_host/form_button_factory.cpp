#include "button_host/form_button_factory.h"

#include "button_host/control_host.h"
#include "platform/toolkit/control_events.h"
#include "platform/toolkit/form.h"

#include <QPointer>
#include <memory>

namespace bastara::button_host {

namespace {

    // The container's colour as the control's ambient back colour: the form's
    // stored colour, or the system face colour a form has by default.
    button::OleColor containerBackColor(const QWidget& parent)
    {
        if (const auto* form = qobject_cast<const toolkit::Form*>(&parent))
            if (form->layout().backColour)
                return *form->layout().backColour;
        return button::kSystemButtonFace;
    }

} // namespace

Result<QWidget*, QString> buildFormButton(const toolkit::ControlLayout& layout, QWidget& parent)
{
    auto host = std::make_unique<ControlHost>(&parent);
    AmbientSettings ambient;
    ambient.displayName = layout.displayName().toStdU16String();
    ambient.backColor = containerBackColor(parent);
    ambient.parentBackColor = ambient.backColor;
    host->setAmbient(std::move(ambient));
    // Reading names the container (the parent) in the Tag, for option groups.
    host->properties() = layout.properties;
    host->control().onHostReadProperties();
    host->setSizePixels(toolkit::pixelsFromTwips(layout.geometry.width),
        toolkit::pixelsFromTwips(layout.geometry.height));

    toolkit::ControlEvents& events = toolkit::ControlEvents::attachTo(*host);
    // The handler may close the window and so destroy the button and its
    // events; the guard sees that.
    host->control().events().Click = [guarded = QPointer(&events)] {
        if (guarded)
            emit guarded->Click();
    };
    return host.release();
}

void addFormButtonFactory(toolkit::ControlRegistry& registry)
{
    registry.add(QString::fromLatin1(kFormButtonKind), &buildFormButton);
}

} // namespace bastara::button_host
