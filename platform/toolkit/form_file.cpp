#include "platform/toolkit/form_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace bastara::toolkit {

QString ControlLayout::displayName() const
{
    return index ? QStringLiteral("%1(%2)").arg(name).arg(*index) : name;
}

namespace {

    constexpr int formatVersion = 1;

    // Thrown inside this file only; parseFormFile turns it into an error value.
    struct ParseFailure {
        QString message;
    };

    // One JSON object and where it stands in the file, for messages.
    class ObjectReader
    {
    public:
        ObjectReader(QJsonObject object, QString where)
            : m_object(std::move(object))
            , m_where(std::move(where))
        { }

        [[noreturn]] void fail(const QString& member, const QString& problem) const
        {
            throw ParseFailure { QStringLiteral("%1.%2: %3").arg(m_where, member, problem) };
        }

        void allowOnly(std::initializer_list<const char*> members) const
        {
            for (auto it = m_object.begin(); it != m_object.end(); ++it) {
                bool known = false;
                for (const char* member : members)
                    known = known || it.key() == QLatin1String(member);
                if (!known)
                    fail(it.key(), QStringLiteral("unknown member"));
            }
        }

        bool has(const char* member) const { return m_object.contains(QLatin1String(member)); }

        QJsonValue required(const char* member) const
        {
            if (!has(member))
                fail(QLatin1String(member), QStringLiteral("missing"));
            return m_object.value(QLatin1String(member));
        }

        QString string(const char* member) const
        {
            const QJsonValue value = required(member);
            if (!value.isString())
                fail(QLatin1String(member), QStringLiteral("expected a string"));
            return value.toString();
        }
        QString optionalString(const char* member) const
        {
            return has(member) ? string(member) : QString();
        }

        bool boolean(const char* member) const
        {
            const QJsonValue value = required(member);
            if (!value.isBool())
                fail(QLatin1String(member), QStringLiteral("expected true or false"));
            return value.toBool();
        }
        bool optionalBoolean(const char* member) const { return has(member) && boolean(member); }

        int64_t integer(const char* member, int64_t min, int64_t max) const
        {
            return checkedInteger(required(member), QLatin1String(member), min, max);
        }

        double number(const char* member, double minExclusive, double max) const
        {
            const QJsonValue value = required(member);
            if (!value.isDouble())
                fail(QLatin1String(member), QStringLiteral("expected a number"));
            const double d = value.toDouble();
            if (!(d > minExclusive && d <= max))
                fail(QLatin1String(member),
                    QStringLiteral("%1 is outside (%2, %3]").arg(d).arg(minExclusive).arg(max));
            return d;
        }

        ObjectReader object(const char* member) const
        {
            const QJsonValue value = required(member);
            if (!value.isObject())
                fail(QLatin1String(member), QStringLiteral("expected an object"));
            return ObjectReader(value.toObject(), m_where + QLatin1Char('.') + member);
        }

        QJsonArray array(const char* member) const
        {
            const QJsonValue value = required(member);
            if (!value.isArray())
                fail(QLatin1String(member), QStringLiteral("expected an array"));
            return value.toArray();
        }

        int64_t checkedInteger(
            const QJsonValue& value, const QString& member, int64_t min, int64_t max) const
        {
            if (!value.isDouble())
                fail(member, QStringLiteral("expected a whole number"));
            const double d = value.toDouble();
            if (d != std::floor(d))
                fail(member, QStringLiteral("expected a whole number, not %1").arg(d));
            if (d < static_cast<double>(min) || d > static_cast<double>(max))
                fail(member, QStringLiteral("%1 is outside %2 to %3").arg(d).arg(min).arg(max));
            return static_cast<int64_t>(d);
        }

        const QJsonObject& json() const { return m_object; }
        const QString& where() const { return m_where; }

    private:
        QJsonObject m_object;
        QString m_where;
    };

    properties::OleColor readColour(const ObjectReader& reader, const char* member)
    {
        const QString text = reader.string(member);
        bool ok = false;
        const uint value
            = text.startsWith(QLatin1String("0x")) && text.size() > 2 && text.size() <= 10
            ? text.mid(2).toUInt(&ok, 16)
            : 0;
        if (!ok)
            reader.fail(QLatin1String(member),
                QStringLiteral("expected a colour written 0x00BBGGRR, not \"%1\"").arg(text));
        return properties::OleColor { value };
    }

    properties::FontDescription readFont(const ObjectReader& reader)
    {
        reader.allowOnly(
            { "face", "size", "weight", "italic", "underline", "strikethrough", "charset" });
        properties::FontDescription font;
        font.name = reader.string("face").toStdU16String();
        if (font.name.empty())
            reader.fail(QStringLiteral("face"), QStringLiteral("empty"));
        font.points = reader.number("size", 0, 1000);
        font.weight = static_cast<int32_t>(reader.integer("weight", 1, 1000));
        font.italic = reader.optionalBoolean("italic");
        font.underline = reader.optionalBoolean("underline");
        font.strikethrough = reader.optionalBoolean("strikethrough");
        font.charset = static_cast<int32_t>(reader.integer("charset", 0, 255));
        return font;
    }

