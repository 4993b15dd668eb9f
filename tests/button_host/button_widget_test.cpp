#include "button/property_table.h"
#include "button_host/button_widget.h"
#include "platform/toolkit/qt_values.h"

#include <QBuffer>
#include <QFile>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace bastara::button_host {
namespace {

    using button::PublicProperty;
    using button::PublicValue;
    using button::ValueKind;

    button::PictureRef pictureOf(const char* format, QColor colour)
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        pixmap.save(&buffer, format);
        return button::PictureValue::fromFileBytes({ bytes.begin(), bytes.end() }).picture();
    }

    // A value of the row's kind that no new control has.
    PublicValue changedValue(const PublicProperty& row)
    {
        switch (row.kind) {
        case ValueKind::Enumeration:
            if (row.name == "FontStyle")
                return std::int32_t(button::kFontStyleBold | button::kFontStyleItalic);
            if (row.name == "MousePointer")
                return std::int32_t(11);
            return row.valueNames[1].value;
        case ValueKind::Boolean:
            return !std::get<bool>(row.newControlValue);
        case ValueKind::Text:
            return std::u16string(u"Tab&le || جدول");
        case ValueKind::Colour:
            return button::OleColor(0x00336699);
        case ValueKind::Font:
            return button::FontDescription { u"Liberation Serif", 14, 700 };
        case ValueKind::Picture:
            return row.name == "MouseIcon" ? pictureOf("ICO", Qt::blue) : pictureOf("BMP", Qt::red);
        case ValueKind::Action:
            return true;
        }
        return {};
    }

    // Pictures compare by the file they are stored as.
    bool sameValue(const PublicValue& a, const PublicValue& b)
    {
        const auto* pa = std::get_if<button::PictureRef>(&a);
        const auto* pb = std::get_if<button::PictureRef>(&b);
        if (pa && pb)
            return button::PictureValue::fromPicture(*pa) == button::PictureValue::fromPicture(*pb);
        return a == b;
    }

    std::string nameOf(const PublicProperty& row)
    {
        return std::string(row.name);
    }

    // Value is True only outside command mode; a picture shape would resize.
    void prepareFor(ButtonWidget& widget, const PublicProperty& row)
    {
        if (row.name == "Value")
            widget.setMode(ButtonWidget::ButtonMode::CheckBox);
    }

    class ButtonWidgetTest : public testing::Test
    {
    protected:
        ButtonWidgetTest() { m_form.resize(300, 200); }
        QWidget m_form;
    };

    TEST_F(ButtonWidgetTest, ANewWidgetHoldsEveryPropertysNewControlValue)
    {
        m_form.setFont(QFont("Liberation Sans", 11));
        ButtonWidget widget(&m_form);
        for (const PublicProperty& row : button::publicProperties()) {
            SCOPED_TRACE(nameOf(row));
            const PublicValue held = row.get(widget.control());
            switch (row.newValue) {
            case button::NewValue::Listed:
                EXPECT_TRUE(sameValue(held, row.newControlValue));
                break;
            case button::NewValue::DisplayName:
                EXPECT_EQ(held, PublicValue(std::u16string()));
                break;
            case button::NewValue::ParentFont:
                EXPECT_EQ(held, PublicValue(toolkit::toFontDescription(m_form.font())));
                break;
            case button::NewValue::FromFont:
                EXPECT_EQ(held, PublicValue(std::int32_t(0)));
                break;
            }
        }
    }

    TEST_F(ButtonWidgetTest, EveryStoredPropertyRoundTripsThroughTheStoredSet)
    {
        for (const PublicProperty& row : button::publicProperties()) {
            if (!row.storedUnder)
                continue;
            SCOPED_TRACE(nameOf(row));
            ButtonWidget saved(&m_form);
            prepareFor(saved, row);
            const PublicValue value = changedValue(row);
            ASSERT_TRUE(row.set(saved.control(), value));
            ASSERT_TRUE(sameValue(row.get(saved.control()), value));
            saved.control().onHostWriteProperties();

            ButtonWidget loaded(&m_form);
            loaded.properties() = saved.properties();
            loaded.control().onHostReadProperties();
            EXPECT_TRUE(sameValue(row.get(loaded.control()), value));
        }
    }

    // Every row is a Qt property of the same name that reads what the
    // control holds and writes through the control's setter.
    TEST_F(ButtonWidgetTest, EveryPropertyIsAQtPropertyThatReadsAndWritesTheControl)
    {
        const QMetaObject& meta = ButtonWidget::staticMetaObject;
        for (const PublicProperty& row : button::publicProperties()) {
            SCOPED_TRACE(nameOf(row));
            const int index = meta.indexOfProperty(row.name.data());
            ASSERT_GE(index, 0);
            const QMetaProperty property = meta.property(index);
            EXPECT_TRUE(property.hasNotifySignal());
            EXPECT_TRUE(property.isWritable());

            ButtonWidget widget(&m_form);
            prepareFor(widget, row);
            const PublicValue value = changedValue(row);
            QVariant written;
            switch (row.kind) {
            case ValueKind::Enumeration:
                written = std::get<std::int32_t>(value);
                break;
            case ValueKind::Boolean:
            case ValueKind::Action:
                written = std::get<bool>(value);
                break;
            case ValueKind::Text:
                written = QString::fromStdU16String(std::get<std::u16string>(value));
                break;
            case ValueKind::Colour:
                written = toolkit::toQColor(std::get<button::OleColor>(value), widget.palette());
                break;
            case ValueKind::Font:
                written = toolkit::toQFont(std::get<button::FontDescription>(value));
                break;
            case ValueKind::Picture: {
                QPixmap pixmap(16, 16);
                pixmap.fill(Qt::red);
                written = pixmap;
                break;
            }
            }
            ASSERT_TRUE(widget.setProperty(row.name.data(), written));
            const QVariant read = widget.property(row.name.data());
            if (row.kind == ValueKind::Action) {
                EXPECT_FALSE(read.toBool()); // acts, reads False
            } else if (row.kind == ValueKind::Picture) {
                const QImage image = read.value<QPixmap>().toImage();
                ASSERT_EQ(image.size(), QSize(16, 16));
                EXPECT_EQ(image.pixelColor(8, 8), QColor(Qt::red));
            } else if (row.kind == ValueKind::Enumeration) {
                EXPECT_EQ(read.toInt(), written.toInt());
                EXPECT_EQ(row.get(widget.control()), value);
            } else {
                EXPECT_EQ(read, written);
                EXPECT_EQ(row.get(widget.control()), value);
            }
        }
    }

    TEST_F(ButtonWidgetTest, QtEnumerationsNameTheControlsValues)
    {
        const QMetaObject& meta = ButtonWidget::staticMetaObject;
        for (const PublicProperty& row : button::publicProperties()) {
            const QMetaProperty property = meta.property(meta.indexOfProperty(row.name.data()));
            if (!property.isEnumType())
                continue;
            SCOPED_TRACE(nameOf(row));
            const QMetaEnum enumeration = property.enumerator();
            ASSERT_EQ(std::size_t(enumeration.keyCount()), row.valueNames.size());
            for (const button::ValueName& named : row.valueNames)
                EXPECT_EQ(
                    enumeration.keyToValue(std::string(named.identifier).c_str()), named.value);
        }
    }

    TEST_F(ButtonWidgetTest, EnumerationsAreSetByName)
    {
        ButtonWidget widget(&m_form);
        EXPECT_TRUE(widget.setProperty("ButtonStyle", "RoundedDark"));
        EXPECT_EQ(widget.control().ButtonStyle(), button::Look::RoundedDark);
        EXPECT_EQ(widget.property("ButtonStyle").value<ButtonWidget::Look>(),
            ButtonWidget::Look::RoundedDark);
    }

    TEST_F(ButtonWidgetTest, NotifySignalsFollowTheControlsChanges)
    {
        ButtonWidget widget(&m_form);
        QSignalSpy caption(&widget, &ButtonWidget::captionChanged);
        QSignalSpy back(&widget, &ButtonWidget::backColorChanged);
        QSignalSpy hoverBack(&widget, &ButtonWidget::hoverBackColorChanged);
        widget.control().setCaption(u"x"); // not through the widget
        widget.setBackColor(Qt::green); // the hover face follows (locks)
        EXPECT_EQ(caption.count(), 1);
        EXPECT_EQ(back.count(), 1);
        EXPECT_EQ(hoverBack.count(), 1);
    }

    TEST_F(ButtonWidgetTest, ARefusedFontIsReportedAndChangesNothing)
    {
        ButtonWidget widget(&m_form);
        const auto before = widget.control().Font();
        QFont nameless;
        nameless.setFamily(QString());
        widget.setCaptionFont(nameless);
        EXPECT_FALSE(widget.lastRefusal().isEmpty());
        EXPECT_EQ(widget.control().Font(), before);
        widget.setCaption("ok");
        EXPECT_TRUE(widget.lastRefusal().isEmpty());
    }

    TEST_F(ButtonWidgetTest, TheSizeHintGrowsWithTheCaptionAndTheFont)
    {
        ButtonWidget widget("OK", &m_form);
        const QSize small = widget.sizeHint();
        EXPECT_GE(small.width(), 75);
        EXPECT_GT(small.height(), QFontMetrics(widget.font()).height());

        widget.setCaption("A caption much longer than the smallest width");
        const QSize longer = widget.sizeHint();
        EXPECT_GT(longer.width(), small.width());
        EXPECT_EQ(longer.height(), small.height());

        widget.setCaption("two||lines");
        EXPECT_GT(widget.sizeHint().height(), small.height());

        widget.setCaption("A caption much longer than the smallest width");
        QFont bigger = widget.captionFont();
        bigger.setPointSizeF(bigger.pointSizeF() * 2);
        widget.setCaptionFont(bigger);
        EXPECT_GT(widget.sizeHint().width(), longer.width());
        EXPECT_GT(widget.sizeHint().height(), longer.height());
        EXPECT_LE(widget.minimumSizeHint().width(), widget.sizeHint().width());
    }

    TEST_F(ButtonWidgetTest, ALayoutGivesItItsHintedHeight)
    {
        auto* layout = new QVBoxLayout(&m_form);
        auto* widget = new ButtonWidget("Create", &m_form);
        layout->addWidget(widget);
        layout->addStretch();
        m_form.show();
        QTest::qWait(0);
        EXPECT_EQ(widget->height(), widget->sizeHint().height());
        EXPECT_EQ(widget->control().scaleHeight(), float(widget->sizeHint().height()));
        EXPECT_GT(widget->width(), widget->sizeHint().width()); // stretched across
    }

    TEST_F(ButtonWidgetTest, TheWidgetsFontAndEnabledFlagAreTheControls)
    {
        auto* holder = new QWidget(&m_form);
        ButtonWidget widget(holder);
        widget.setFont(QFont("Liberation Serif", 15));
        ASSERT_TRUE(widget.control().Font());
        EXPECT_EQ(widget.control().Font()->name, u"Liberation Serif");
        EXPECT_EQ(widget.control().Font()->points, 15);

        widget.setEnabled(false);
        EXPECT_FALSE(widget.control().Enabled().isSet());
        widget.setEnabled(true);
        holder->setEnabled(false); // disables it in Qt's eyes only
        EXPECT_FALSE(widget.isEnabled());
        EXPECT_TRUE(widget.control().Enabled().isSet());
    }

    class ButtonWidgetSignalsTest : public ButtonWidgetTest
    {
    protected:
        ButtonWidgetSignalsTest()
        {
            m_form.show();
            (void)QTest::qWaitForWindowExposed(&m_form);
        }
        void click(ButtonWidget& widget) { QTest::mouseClick(&widget, Qt::LeftButton); }
    };

    TEST_F(ButtonWidgetSignalsTest, AClickEmitsPressedReleasedAndClickedOnceEach)
    {
        ButtonWidget widget("OK", &m_form);
        widget.show();
        std::vector<std::string> order;
        int handlerRuns = 0;
        widget.control().events().Click = [&] { ++handlerRuns; };
        QObject::connect(&widget, &ButtonWidget::pressed, [&] { order.push_back("pressed"); });
        QObject::connect(&widget, &ButtonWidget::released, [&] { order.push_back("released"); });
        QObject::connect(&widget, &ButtonWidget::clicked, [&] { order.push_back("clicked"); });
        click(widget);
        EXPECT_EQ(order, (std::vector<std::string> { "pressed", "clicked", "released" }));
        EXPECT_EQ(handlerRuns, 1); // the event table still runs

        order.clear();
        widget.setFocus();
        QTest::keyClick(&widget, Qt::Key_Space);
        EXPECT_EQ(order, (std::vector<std::string> { "pressed", "clicked", "released" }));
    }

    TEST_F(ButtonWidgetSignalsTest, ACheckBoxTogglesBothWays)
    {
        ButtonWidget widget("Bold", &m_form);
        widget.setMode(ButtonWidget::ButtonMode::CheckBox);
        widget.show();
        QSignalSpy toggled(&widget, &ButtonWidget::toggled);
        click(widget);
        click(widget);
        ASSERT_EQ(toggled.count(), 2);
        EXPECT_TRUE(toggled[0][0].toBool());
        EXPECT_FALSE(toggled[1][0].toBool());
    }

    TEST_F(ButtonWidgetSignalsTest, AnOptionGroupsClearedMemberReportsFalse)
    {
        ButtonWidget first("A", &m_form);
        ButtonWidget second("B", &m_form);
        second.move(0, 60);
        for (ButtonWidget* option : { &first, &second }) {
            option->setMode(ButtonWidget::ButtonMode::OptionButton);
            option->show();
        }
        click(first);
        QSignalSpy firstToggled(&first, &ButtonWidget::toggled);
        QSignalSpy secondToggled(&second, &ButtonWidget::toggled);
        click(second);
        ASSERT_EQ(firstToggled.count(), 1);
        EXPECT_FALSE(firstToggled[0][0].toBool());
        ASSERT_EQ(secondToggled.count(), 1);
        EXPECT_TRUE(secondToggled[0][0].toBool());
        click(second); // a selected option stays selected
        EXPECT_EQ(secondToggled.count(), 1);
    }

    TEST_F(ButtonWidgetSignalsTest, AClickedSlotMayDeleteTheWidget)
    {
        auto* widget = new ButtonWidget("Close", &m_form);
        widget->show();
        QPointer<ButtonWidget> watch(widget);
        QObject::connect(widget, &ButtonWidget::clicked, [widget] { delete widget; });
        click(*widget);
        EXPECT_TRUE(watch.isNull());
    }

} // namespace
} // namespace bastara::button_host

