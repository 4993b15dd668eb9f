// Dragging from a button: the data its handlers fill or promise, the format
// numbers the events use, and the order of the source's events.

#include "button/data_formats.h"
#include "button_host/drag_source.h"
#include "hosted_buttons.h"

#include <QTimer>

namespace bastara::button_host::test {
namespace {

    std::vector<std::uint8_t> bytes(const char* text)
    {
        return { text, text + std::char_traits<char>::length(text) };
    }

    TEST(DataFormats, StandardNumbersAndRegisteredOnesNameTheirFormat)
    {
        const std::pair<std::int16_t, std::u16string> standard[] = {
            { 1, u"text/plain" },
            { 2, u"image/bmp" },
            { 15, u"text/uri-list" },
            { -16639, u"text/rtf" },
        };
        for (const auto& [number, name] : standard) {
            EXPECT_EQ(button::dataFormatNumber(name), number);
            EXPECT_EQ(button::dataFormatName(number), name);
        }
        const std::int16_t own = button::dataFormatNumber(u"application/x-bastara-row");
        EXPECT_GE(std::uint16_t(own), 0xC000);
        EXPECT_EQ(button::dataFormatNumber(u"application/x-bastara-row"), own);
        EXPECT_NE(button::dataFormatNumber(u"application/x-bastara-other"), own);
        EXPECT_EQ(button::dataFormatName(own), u"application/x-bastara-row");
        EXPECT_EQ(button::dataFormatNumber(u""), 0);
        EXPECT_EQ(button::dataFormatName(-1), u"");
    }

    TEST(DragSource, APromisedFormatIsRenderedOnceWhenATargetAsksForIt)
    {
        DragSourceData source;
        button::DataObject& data = source.dataObject();
        ASSERT_TRUE(data.setData(u"text/plain", bytes("now")));
        ASSERT_TRUE(data.promise(u"text/html"));
        std::vector<QString> asked;
        source.setRender([&](const QString& format) {
            asked.push_back(format);
            EXPECT_TRUE(data.data(u"text/html").empty()); // reading while rendering renders nothing
            data.setData(u"text/html", bytes("<b>later</b>"));
        });
        EXPECT_TRUE(source.hasFormat(QStringLiteral("text/html")));
        EXPECT_EQ(source.formats().size(), 2);
        EXPECT_EQ(source.data(QStringLiteral("text/plain")), "now");
        EXPECT_TRUE(asked.empty());
        EXPECT_EQ(source.data(QStringLiteral("text/html")), "<b>later</b>");
        EXPECT_EQ(source.data(QStringLiteral("text/html")), "<b>later</b>");
        EXPECT_EQ(asked, std::vector<QString> { QStringLiteral("text/html") });

        EXPECT_TRUE(data.clear());
        EXPECT_TRUE(data.formats().empty());
        EXPECT_FALSE(data.setData(u"", bytes("x")));
    }

    TEST(DragSource, ARenderHandlerMayEndTheDataItRenders)
    {
        QPointer<DragSourceData> source = new DragSourceData;
        ASSERT_TRUE(source->dataObject().promise(u"text/html"));
        source->setRender([&source](const QString&) { delete source.data(); });
        const QMimeData& asked = *source;
        EXPECT_TRUE(asked.data(QStringLiteral("text/html")).isEmpty());
        EXPECT_TRUE(source.isNull());
    }

    class DragTest : public HostedButtonsTest
    {
    protected:
        void recordDrag(ControlHost& host, std::int32_t allowed)
        {
            button::ButtonEvents& e = host.control().events();
            e.OLEStartDrag = [this, allowed](button::DataObject& data, std::int32_t& effects) {
                m_log.push_back("OLEStartDrag(" + std::to_string(effects) + ")");
                data.setData(u"text/plain", bytes("row"));
                effects = allowed;
            };
            e.OLECompleteDrag = [this](std::int32_t& effect) {
                m_log.push_back("OLECompleteDrag(" + std::to_string(effect) + ")");
            };
        }
    };

    TEST_F(DragTest, NoAllowedEffectCancelsBeforeTheDragAndACancelledDragCompletesWithNoEffect)
    {
        ControlHost& host = addButton({ 10, 10, 80, 40 });
        show();
        takeLog();
        recordDrag(host, 0);
        host.beginDrag();
        EXPECT_EQ(takeLog(), "OLEStartDrag(3)");

        // Escape ends the drag where the platform runs one (the offscreen
        // platform ends it at once).
        recordDrag(host, 1);
        QTimer::singleShot(50, [] {
            QWidget* target = QApplication::activeWindow();
            if (target)
                QTest::keyClick(target, Qt::Key_Escape);
        });
        host.beginDrag();
        EXPECT_EQ(takeLog(), "OLEStartDrag(3) OLECompleteDrag(0)");
    }

    TEST_F(DragTest, AStartHandlerMayDestroyTheButton)
    {
        QPointer<ControlHost> host = &addButton({ 10, 10, 80, 40 });
        show();
        host->control().events().OLEStartDrag
            = [&host](button::DataObject&, std::int32_t& effects) {
                  effects = 1;
                  delete host.data();
              };
        host->beginDrag();
        EXPECT_TRUE(host.isNull());
    }

} // namespace
} // namespace bastara::button_host::test