    // Bytes that are valid base64 but not a picture still make a value (with
    // no picture): the control then keeps that property as it was, and the
    // rest of the form loads.
    properties::PictureValue readPicture(const ObjectReader& typed)
    {
        const QByteArray text = typed.string("picture").toLatin1();
        const auto decoded
            = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            typed.fail(QStringLiteral("picture"), QStringLiteral("expected base64 file bytes"));
        const QByteArray& bytes = *decoded;
        return properties::PictureValue::fromFileBytes(
            std::vector<std::uint8_t>(bytes.cbegin(), bytes.cend()));
    }

    properties::PropertyValue readPropertyValue(const ObjectReader& typed)
    {
        if (typed.json().size() != 1)
            throw ParseFailure { typed.where()
                + QStringLiteral(": expected one member naming the value's type") };
        const QString type = typed.json().begin().key();
        if (type == QLatin1String("string"))
            return typed.string("string").toStdU16String();
        if (type == QLatin1String("int16"))
            return static_cast<int16_t>(typed.integer("int16", INT16_MIN, INT16_MAX));
        if (type == QLatin1String("int32"))
            return static_cast<int32_t>(typed.integer("int32", INT32_MIN, INT32_MAX));
        if (type == QLatin1String("bool"))
            return properties::Bool16(typed.integer("bool", -1, 0) != 0);
        if (type == QLatin1String("colour"))
            return readColour(typed, "colour");
        if (type == QLatin1String("font"))
            return readFont(typed.object("font"));
        if (type == QLatin1String("picture"))
            return readPicture(typed);
        typed.fail(type, QStringLiteral("unknown value type"));
    }

    properties::PropertySet readProperties(const ObjectReader& reader)
    {
        properties::PropertySet properties;
        for (auto it = reader.json().begin(); it != reader.json().end(); ++it) {
            const std::u16string key = it.key().toStdU16String();
            if (key.empty())
                reader.fail(it.key(), QStringLiteral("empty property key"));
            if (properties.contains(key))
                reader.fail(it.key(), QStringLiteral("repeats a key (keys ignore case)"));
            if (!it.value().isObject())
                reader.fail(it.key(), QStringLiteral("expected an object such as {\"int32\": 2}"));
            properties.write(key,
                readPropertyValue(ObjectReader(
                    it.value().toObject(), reader.where() + QLatin1Char('.') + it.key())));
        }
        return properties;
    }

    TextAlignment readAlignment(const ObjectReader& reader)
    {
        if (!reader.has("alignment"))
            return TextAlignment::Left;
        const QString text = reader.string("alignment");
        if (text == QLatin1String("left"))
            return TextAlignment::Left;
        if (text == QLatin1String("right"))
            return TextAlignment::Right;
        if (text == QLatin1String("centre"))
            return TextAlignment::Centre;
        reader.fail(QStringLiteral("alignment"),
            QStringLiteral("expected \"left\", \"right\" or \"centre\", not \"%1\"").arg(text));
    }

    ControlLayout readControl(const ObjectReader& reader)
    {
        reader.allowOnly(
            { "kind", "name", "index", "left", "top", "width", "height", "text", "font", "picture",
                "toolTip", "tabIndex", "alignment", "rightToLeft", "backColour", "properties" });
        ControlLayout control;
        control.kind = reader.string("kind");
        if (control.kind.isEmpty())
            reader.fail(QStringLiteral("kind"), QStringLiteral("empty"));
        control.name = reader.string("name");
        if (control.name.isEmpty())
            reader.fail(QStringLiteral("name"), QStringLiteral("empty"));
        if (reader.has("index"))
            control.index = static_cast<int>(reader.integer("index", 0, INT16_MAX));
        control.geometry.left
            = static_cast<int32_t>(reader.integer("left", -maxFormTwips, maxFormTwips));
        control.geometry.top
            = static_cast<int32_t>(reader.integer("top", -maxFormTwips, maxFormTwips));
        control.geometry.width = static_cast<int32_t>(reader.integer("width", 0, maxFormTwips));
        control.geometry.height = static_cast<int32_t>(reader.integer("height", 0, maxFormTwips));
        control.text = reader.optionalString("text");
        if (reader.has("font"))
            control.font = readFont(reader.object("font"));
        control.picture = reader.optionalString("picture");
        control.toolTip = reader.optionalString("toolTip");
        if (reader.has("tabIndex"))
            control.tabIndex = static_cast<int>(reader.integer("tabIndex", 0, INT16_MAX));
        control.alignment = readAlignment(reader);
        control.rightToLeft = reader.optionalBoolean("rightToLeft");
        if (reader.has("backColour"))
            control.backColour = readColour(reader, "backColour");
        if (reader.has("properties"))
            control.properties = readProperties(reader.object("properties"));
        return control;
    }

