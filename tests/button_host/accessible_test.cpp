#include "button_host/accessible_button.h"
#include "hosted_buttons.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <algorithm>

namespace bastara::button_host::test {
namespace {

    // What readers are told, as (object, event type, changed states).
    struct ReportedEvent {
        QObject* object;
        QAccessible::Event type;
        QAccessible::State changed;
    };
    std::vector<ReportedEvent> g_reported;

    void recordEvent(QAccessibleEvent& event)
    {
        QAccessible::State changed;
        if (event.type() == QAccessible::StateChanged)
            changed = static_cast<QAccessibleStateChangeEvent&>(event).changedStates();
        g_reported.push_back({ event.object(), event.type(), changed });
    }

    class AccessibleButtonTest : public HostedButtonsTest
    {
    public:
        AccessibleButtonTest() { g_reported.clear(); }

        static QAccessibleInterface& accessibleOf(QWidget& widget)
        {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
            EXPECT_NE(accessible, nullptr);
            return *accessible;
        }
        // Runs an action as a reader asks for it; its effect comes from the
        // event loop.
        static void doAction(QWidget& widget, const QString& name)
        {
            accessibleOf(widget).actionInterface()->doAction(name);
            QApplication::processEvents();
        }
        // How many events of this type, with this state among the changed
        // ones, were reported for the object.
        using StateTest = bool (*)(const QAccessible::State&);
        static long reported(QObject* object, QAccessible::Event type, StateTest changed = nullptr)
        {
            return std::count_if(g_reported.begin(), g_reported.end(), [&](const auto& e) {
                return e.object == object && e.type == type && (!changed || changed(e.changed));
            });
        }
        static bool checked(const QAccessible::State& s) { return s.checked; }
        static bool defaultButton(const QAccessible::State& s) { return s.defaultButton; }

        ScopedReaderTap m_tap { &recordEvent };
    };

    struct ModeRow {
        const char* name;
        ButtonMode mode;
        Bool16 value;
        bool enabled;
        QAccessible::Role role;
        bool checked;
        QStringList actions;
    };

    class AccessibleModeTest : public AccessibleButtonTest,
                               public testing::WithParamInterface<ModeRow>
    { };

    const QString kPress = QAccessibleActionInterface::pressAction();
    const QString kToggle = QAccessibleActionInterface::toggleAction();
    const QString kFocus = QAccessibleActionInterface::setFocusAction();

    const ModeRow kModeRows[] = {
        { "Command", ButtonMode::Command, kFalse, true, QAccessible::Button, false,
            { kPress, kFocus } },
        { "CheckBoxOff", ButtonMode::CheckBox, kFalse, true, QAccessible::CheckBox, false,
            { kPress, kToggle, kFocus } },
        { "CheckBoxOn", ButtonMode::CheckBox, kTrue, true, QAccessible::CheckBox, true,
            { kPress, kToggle, kFocus } },
        { "OptionOn", ButtonMode::Option, kTrue, true, QAccessible::RadioButton, true,
            { kPress, kToggle, kFocus } },
        { "DisabledCommand", ButtonMode::Command, kFalse, false, QAccessible::Button, false, {} },
        { "DisabledCheckBoxOn", ButtonMode::CheckBox, kTrue, false, QAccessible::CheckBox, true,
            {} },
    };

    TEST_P(AccessibleModeTest, RoleStatesAndActionsFollowTheMode)
    {
        const ModeRow& row = GetParam();
        ControlHost& host = addButton({ 10, 10, 60, 20 }, row.mode, row.value);
        host.control().setEnabled(Bool16(row.enabled));
        QAccessibleInterface& accessible = accessibleOf(host);
        const QAccessible::State state = accessible.state();
        EXPECT_EQ(accessible.role(), row.role);
        EXPECT_EQ(bool(state.checkable), row.mode != ButtonMode::Command);
        EXPECT_EQ(bool(state.checked), row.checked);
        EXPECT_EQ(bool(state.disabled), !row.enabled);
        EXPECT_TRUE(state.focusable); // as Qt reports its own disabled buttons
        EXPECT_EQ(accessible.actionInterface()->actionNames(), row.actions);
    }

