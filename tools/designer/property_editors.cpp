#include "tools/designer/property_editors.h"

#include "platform/properties/picture_value.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace bastara::designer {

namespace {

    QString qText(std::u16string_view text)
    {
        return QString::fromUtf16(text.data(), qsizetype(text.size()));
    }

    QHBoxLayout* tightRow(QWidget& widget)
    {
        auto* row = new QHBoxLayout(&widget);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        return row;
    }

    class EnumerationEditor final : public ValueEditor
    {
    public:
        EnumerationEditor(const button::PublicProperty& property, QWidget* parent)
            : ValueEditor(parent)
            , m_property(property)
            , m_box(new QComboBox(this))
        {
            tightRow(*this)->addWidget(m_box);
            QObject::connect(m_box, &QComboBox::activated, this,
                [this](int index) { report(std::int32_t(m_box->itemData(index).toInt())); });
        }

        void showValue(const button::PublicValue& value) override
        {
            const auto* number = std::get_if<std::int32_t>(&value);
            if (!number)
                return;
            const QSignalBlocker quiet(m_box);
            m_box->clear();
            for (const button::ValueName& named : m_property.valueNames)
                m_box->addItem(qText(named.name), named.value);
            // A stored number without a name still shows.
            int index = m_box->findData(*number);
            if (index < 0) {
                m_box->addItem(qText(button::valueNameOf(m_property, *number)), *number);
                index = m_box->count() - 1;
            }
            m_box->setCurrentIndex(index);
        }

    private:
        const button::PublicProperty& m_property;
        QComboBox* m_box;
    };

    class BooleanEditor final : public ValueEditor
    {
    public:
        explicit BooleanEditor(QWidget* parent)
            : ValueEditor(parent)
            , m_box(new QCheckBox(this))
        {
            tightRow(*this)->addWidget(m_box);
            QObject::connect(m_box, &QCheckBox::clicked, this, [this](bool on) { report(on); });
        }

        void showValue(const button::PublicValue& value) override
        {
            if (const auto* on = std::get_if<bool>(&value)) {
                const QSignalBlocker quiet(m_box);
                m_box->setChecked(*on);
                m_box->setText(*on ? QStringLiteral("True") : QStringLiteral("False"));
            }
        }

    private:
        QCheckBox* m_box;
    };

    class TextEditor final : public ValueEditor
    {
    public:
        explicit TextEditor(QWidget* parent)
            : ValueEditor(parent)
            , m_line(new QLineEdit(this))
        {
            tightRow(*this)->addWidget(m_line);
            QObject::connect(
                m_line, &QLineEdit::editingFinished, this, [this] { finishEditing(); });
        }

        void finishEditing() override
        {
            const std::u16string text = m_line->text().toStdU16String();
            if (text != m_shown)
                report(text);
        }

        void showValue(const button::PublicValue& value) override
        {
            if (const auto* text = std::get_if<std::u16string>(&value)) {
                m_shown = *text;
                const QSignalBlocker quiet(m_line);
                m_line->setText(qText(*text));
            }
        }

    private:
        QLineEdit* m_line;
        std::u16string m_shown;
    };

    QIcon swatch(button::OleColor colour)
    {
        QPixmap pixmap(12, 12);
        pixmap.fill(qColorOf(colour));
        QPainter(&pixmap).drawRect(0, 0, 11, 11);
        return QIcon(pixmap);
    }

