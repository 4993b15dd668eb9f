#include "button/option_group.h"
#include "hosted_buttons.h"
#include "platform/window/capture.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <functional>

namespace bastara::button_host::test {
namespace {

    // One user action on a button whose pointer rests on it and which has the
    // focus, and everything it reports, in order.
    struct InputRow {
        const char* name;
        ButtonMode mode;
        Bool16 value;
        std::function<void(HostedButtonsTest&, ControlHost&)> act;
        const char* expected;
    };

    class InputOrderTest : public HostedButtonsTest, public testing::WithParamInterface<InputRow>
    { };

    void key(ControlHost& host, Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&host, k, modifiers);
    }

    const InputRow kInputRows[] = {
        { "LeftClickOnACommandButton", ButtonMode::Command, kFalse,
            [](auto& t, auto& h) { t.click(t.centreOf(h)); },
            "draw:pressed MouseDown(1) draw MouseUp(1) Click" },
        { "LeftClickOnACheckBox", ButtonMode::CheckBox, kFalse,
            [](auto& t, auto& h) { t.click(t.centreOf(h)); },
            "draw:pressed MouseDown(1) MouseUp(1) draw:checked Click" },
        { "LeftClickOnASelectedOptionButton", ButtonMode::Option, kTrue,
            [](auto& t, auto& h) { t.click(t.centreOf(h)); },
            "draw:pressed:checked MouseDown(1) MouseUp(1)" },
        { "RightClick", ButtonMode::CheckBox, kFalse,
            [](auto& t, auto& h) { t.click(t.centreOf(h), Qt::RightButton); },
            "MouseDown(2) MouseUp(2)" },
        { "DoubleClick", ButtonMode::Command, kFalse,
            [](auto& t, auto& h) { t.doubleClick(t.centreOf(h)); },
            "draw:pressed MouseDown(1) draw MouseUp(1) Click "
            "DoubleClick(1) draw:pressed MouseDown(1) draw MouseUp(1)" },
        { "SpaceOnACommandButton", ButtonMode::Command, kFalse,
            [](auto&, auto& h) { key(h, Qt::Key_Space); },
            "draw:pressed KeyDown(32) KeyPress(32) draw Click KeyUp(32)" },
        { "SpaceOnACheckBox", ButtonMode::CheckBox, kFalse,
            [](auto&, auto& h) { key(h, Qt::Key_Space); },
            "draw:pressed KeyDown(32) KeyPress(32) KeyUp(32) draw:checked Click" },
        { "EnterOnTheDefaultCommandButton", ButtonMode::Command, kFalse,
            [](auto&, auto& h) { key(h, Qt::Key_Return); }, "Click" },
        { "EnterOnTheDefaultCheckBox", ButtonMode::CheckBox, kFalse,
            [](auto&, auto& h) { key(h, Qt::Key_Return); }, "" },
        { "AccessKeyOfACheckBox", ButtonMode::CheckBox, kFalse,
            [](auto&, auto& h) { key(h, Qt::Key_A, Qt::AltModifier); },
            "KeyDown(18) draw:checked Click KeyUp(18)" },
        { "ArrowKeys", ButtonMode::Command, kFalse,
            [](auto&, auto& h) {
                for (Qt::Key k : { Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down })
                    key(h, k);
            },
            "" },
        // The group's former selection is redrawn first.
        { "ArrowReleasedOnAnUnselectedOptionButton", ButtonMode::Option, kFalse,
            [](auto&, auto& h) { key(h, Qt::Key_Down); }, "draw draw:checked Click" },
        { "Shift", ButtonMode::Command, kFalse, [](auto&, auto& h) { key(h, Qt::Key_Shift); },
            "KeyDown(16)" },
    };

    TEST_P(InputOrderTest, RaisesTheEventsInOrder)
    {
        const InputRow& row = GetParam();
        // An option button has a group whose selection is elsewhere, so the
        // focus alone selects nothing.
        if (row.mode == ButtonMode::Option && row.value.isFalse())
            addButton({ 10, 60, 60, 20 }, ButtonMode::Option, kTrue);
        ControlHost& host = addButton({ 10, 10, 60, 20 }, row.mode, row.value);
        host.setDefault(true);
        host.services().setAccessKeys(u"A");
        show();
        host.setFocus(Qt::TabFocusReason);
        moveTo(centreOf(host));
        takeLog();

        row.act(*this, host);
        EXPECT_EQ(takeLog(), row.expected);
    }

    INSTANTIATE_TEST_SUITE_P(Rows, InputOrderTest, testing::ValuesIn(kInputRows),
        [](const auto& row) { return std::string(row.param.name); });