    INSTANTIATE_TEST_SUITE_P(Rows, AccessibleModeTest, testing::ValuesIn(kModeRows),
        [](const auto& row) { return std::string(row.param.name); });

    TEST_F(AccessibleButtonTest, FocusedPressedAndDefaultAreReportedAsTheyAreShown)
    {
        // The window's first focus goes to the text box.
        auto* edit = new QLineEdit(&m_form);
        edit->setGeometry(150, 10, 60, 20);
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        ControlHost& other = addButton({ 80, 10, 60, 20 });
        other.setDefault(true);
        show();
        edit->setFocus();
        QAccessibleInterface& accessible = accessibleOf(host);
        EXPECT_FALSE(accessible.state().focused);
        EXPECT_FALSE(accessible.state().defaultButton);
        EXPECT_TRUE(accessibleOf(other).state().defaultButton);

        // The focused button is the one Enter clicks, and shows it.
        host.setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(accessible.state().focused);
        EXPECT_TRUE(accessible.state().defaultButton);
        EXPECT_FALSE(accessibleOf(other).state().defaultButton);

        moveTo(centreOf(host));
        press(centreOf(host));
        EXPECT_TRUE(accessible.state().pressed);
        release(centreOf(host));
        EXPECT_FALSE(accessible.state().pressed);
    }

    TEST_F(AccessibleButtonTest, TheNameIsTheCaptionAsShownElseTheToolTipElseTheDesignName)
    {
        struct Row {
            std::u16string caption;
            QString toolTip;
            std::u16string designName;
            QString expected;
        };
        const Row rows[] = {
            { u"ساخت بانک اطلاعاتي", {}, u"kzButtons_H1", QString::fromUtf8("ساخت بانک اطلاعاتي") },
            { u"Save && E&xit", {}, {}, QStringLiteral("Save & Exit") },
            { u"Two||lines", {}, {}, QStringLiteral("Two lines") },
            { u"50&", {}, {}, QStringLiteral("50&") },
            { u"", QStringLiteral("Add"), u"Button1", QStringLiteral("Add") },
            { u"", {}, u"Button1", QStringLiteral("Button1") },
        };
        for (const Row& row : rows) {
            ControlHost& host = addButton({ 10, 10, 60, 20 });
            AmbientSettings ambient = host.ambient();
            ambient.displayName = row.designName;
            host.setAmbient(ambient);
            host.setToolTip(row.toolTip);
            host.control().setCaption(row.caption);
            EXPECT_EQ(accessibleOf(host).text(QAccessible::Name), row.expected)
                << QString::fromStdU16String(row.caption).toStdString();
        }
    }

    TEST_F(AccessibleButtonTest, TheAccessKeyIsTheShortcutOfPress)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        EXPECT_EQ(accessibleOf(host).text(QAccessible::Accelerator), QString());
        host.control().setCaption(u"E&xit");
        EXPECT_EQ(accessibleOf(host).text(QAccessible::Accelerator), QStringLiteral("Alt+X"));
        EXPECT_EQ(accessibleOf(host).actionInterface()->keyBindingsForAction(kPress),
            QStringList { QStringLiteral("Alt+X") });
    }

    // Each action on a button whose group (for option buttons) has another
    // button selected, and what the button then reports.
    struct ActionRow {
        const char* name;
        ButtonMode mode;
        Bool16 value;
        bool enabled;
        QString action;
        const char* expectedLog;
        Bool16 expectedValue;
        Bool16 expectedOther; // the other option button of the group
    };

    class AccessibleActionTest : public AccessibleButtonTest,
                                 public testing::WithParamInterface<ActionRow>
    { };

