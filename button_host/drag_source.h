#pragma once

// The data of a drag that starts from a button: what the button's handlers
// put in it, and the formats they only promised, rendered when a target asks
// for one (the render callback raises OLESetData). Qt's drag owns it, so it
// may outlive the button: ControlHost clears the callback when it ends.

#include "button/events.h"

#include <QMimeData>
#include <QSet>
#include <functional>

namespace bastara::button_host {

class DragSourceData final : public QMimeData
{
    Q_OBJECT
public:
    // Renders a promised format (a MIME type name) into dataObject().
    using Render = std::function<void(const QString& format)>;

    DragSourceData();

    // The data as the button's events see it.
    button::DataObject& dataObject() { return m_object; }
    void setRender(Render render) { m_render = std::move(render); }

    QStringList formats() const override;
    bool hasFormat(const QString& format) const override;

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override;

private:
    class Object final : public button::DataObject
    {
    public:
        explicit Object(DragSourceData& owner)
            : m_owner(owner)
        { }
        std::vector<std::u16string> formats() const override;
        std::vector<std::uint8_t> data(std::u16string_view format) const override;
        bool setData(std::u16string_view format, std::vector<std::uint8_t> bytes) override;
        bool promise(std::u16string_view format) override;
        bool clear() override;

    private:
        DragSourceData& m_owner;
    };

    Object m_object { *this };
    QSet<QString> m_promised; // formats without their data yet
    Render m_render;
    mutable bool m_rendering = false;
};

} // namespace bastara::button_host
