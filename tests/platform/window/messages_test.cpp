#include "platform/window/messages.h"
#include "platform/window/widget_bridge.h"
#include "window_test_support.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <vector>

namespace bastara::window {
namespace {

    struct Key {
        QEvent::Type type;
        int key;
        quint32 virtualKey;
        quint32 scanCode;
        int count;
    };

    class KeyRecorder : public QWidget
    {
    public:
        std::vector<Key> keys;

    protected:
        void keyPressEvent(QKeyEvent* e) override { record(e); }
        void keyReleaseEvent(QKeyEvent* e) override { record(e); }

    private:
        void record(QKeyEvent* e)
        {
            keys.push_back(
                { e->type(), e->key(), e->nativeVirtualKey(), e->nativeScanCode(), e->count() });
        }
    };

    TEST(MessagesTest, KeysArePostedNotSentAndCarryThePlatformNumbers)
    {
        KeyRecorder container;
        const WindowHandle h = handleOf(&container);
        // Right arrow: repeat count 1, scan code 0x4D.
        ASSERT_TRUE(postMessage(h, WM_KEYDOWN, 0x27, 0x004D0001));
        EXPECT_TRUE(container.keys.empty()) << "posting must not deliver synchronously";
        ASSERT_TRUE(test::runEventsUntil([&] { return !container.keys.empty(); }));
        const Key& k = container.keys.front();
        EXPECT_EQ(k.type, QEvent::KeyPress);
        EXPECT_EQ(k.key, Qt::Key_Right);
        EXPECT_EQ(k.virtualKey, 0x27u);
        EXPECT_EQ(k.scanCode, 0x4Du);
        EXPECT_EQ(k.count, 1);

        ASSERT_TRUE(postMessage(h, WM_KEYUP, 0x26, 0x00480001));
        ASSERT_TRUE(test::runEventsUntil([&] { return container.keys.size() == 2; }));
        EXPECT_EQ(container.keys[1].type, QEvent::KeyRelease);
        EXPECT_EQ(container.keys[1].key, Qt::Key_Up);
    }

    TEST(MessagesTest, OtherMessagesAndInvalidWindowsAreRefused)
    {
        QWidget widget;
        EXPECT_FALSE(postMessage(handleOf(&widget), 0x0102, 'a', 0));
        EXPECT_FALSE(postMessage(0, WM_KEYDOWN, 0x27, 1));
    }

    TEST(MessagesTest, VirtualKeysMapToQtKeys)
    {
        EXPECT_EQ(qtKeyForVirtualKey(0x25), Qt::Key_Left);
        EXPECT_EQ(qtKeyForVirtualKey(0x28), Qt::Key_Down);
        EXPECT_EQ(qtKeyForVirtualKey(13), Qt::Key_Return);
        EXPECT_EQ(qtKeyForVirtualKey(27), Qt::Key_Escape);
        EXPECT_EQ(qtKeyForVirtualKey(32), Qt::Key_Space);
        EXPECT_EQ(qtKeyForVirtualKey(16), Qt::Key_Shift);
        EXPECT_EQ(qtKeyForVirtualKey('Q'), Qt::Key_Q);
        EXPECT_EQ(qtKeyForVirtualKey('7'), Qt::Key_7);
        EXPECT_EQ(qtKeyForVirtualKey(0x71), Qt::Key_F2);
        EXPECT_EQ(qtKeyForVirtualKey(0xE5), Qt::Key_unknown);

        // And back: every code the table knows, both Enter keys as 13.
        for (std::uint32_t vk : { 0x25u, 0x0Du, 0x10u, 0x20u, std::uint32_t('Q'), 0x71u })
            EXPECT_EQ(virtualKeyForQtKey(qtKeyForVirtualKey(vk)), vk);
        EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Enter), 13u);
        EXPECT_EQ(virtualKeyForQtKey(Qt::Key_MediaPlay), 0u);
    }

} // namespace
} // namespace bastara::window
