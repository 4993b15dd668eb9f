// Writing form files (form_file.h): the reader's format, member for member.

#include "platform/support/ascii.h"
#include "platform/toolkit/form_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace bastara::toolkit {

namespace {

    // In a stored text a leading U+FEFF is a character like any other, but
    // QString::fromStdU16String takes it for a byte order mark and drops it.
    QString qText(std::u16string_view text)
    {
        return QStringView(text).toString();
    }

    QString colourText(properties::OleColor colour)
    {
        return QStringLiteral("0x")
            + QStringLiteral("%1").arg(colour.value, 8, 16, QLatin1Char('0')).toUpper();
    }

    QJsonObject fontObject(const properties::FontDescription& font)
    {
        return QJsonObject { { QStringLiteral("face"), qText(font.name) },
            { QStringLiteral("size"), font.points }, { QStringLiteral("weight"), font.weight },
            { QStringLiteral("italic"), font.italic },
            { QStringLiteral("underline"), font.underline },
            { QStringLiteral("strikethrough"), font.strikethrough },
            { QStringLiteral("charset"), font.charset } };
    }

    // {"<type>": value}, the type named as the reader expects it.
    QJsonObject typedValue(const properties::PropertyValue& value)
    {
        struct Visitor {
            QJsonObject operator()(const std::u16string& text) const
            {
                return { { QStringLiteral("string"), qText(text) } };
            }
            QJsonObject operator()(std::int16_t number) const
            {
                return { { QStringLiteral("int16"), number } };
            }
            QJsonObject operator()(std::int32_t number) const
            {
                return { { QStringLiteral("int32"), number } };
            }
            QJsonObject operator()(properties::Bool16 flag) const
            {
                return { { QStringLiteral("bool"), flag.isSet() ? -1 : 0 } };
            }
            QJsonObject operator()(properties::OleColor colour) const
            {
                return { { QStringLiteral("colour"), colourText(colour) } };
            }
            QJsonObject operator()(const properties::FontDescription& font) const
            {
                return { { QStringLiteral("font"), fontObject(font) } };
            }
            QJsonObject operator()(const properties::PictureValue& picture) const
            {
                const std::span<const std::uint8_t> bytes = picture.fileBytes();
                const QByteArray data(
                    reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
                return { { QStringLiteral("picture"), QString::fromLatin1(data.toBase64()) } };
            }
        };
        return std::visit(Visitor {}, value);
    }

    QJsonObject propertiesObject(const properties::PropertySet& set)
    {
        QJsonObject object;
        for (const auto& [key, value] : set.entries()) {
            std::u16string lower(key);
            for (char16_t& c : lower)
                c = foldAsciiCase(c);
            object.insert(qText(lower), typedValue(value));
        }
        return object;
    }

    QString alignmentText(TextAlignment alignment)
    {
        switch (alignment) {
        case TextAlignment::Right:
            return QStringLiteral("right");
        case TextAlignment::Centre:
            return QStringLiteral("centre");
        case TextAlignment::Left:
            break;
        }
        return QStringLiteral("left");
    }

    QJsonObject controlObject(const ControlLayout& control)
    {
        QJsonObject object { { QStringLiteral("kind"), control.kind },
            { QStringLiteral("name"), control.name },
            { QStringLiteral("left"), control.geometry.left },
            { QStringLiteral("top"), control.geometry.top },
            { QStringLiteral("width"), control.geometry.width },
            { QStringLiteral("height"), control.geometry.height } };
        if (control.index)
            object.insert(QStringLiteral("index"), *control.index);
        if (!control.text.isEmpty())
            object.insert(QStringLiteral("text"), control.text);
        if (control.font)
            object.insert(QStringLiteral("font"), fontObject(*control.font));
        if (!control.picture.isEmpty())
            object.insert(QStringLiteral("picture"), control.picture);
        if (!control.toolTip.isEmpty())
            object.insert(QStringLiteral("toolTip"), control.toolTip);
        if (control.tabIndex)
            object.insert(QStringLiteral("tabIndex"), *control.tabIndex);
        if (control.alignment != TextAlignment::Left)
            object.insert(QStringLiteral("alignment"), alignmentText(control.alignment));
        if (control.rightToLeft)
            object.insert(QStringLiteral("rightToLeft"), true);
        if (control.backColour)
            object.insert(QStringLiteral("backColour"), colourText(*control.backColour));
        if (!control.properties.empty())
            object.insert(QStringLiteral("properties"), propertiesObject(control.properties));
        return object;
    }

} // namespace

QByteArray formFileBytes(const FormLayout& form)
{
    QJsonObject object { { QStringLiteral("bastaraForm"), 1 },
        { QStringLiteral("name"), form.name }, { QStringLiteral("caption"), form.caption },
        { QStringLiteral("clientWidth"), form.clientWidth },
        { QStringLiteral("clientHeight"), form.clientHeight },
        { QStringLiteral("frame"),
            form.frame == FrameKind::FixedToolWindow ? QStringLiteral("fixedToolWindow")
                                                     : QStringLiteral("fixedDialog") } };
    if (form.backColour)
        object.insert(QStringLiteral("backColour"), colourText(*form.backColour));
    if (!form.icon.isEmpty())
        object.insert(QStringLiteral("icon"), form.icon);
    if (!form.showInTaskbar)
        object.insert(QStringLiteral("showInTaskbar"), false);
    if (!form.defaultButton.isEmpty())
        object.insert(QStringLiteral("defaultButton"), form.defaultButton);
    QJsonArray controls;
    for (const ControlLayout& control : form.controls)
        controls.append(controlObject(control));
    object.insert(QStringLiteral("controls"), controls);
    QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    // Qt's reader drops a U+FEFF written as such at the start of a string; as
    // an escape it reads back. (Only U+FEFF encodes as these three bytes, and
    // only strings hold text.)
    bytes.replace("\xEF\xBB\xBF", "\\ufeff");
    return bytes;
}

Result<void, FormFileError> saveFormFile(const FormLayout& form, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(formFileBytes(form)) < 0 || !file.commit())
        return Unexpected { FormFileError {
            QStringLiteral("cannot write %1: %2").arg(path, file.errorString()) } };
    return {};
}

} // namespace bastara::toolkit
