#include "button_host/drag_source.h"

#include <QPointer>

namespace bastara::button_host {

namespace {

    QString toQString(std::u16string_view text)
    {
        return QString::fromUtf16(text.data(), qsizetype(text.size()));
    }

} // namespace

DragSourceData::DragSourceData() = default;

QStringList DragSourceData::formats() const
{
    QStringList names = QMimeData::formats();
    for (const QString& format : m_promised)
        if (!names.contains(format))
            names.push_back(format);
    return names;
}

bool DragSourceData::hasFormat(const QString& format) const
{
    return m_promised.contains(format) || QMimeData::hasFormat(format);
}

QVariant DragSourceData::retrieveData(const QString& format, QMetaType type) const
{
    // A handler that reads the data while rendering it must not render again.
    if (m_promised.contains(format) && m_render && !m_rendering) {
        // The callback fills the data through its own reference to it. Its
        // handler may end the button, and with it the drag that owns this.
        const QPointer<const DragSourceData> self(this);
        m_rendering = true;
        const Render render = m_render;
        render(format);
        if (!self)
            return {};
        m_rendering = false;
    }
    return QMimeData::retrieveData(format, type);
}

std::vector<std::u16string> DragSourceData::Object::formats() const
{
    std::vector<std::u16string> names;
    for (const QString& format : m_owner.formats())
        names.push_back(format.toStdU16String());
    return names;
}

std::vector<std::uint8_t> DragSourceData::Object::data(std::u16string_view format) const
{
    const QByteArray bytes = m_owner.QMimeData::data(toQString(format));
    return { bytes.begin(), bytes.end() };
}

bool DragSourceData::Object::setData(std::u16string_view format, std::vector<std::uint8_t> bytes)
{
    if (format.empty())
        return false;
    const QString name = toQString(format);
    m_owner.m_promised.remove(name);
    m_owner.QMimeData::setData(
        name, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    return true;
}

bool DragSourceData::Object::promise(std::u16string_view format)
{
    if (format.empty())
        return false;
    const QString name = toQString(format);
    if (!m_owner.QMimeData::hasFormat(name))
        m_owner.m_promised.insert(name);
    return true;
}

bool DragSourceData::Object::clear()
{
    m_owner.m_promised.clear();
    m_owner.QMimeData::clear();
    return true;
}

} // namespace bastara::button_host