    // The system colours by name, the plain colour shown when there is one,
    // and a picker for any other.
    class ColourEditor final : public ValueEditor
    {
    public:
        explicit ColourEditor(QWidget* parent)
            : ValueEditor(parent)
            , m_box(new QComboBox(this))
            , m_pick(new QToolButton(this))
        {
            QHBoxLayout* row = tightRow(*this);
            row->addWidget(m_box, 1);
            row->addWidget(m_pick);
            m_pick->setText(QStringLiteral("..."));
            m_pick->setToolTip(QStringLiteral("Choose a colour"));
            QObject::connect(m_box, &QComboBox::activated, this,
                [this](int index) { report(button::OleColor(m_box->itemData(index).toUInt())); });
            QObject::connect(m_pick, &QToolButton::clicked, this, [this] {
                const QColor chosen = QColorDialog::getColor(qColorOf(m_shown), this);
                if (chosen.isValid())
                    report(button::OleColor(std::uint32_t(chosen.red())
                        | std::uint32_t(chosen.green()) << 8 | std::uint32_t(chosen.blue()) << 16));
            });
        }

        void showValue(const button::PublicValue& value) override
        {
            const auto* colour = std::get_if<button::OleColor>(&value);
            if (!colour)
                return;
            m_shown = *colour;
            const QSignalBlocker quiet(m_box);
            m_box->clear();
            if (!colour->isSystemColor())
                m_box->addItem(swatch(*colour), qText(button::colourName(*colour)), colour->value);
            for (const button::ValueName& named : button::systemColourNames()) {
                const button::OleColor system(0x80000000u | std::uint32_t(named.value));
                m_box->addItem(swatch(system), qText(named.name), system.value);
            }
            int index = m_box->findData(colour->value);
            if (index < 0) { // a system index without a name here
                m_box->insertItem(
                    0, swatch(*colour), qText(button::colourName(*colour)), colour->value);
                index = 0;
            }
            m_box->setCurrentIndex(index);
        }

    private:
        QComboBox* m_box;
        QToolButton* m_pick;
        button::OleColor m_shown;
    };

    // What the font dialog lets the person choose.
    bool sameChoice(const QFont& a, const QFont& b)
    {
        return a.family() == b.family() && a.pointSizeF() == b.pointSizeF()
            && a.weight() == b.weight() && a.italic() == b.italic()
            && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
    }

    class FontEditor final : public ValueEditor
    {
    public:
        explicit FontEditor(QWidget* parent)
            : ValueEditor(parent)
            , m_button(new QPushButton(this))
        {
            tightRow(*this)->addWidget(m_button);
            QObject::connect(m_button, &QPushButton::clicked, this, [this] {
                // The dialog lists the families installed: it opens on the
                // one the stored name resolves to ("Times New Roman" ->
                // "Liberation Serif"), and OK without a change keeps the
                // stored font as it is.
                QFont shown = qFontOf(m_shown);
                shown.setFamily(QFontInfo(shown).family());
                bool chosen = false;
                const QFont font = QFontDialog::getFont(&chosen, shown, this);
                if (chosen && !sameChoice(font, shown))
                    report(fontDescriptionOf(font, m_shown.charset));
            });
        }

        void showValue(const button::PublicValue& value) override
        {
            const auto* font = std::get_if<button::FontDescription>(&value);
            if (!font)
                return;
            m_shown = *font;
            QString text = font->name.empty()
                ? QStringLiteral("(None)")
                : QStringLiteral("%1, %2 pt").arg(qText(font->name)).arg(font->points);
            if (font->bold())
                text += QStringLiteral(", bold");
            if (font->italic)
                text += QStringLiteral(", italic");
            m_button->setText(text);
        }

    private:
        QPushButton* m_button;
        button::FontDescription m_shown;
    };

    QString pictureText(const button::PictureRef& picture)
    {
        if (!picture)
            return QStringLiteral("(None)");
        return QStringLiteral("(%1 %2 x %3)")
            .arg(picture->kind() == gdi::PictureKind::Icon ? QStringLiteral("Icon")
                                                           : QStringLiteral("Bitmap"))
            .arg(picture->width())
            .arg(picture->height());
    }