namespace bastara::button_host {
namespace {

    std::string utf8(std::u16string_view text)
    {
        return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
    }

    std::string newControlText(const PublicProperty& row)
    {
        switch (row.newValue) {
        case button::NewValue::DisplayName:
            return "the object name";
        case button::NewValue::ParentFont:
            return "the parent's font";
        case button::NewValue::FromFont:
            return "the font's";
        case button::NewValue::Listed:
            break;
        }
        const PublicValue& v = row.newControlValue;
        if (row.kind == ValueKind::Action)
            return "(an action)";
        if (const auto* number = std::get_if<std::int32_t>(&v)) {
            for (const button::ValueName& named : row.valueNames)
                if (named.value == *number)
                    return std::string(named.identifier);
            return std::to_string(*number);
        }
        if (const auto* flag = std::get_if<bool>(&v))
            return *flag ? "True" : "False";
        if (const auto* colour = std::get_if<button::OleColor>(&v))
            return utf8(button::colourName(*colour));
        return "none";
    }

    // The README's reference, as the table and the widget's Qt properties
    // make it.
    std::string propertyReference()
    {
        std::string text = "| Property | Qt type | Stored as | New button | Description |\n"
                           "|---|---|---|---|---|\n";
        const QMetaObject& meta = ButtonWidget::staticMetaObject;
        for (const PublicProperty& row : button::publicProperties()) {
            const QMetaProperty property = meta.property(meta.indexOfProperty(row.name.data()));
            std::string type = property.typeName();
            if (const auto scope = type.rfind("::"); scope != std::string::npos)
                type = "ButtonWidget::" + type.substr(scope + 2);
            const std::string stored
                = row.storedUnder ? "`" + utf8(button::keyOf(*row.storedUnder)) + "`" : "—";
            std::string description;
            for (const char c : row.description)
                description += c == '|' ? std::string("\\|") : std::string(1, c);
            text += "| `" + std::string(row.name) + "` | `" + type + "` | " + stored + " | "
                + newControlText(row) + " | " + description + " |\n";
        }
        return text;
    }

    TEST(PropertyReference, TheReadmeListsEveryPropertyAsTheTableHasIt)
    {
        const QString readmePath = QStringLiteral(BASTARA_README_PATH);
        QFile file(readmePath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << readmePath.toStdString();
        const std::string readme = file.readAll().toStdString();
        const std::string begin = "<!-- property reference: begin -->\n";
        const std::string end = "<!-- property reference: end -->";
        const auto from = readme.find(begin);
        const auto to = readme.find(end);
        ASSERT_NE(from, std::string::npos);
        ASSERT_NE(to, std::string::npos);
        const std::string listed = readme.substr(from + begin.size(), to - from - begin.size());
        const std::string expected = propertyReference();
        if (listed != expected && qEnvironmentVariableIsSet("BASTARA_UPDATE_README")) {
            file.close();
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            const std::string updated
                = readme.substr(0, from + begin.size()) + expected + readme.substr(to);
            file.write(updated.data(), qint64(updated.size()));
            return;
        }
        EXPECT_EQ(listed, expected)
            << "run the test with BASTARA_UPDATE_README=1 to write the table into README.md";
    }

} // namespace
} // namespace bastara::button_host