    FrameKind readFrame(const ObjectReader& reader)
    {
        const QString text = reader.string("frame");
        if (text == QLatin1String("fixedDialog"))
            return FrameKind::FixedDialog;
        if (text == QLatin1String("fixedToolWindow"))
            return FrameKind::FixedToolWindow;
        reader.fail(QStringLiteral("frame"),
            QStringLiteral("expected \"fixedDialog\" or \"fixedToolWindow\", not \"%1\"")
                .arg(text));
    }

    // Names compare without regard to case, so "list1(0)" and "List1(0)"
    // clash, and a name may not be both a single control and an array.
    void checkNamesAreUnique(const std::vector<ControlLayout>& controls)
    {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                const ControlLayout& a = controls[i];
                const ControlLayout& b = controls[j];
                if (a.name.compare(b.name, Qt::CaseInsensitive) != 0)
                    continue;
                if (a.index.has_value() != b.index.has_value())
                    throw ParseFailure { QStringLiteral(
                        "controls[%1]: %2 is used both as a single control and as an array")
                                             .arg(i)
                                             .arg(a.name) };
                if (a.index == b.index)
                    throw ParseFailure { QStringLiteral("controls[%1]: %2 repeats controls[%3]")
                                             .arg(i)
                                             .arg(a.displayName())
                                             .arg(j) };
            }
        }
    }

    bool namesAControl(const std::vector<ControlLayout>& controls, const QString& name)
    {
        return std::any_of(controls.begin(), controls.end(), [&](const ControlLayout& control) {
            return !control.index && control.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    }

    FormLayout readForm(const ObjectReader& reader)
    {
        reader.allowOnly({ "bastaraForm", "name", "caption", "clientWidth", "clientHeight",
            "backColour", "frame", "icon", "showInTaskbar", "defaultButton", "controls" });
        if (reader.integer("bastaraForm", 0, INT32_MAX) != formatVersion)
            reader.fail(QStringLiteral("bastaraForm"),
                QStringLiteral("this program reads version %1 only").arg(formatVersion));
        FormLayout form;
        form.name = reader.string("name");
        form.caption = reader.string("caption");
        form.clientWidth = static_cast<int32_t>(reader.integer("clientWidth", 1, maxFormTwips));
        form.clientHeight = static_cast<int32_t>(reader.integer("clientHeight", 1, maxFormTwips));
        if (reader.has("backColour"))
            form.backColour = readColour(reader, "backColour");
        form.frame = readFrame(reader);
        form.icon = reader.optionalString("icon");
        form.showInTaskbar = !reader.has("showInTaskbar") || reader.boolean("showInTaskbar");
        const QJsonArray controls = reader.array("controls");
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const QString where = QStringLiteral("controls[%1]").arg(i);
            if (!controls[i].isObject())
                throw ParseFailure { where + QStringLiteral(": expected an object") };
            form.controls.push_back(readControl(ObjectReader(controls[i].toObject(), where)));
        }
        checkNamesAreUnique(form.controls);
        form.defaultButton = reader.optionalString("defaultButton");
        if (!form.defaultButton.isEmpty() && !namesAControl(form.controls, form.defaultButton))
            reader.fail(QStringLiteral("defaultButton"),
                QStringLiteral("names no control of the form: %1").arg(form.defaultButton));
        return form;
    }

} // namespace

Result<FormLayout, FormFileError> parseFormFile(QByteArrayView bytes)
{
    QJsonParseError jsonError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &jsonError);
    if (jsonError.error != QJsonParseError::NoError)
        return Unexpected { FormFileError { QStringLiteral("not a JSON document: %1 at byte %2")
                                                .arg(jsonError.errorString())
                                                .arg(jsonError.offset) } };
    if (!document.isObject())
        return Unexpected { FormFileError { QStringLiteral("the document is not a JSON object") } };
    try {
        return readForm(ObjectReader(document.object(), QStringLiteral("form")));
    } catch (const ParseFailure& failure) {
        return Unexpected { FormFileError { failure.message } };
    }
}

Result<FormLayout, FormFileError> loadFormFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unexpected { FormFileError {
            QStringLiteral("cannot read %1: %2").arg(path, file.errorString()) } };
    if (file.size() > maxFormFileBytes)
        return Unexpected { FormFileError { QStringLiteral("%1: too large for a form file "
                                                           "(%2 bytes, at most %3)")
                                                .arg(path)
                                                .arg(file.size())
                                                .arg(maxFormFileBytes) } };
    auto layout = parseFormFile(file.readAll());
    if (!layout)
        return Unexpected { FormFileError {
            path + QStringLiteral(": ") + layout.error().message } };
    return layout;
}

} // namespace bastara::toolkit