    class InputTest : public HostedButtonsTest
    { };

    TEST_F(InputTest, TheRightButtonChangesNoFlagAndCapturesNothing)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        show();
        moveTo(centreOf(host));
        const std::uint16_t flags = host.control().state().stateFlags;
        press(centreOf(host), Qt::RightButton);
        EXPECT_EQ(host.control().state().stateFlags, flags);
        EXPECT_EQ(host.control().state().pressHeld, kFalse);
        EXPECT_EQ(window::getCapture(), 0);
        release(centreOf(host), Qt::RightButton);
        EXPECT_EQ(host.control().state().lastMouseButton, 2);
    }

    TEST_F(InputTest, HeldSpaceDrawsThePressedLookOnceAndClicksBeforeKeyUp)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        show();
        host.setFocus(Qt::TabFocusReason);
        takeLog();
        // X11 reports a held key as release and press pairs marked as repeats.
        QTest::keyPress(&host, Qt::Key_Space);
        for (int i = 0; i < 2; ++i) {
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
            QApplication::sendEvent(&host, &up);
            QApplication::sendEvent(&host, &down);
        }
        QTest::keyRelease(&host, Qt::Key_Space);
        EXPECT_EQ(takeLog(),
            "draw:pressed KeyDown(32) KeyPress(32) KeyDown(32) KeyPress(32) KeyDown(32) "
            "KeyPress(32) draw Click KeyUp(32)");
    }

    TEST_F(InputTest, ArrowKeysGoToTheContainerWithTheirPlatformNumbers)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        struct Catch : QObject {
            std::vector<std::array<quint32, 3>> keys;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::KeyPress) {
                    const auto* k = static_cast<QKeyEvent*>(e);
                    keys.push_back(
                        { k->nativeVirtualKey(), k->nativeScanCode(), quint32(k->count()) });
                }
                return false;
            }
        } container;
        m_form.installEventFilter(&container);
        show();
        host.setFocus(Qt::TabFocusReason);
        key(host, Qt::Key_Right);
        key(host, Qt::Key_Up);
        QApplication::processEvents();
        EXPECT_EQ(container.keys,
            (std::vector<std::array<quint32, 3>> { { 0x27, 0x4D, 1 }, { 0x26, 0x48, 1 } }));
    }

    // Focus tables: what arrives by which reason, onto an option button.
    TEST_F(InputTest, FocusSelectsAnOptionButtonOnlyInAGroupWithoutSelection)
    {
        struct Row {
            Qt::FocusReason reason;
            bool otherSelected;
            Bool16 expected;
        };
        const Row rows[] = {
            { Qt::TabFocusReason, false, kTrue },
            { Qt::BacktabFocusReason, false, kTrue },
            { Qt::TabFocusReason, true, kFalse },
            { Qt::ActiveWindowFocusReason, false, kFalse },
        };
        show();
        int y = 0;
        for (const Row& row : rows) {
            auto* frame = new QWidget(&m_form);
            frame->setGeometry(0, y, 300, 30);
            frame->show();
            y += 30;
            ControlHost& other
                = addButton({ 0, 0, 60, 20 }, ButtonMode::Option, Bool16(row.otherSelected), frame);
            ControlHost& host = addButton({ 70, 0, 60, 20 }, ButtonMode::Option, kFalse, frame);
            takeLog();
            host.setFocus(row.reason);
            SCOPED_TRACE(int(row.reason));
            EXPECT_EQ(host.control().Value(), row.expected);
            EXPECT_EQ(
                std::count(m_log.begin(), m_log.end(), "Click"), row.expected.isTrue() ? 1 : 0);
            EXPECT_EQ(other.control().Value(), Bool16(row.otherSelected));
        }
    }

    TEST_F(InputTest, ABackColourChangeRedrawsOnlyOvalAndPictureShapesAndTheFlatLook)
    {
        struct Row {
            button::Shape shape;
            button::Look look;
            const char* expected;
        };
        const Row rows[] = {
            { button::Shape::Rectangle, button::Look::Classic, "" },
            { button::Shape::Parallelogram, button::Look::Classic, "" },
            { button::Shape::Oval, button::Look::Classic, "draw" },
            { button::Shape::PictureRimmed, button::Look::Etched, "draw" },
            { button::Shape::Rectangle, button::Look::FlatHover, "draw" },
        };
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        button::OleColor colour { 0x000000FF };
        for (const Row& row : rows) {
            host.control().state().buttonShape = row.shape;
            host.control().state().buttonStyle = row.look;
            takeLog();
            AmbientSettings ambient = host.ambient();
            ambient.backColor = colour = button::OleColor { colour.value + 1 };
            host.setAmbient(ambient);
            EXPECT_EQ(takeLog(), row.expected);
            EXPECT_EQ(host.control().state().parentBackColor, button::TranslateColor(colour));
        }
    }

    // Enter belongs to the button showing as the default one: the focused
    // button, else the window's default button; Escape to the cancel button.
    TEST_F(InputTest, EnterAndEscapeReachTheWindowsDefaultAndCancelButtons)
    {
        ControlHost& a = addButton({ 10, 10, 60, 20 });
        ControlHost& ok = addButton({ 80, 10, 60, 20 });
        ControlHost& cancel = addButton({ 150, 10, 60, 20 });
        auto* edit = new QLineEdit(&m_form);
        edit->setGeometry(10, 60, 100, 20);
        auto* other = new QPushButton(&m_form);
        other->setGeometry(120, 60, 60, 20);
        ok.setDefault(true);
        cancel.setCancel(true);
        for (auto [h, name] : { std::pair { &a, "a" }, { &ok, "ok" }, { &cancel, "cancel" } })
            h->control().events().Click = [this, name = name] { m_log.push_back(name); };
        show();

        struct Row {
            QWidget* focus;
            Qt::Key key;
            const char* clicked;
            ControlHost* showsDefault;
        };
        const Row rows[] = {
            { edit, Qt::Key_Return, "ok", &ok },
            { &a, Qt::Key_Return, "a", &a },
            { other, Qt::Key_Return, "", nullptr },
            { edit, Qt::Key_Escape, "cancel", &ok },
        };
        for (const Row& row : rows) {
            row.focus->setFocus(Qt::TabFocusReason);
            takeLog();
            QTest::keyClick(row.focus, row.key);
            for (ControlHost* h : { &a, &ok, &cancel })
                EXPECT_EQ(h->control().state().isDefaultLook(), h == row.showsDefault);
            std::erase(m_log, "draw");
            EXPECT_EQ(takeLog(), row.clicked);
        }
    }

    // While a designer edits the form, Enter, Escape and access keys typed
    // anywhere in its window are the designer's: they click no button (a check
    // box would change its Value).
    TEST_F(InputTest, InADesignerTheWindowsKeysClickNoButton)
    {
        ControlHost& ok = addButton({ 10, 10, 60, 20 });
        ControlHost& cancel = addButton({ 80, 10, 60, 20 }, ButtonMode::CheckBox);
        auto* edit = new QLineEdit(&m_form);
        edit->setGeometry(10, 60, 100, 20);
        cancel.control().setCaption(u"&Cancel");
        for (ControlHost* h : { &ok, &cancel }) {
            AmbientSettings design = h->ambient();
            design.userMode = false;
            h->setAmbient(design);
            h->control().events().Click = [this] { m_log.push_back("Click"); };
        }
        ok.setDefault(true);
        cancel.setCancel(true);
        show();
        edit->setFocus(Qt::TabFocusReason);
        takeLog();
        for (auto [key, modifiers] : { std::pair { Qt::Key_Return, Qt::NoModifier },
                 { Qt::Key_Escape, Qt::NoModifier }, { Qt::Key_C, Qt::AltModifier } })
            QTest::keyClick(edit, key, modifiers);
        std::erase(m_log, "draw");
        EXPECT_EQ(takeLog(), "");
        EXPECT_TRUE(cancel.control().Value().isFalse());
        EXPECT_TRUE(ok.control().state().isDefaultLook());
    }

    // A handler's change to a by-reference argument is what the host acts on.
    TEST_F(InputTest, HandlersChangeWhatTheHostReceives)
    {
        struct Row {
            const char* name;
            std::function<void(button::ButtonEvents&)> handle;
            Qt::Key key;
            bool otherClicked;
        };
        const Row rows[] = {
            { "unchanged", [](auto&) {}, Qt::Key_B, true },
            { "KeyAscii 0 swallows the key",
                [](auto& e) { e.KeyPress = [](std::int16_t& a) { a = 0; }; }, Qt::Key_B, false },
            { "KeyAscii changed to another access key",
                [](auto& e) { e.KeyPress = [](std::int16_t& a) { a = 'b'; }; }, Qt::Key_X, true },
            { "KeyCode 0 swallows the key",
                [](auto& e) { e.KeyDown = [](std::int16_t& k, std::int16_t&) { k = 0; }; },
                Qt::Key_B, false },
        };
        ControlHost& focused = addButton({ 10, 10, 60, 20 });
        ControlHost& other = addButton({ 80, 10, 60, 20 });
        other.services().setAccessKeys(u"b");
        bool clicked = false;
        other.control().events().Click = [&] { clicked = true; };
        show();
        focused.setFocus(Qt::TabFocusReason);
        for (const Row& row : rows) {
            focused.control().events() = {};
            row.handle(focused.control().events());
            clicked = false;
            QTest::keyClick(&focused, row.key);
            EXPECT_EQ(clicked, row.otherClicked) << row.name;
        }

        // A drop takes the effect the handler leaves.
        focused.setAcceptDrops(true);
        for (std::int32_t effect : { 0, 1, 2 }) {
            focused.control().events().OLEDragDrop
                = [&](button::DataObject& data, std::int32_t& e, auto&, auto&, auto&, auto&) {
                      EXPECT_EQ(data.formats(), std::vector<std::u16string> { u"text/plain" });
                      e = effect;
                  };
            QMimeData mime;
            mime.setText("x");
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::NoButton,
                Qt::NoModifier);
            // The application passes on drag events only during a real drag;
            // the widget takes this one straight.
            static_cast<QObject&>(focused).event(&drop);
            EXPECT_EQ(drop.isAccepted(), effect != 0);
            if (effect != 0) {
                EXPECT_EQ(int(drop.dropAction()), effect);
            }
        }
    }

    TEST_F(InputTest, AClickOutsideAnOvalButtonsOutlineDoesNotReachIt)
    {
        ControlHost& host = addButton({ 10, 10, 80, 40 });
        host.control().state().buttonShape = button::Shape::Oval;
        host.control().BuildShapeRegions();
        int clicks = 0;
        host.control().events().Click = [&] { ++clicks; };
        show();
        click(host.geometry().topLeft() + QPoint(2, 2));
        EXPECT_EQ(clicks, 0);
        click(centreOf(host));
        EXPECT_EQ(clicks, 1);
    }

    // What a button's own platform call causes comes to the control after the
    // call: disabling the focused button moves the focus on at once, and the
    // option button it lands on selects itself only afterwards.
    TEST_F(InputTest, FocusMovedByDisablingAButtonArrivesAfterTheCall)
    {
        ControlHost& first = addButton({ 10, 10, 60, 20 });
        ControlHost& next = addButton({ 80, 10, 60, 20 }, ButtonMode::Option);
        show();
        first.setFocus(Qt::TabFocusReason);
        first.services().setEnabled(false);
        EXPECT_EQ(QApplication::focusWidget(), &next);
        EXPECT_EQ(next.control().Value(), kFalse);
        QApplication::processEvents();
        EXPECT_EQ(next.control().Value(), kTrue);
    }

    // An application handler may destroy the button from inside any event
    // (and go on with its own work); nothing touches the button afterwards.
    TEST_F(InputTest, AHandlerMayDestroyTheButton)
    {
        struct Row {
            const char* name;
            std::function<void(button::ButtonEvents&, std::function<void()>)> hook;
            std::function<void(HostedButtonsTest&, QPoint)> act;
        };
        const Row rows[] = {
            { "inside Click from the mouse", [](auto& e, auto destroy) { e.Click = destroy; },
                [](auto& t, QPoint p) { t.click(p); } },
            { "inside Click from the space bar", [](auto& e, auto destroy) { e.Click = destroy; },
                [](auto&, QPoint) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                } },
            { "inside MouseOnButton",
                [](auto& e, auto destroy) { e.MouseOnButton = [destroy](auto&) { destroy(); }; },
                [](auto& t, QPoint p) { t.moveTo(p); } },
            { "inside DoubleClick",
                [](auto& e, auto destroy) { e.DoubleClick = [destroy](auto&) { destroy(); }; },
                [](auto& t, QPoint p) { t.doubleClick(p); } },
        };
        show();
        for (const Row& row : rows) {
            QPointer<ControlHost> host = &addButton({ 10, 10, 60, 20 });
            host->setFocus(Qt::TabFocusReason);
            row.hook(host->control().events(), [&host, this] {
                delete host.data();
                m_log.push_back("destroyed");
            });
            row.act(*this, centreOf(*host));
            EXPECT_TRUE(host.isNull()) << row.name;
            EXPECT_EQ(m_log.back(), "destroyed") << row.name;
            delete host.data();
            moveTo(kRestingPoint);
        }
    }

} // namespace
} // namespace bastara::button_host::test