    class PictureEditor final : public ValueEditor
    {
    public:
        explicit PictureEditor(QWidget* parent)
            : ValueEditor(parent)
            , m_label(new QLabel(this))
            , m_open(new QToolButton(this))
            , m_clear(new QToolButton(this))
        {
            QHBoxLayout* row = tightRow(*this);
            row->addWidget(m_label, 1);
            row->addWidget(m_open);
            row->addWidget(m_clear);
            m_open->setText(QStringLiteral("..."));
            m_open->setToolTip(QStringLiteral("Load a picture file"));
            m_clear->setText(QStringLiteral("x"));
            m_clear->setToolTip(QStringLiteral("No picture"));
            QObject::connect(m_open, &QToolButton::clicked, this, [this] { openFile(); });
            QObject::connect(
                m_clear, &QToolButton::clicked, this, [this] { report(button::PictureRef()); });
        }

        void showValue(const button::PublicValue& value) override
        {
            if (const auto* picture = std::get_if<button::PictureRef>(&value))
                m_label->setText(pictureText(*picture));
        }

    private:
        void openFile()
        {
            const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load Picture"),
                {},
                QStringLiteral("Pictures (*.bmp *.jpg *.jpeg *.png *.ico *.cur);;All files (*)"));
            if (path.isEmpty())
                return;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                QMessageBox::warning(this, QStringLiteral("Load Picture"), file.errorString());
                return;
            }
            const QByteArray bytes = file.readAll();
            const properties::PictureValue value = properties::PictureValue::fromFileBytes(
                std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
            if (!value.picture()) {
                QMessageBox::warning(this, QStringLiteral("Load Picture"),
                    QStringLiteral("%1 is not a picture this program reads.").arg(path));
                return;
            }
            report(value.picture());
        }

        QLabel* m_label;
        QToolButton* m_open;
        QToolButton* m_clear;
    };

    class ActionEditor final : public ValueEditor
    {
    public:
        ActionEditor(const button::PublicProperty& property, QWidget* parent)
            : ValueEditor(parent)
            , m_button(new QPushButton(QStringLiteral("Reset"), this))
        {
            tightRow(*this)->addWidget(m_button);
            m_button->setToolTip(QString::fromUtf8(
                property.description.data(), qsizetype(property.description.size())));
            QObject::connect(m_button, &QPushButton::clicked, this, [this] { report(true); });
        }

        void showValue(const button::PublicValue& /*value*/) override { }

    private:
        QPushButton* m_button;
    };

} // namespace

ValueEditor* createEditor(const button::PublicProperty& property, QWidget* parent)
{
    switch (property.kind) {
    case button::ValueKind::Enumeration:
        return new EnumerationEditor(property, parent);
    case button::ValueKind::Boolean:
        return new BooleanEditor(parent);
    case button::ValueKind::Text:
        return new TextEditor(parent);
    case button::ValueKind::Colour:
        return new ColourEditor(parent);
    case button::ValueKind::Font:
        return new FontEditor(parent);
    case button::ValueKind::Picture:
        return new PictureEditor(parent);
    case button::ValueKind::Action:
        return new ActionEditor(property, parent);
    }
    return new TextEditor(parent);
}

ValueEditor* createColourEditor(QWidget* parent)
{
    return new ColourEditor(parent);
}

QColor qColorOf(button::OleColor colour)
{
    const std::uint32_t rgb = button::TranslateColor(colour).value;
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

QFont qFontOf(const button::FontDescription& font)
{
    QFont q(QString::fromStdU16String(font.name));
    if (font.points > 0)
        q.setPointSizeF(font.points);
    q.setWeight(QFont::Weight(std::clamp(font.weight, 1, 1000)));
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikethrough);
    return q;
}

button::FontDescription fontDescriptionOf(const QFont& font, std::int32_t charset)
{
    return { .name = font.family().toStdU16String(),
        .points = font.pointSizeF(),
        .weight = std::int32_t(font.weight()),
        .italic = font.italic(),
        .underline = font.underline(),
        .strikethrough = font.strikeOut(),
        .charset = charset };
}

} // namespace bastara::designer