    const ActionRow kActionRows[] = {
        { "PressACommandButton", ButtonMode::Command, kFalse, true, kPress, "Click", kFalse,
            kTrue },
        { "PressACheckBox", ButtonMode::CheckBox, kFalse, true, kPress, "draw:checked Click", kTrue,
            kTrue },
        { "ToggleACheckedCheckBox", ButtonMode::CheckBox, kTrue, true, kToggle, "draw Click",
            kFalse, kTrue },
        { "ToggleAnOptionButton", ButtonMode::Option, kFalse, true, kToggle,
            "draw draw:checked Click", kTrue, kFalse },
        { "PressASelectedOptionButton", ButtonMode::Option, kTrue, true, kPress, "", kTrue,
            kFalse },
        { "ToggleACommandButton", ButtonMode::Command, kFalse, true, kToggle, "", kFalse, kTrue },
        { "PressADisabledButton", ButtonMode::Command, kFalse, false, kPress, "", kFalse, kTrue },
        { "ToggleADisabledCheckBox", ButtonMode::CheckBox, kFalse, false, kToggle, "", kFalse,
            kTrue },
    };

    TEST_P(AccessibleActionTest, RunsTheClickOfTheMouse)
    {
        const ActionRow& row = GetParam();
        // The group's other button starts selected unless this one is.
        ControlHost& other = addButton({ 10, 60, 60, 20 }, ButtonMode::Option,
            Bool16(!(row.mode == ButtonMode::Option && row.value.isTrue())));
        ControlHost& host = addButton({ 10, 10, 60, 20 }, row.mode, row.value);
        host.control().setEnabled(Bool16(row.enabled));
        show();
        takeLog();

        doAction(host, row.action);
        // The other button's redraw is logged too: it comes first.
        EXPECT_EQ(takeLog(), row.expectedLog);
        EXPECT_EQ(host.control().Value(), row.expectedValue);
        if (row.mode == ButtonMode::Option) {
            EXPECT_EQ(other.control().Value(), row.expectedOther);
        }
    }

    INSTANTIATE_TEST_SUITE_P(Rows, AccessibleActionTest, testing::ValuesIn(kActionRows),
        [](const auto& row) { return std::string(row.param.name); });

    TEST_F(AccessibleButtonTest, AnActionOnAButtonThatIsGoneBeforeItRunsDoesNothing)
    {
        auto* host = &addButton({ 10, 10, 60, 20 });
        takeLog();
        accessibleOf(*host).actionInterface()->doAction(kPress);
        delete host;
        QApplication::processEvents();
        EXPECT_EQ(takeLog(), "");
    }

    // The enabled state and the focus Qt's QWidget reports itself.
    TEST_F(AccessibleButtonTest, ChangesReachTheReader)
    {
        struct Row {
            const char* change;
            std::function<void(ControlHost&)> act;
            QAccessible::Event type;
            StateTest changed;
        };
        const Row rows[] = {
            { "caption", [](ControlHost& h) { h.control().setCaption(u"New"); },
                QAccessible::NameChanged, nullptr },
            { "value", [](ControlHost& h) { h.control().setValue(kTrue); },
                QAccessible::StateChanged, &checked },
            { "default look", [](ControlHost& h) { h.setDefault(true); }, QAccessible::StateChanged,
                &defaultButton },
        };
        show();
        int y = 0;
        for (const Row& row : rows) {
            ControlHost& host = addButton({ 10, y, 60, 20 }, ButtonMode::CheckBox);
            y += 22;
            g_reported.clear();
            row.act(host);
            EXPECT_EQ(reported(&host, row.type, row.changed), 1) << row.change;
        }
    }

    TEST_F(AccessibleButtonTest, AClickOfAnOptionButtonTellsTheReaderOfBothButtons)
    {
        ControlHost& other = addButton({ 10, 60, 60, 20 }, ButtonMode::Option, kTrue);
        ControlHost& host = addButton({ 10, 10, 60, 20 }, ButtonMode::Option, kFalse);
        show();
        moveTo(centreOf(host));
        g_reported.clear();
        click(centreOf(host));
        EXPECT_EQ(reported(&host, QAccessible::StateChanged, &checked), 1);
        EXPECT_EQ(reported(&other, QAccessible::StateChanged, &checked), 1);
    }

} // namespace
} // namespace bastara::button_host::test
