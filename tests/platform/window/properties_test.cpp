#include "platform/window/properties.h"
#include "platform/window/widget_bridge.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace bastara::window {
namespace {

    TEST(PropertiesTest, SetGetRemoveWithCaseInsensitiveNames)
    {
        QWidget container;
        const WindowHandle h = handleOf(&container);
        EXPECT_FALSE(getProp(h, "kz_OptCount"));
        ASSERT_TRUE(setProp(h, "kz_OptCount", 3));
        EXPECT_EQ(getProp(h, "KZ_OPTCOUNT"), 3);
        ASSERT_TRUE(setProp(h, "Kz_OptCount", 2));
        EXPECT_EQ(getProp(h, "kz_optcount"), 2);
        ASSERT_TRUE(setProp(h, "1kz_Obj", 11));
        ASSERT_TRUE(setProp(h, "2kz_Obj", 22));
        EXPECT_EQ(removeProp(h, "1KZ_OBJ"), 11);
        EXPECT_FALSE(getProp(h, "1kz_Obj"));
        EXPECT_FALSE(removeProp(h, "1kz_Obj"));
        EXPECT_EQ(getProp(h, "2kz_Obj"), 22);
    }

    TEST(PropertiesTest, PointerSizedValuesRoundTripAndWindowsAreSeparate)
    {
        QWidget a;
        QWidget b;
        const auto pointer = reinterpret_cast<PropertyValue>(&a);
        ASSERT_TRUE(setProp(handleOf(&a), "kz_ClassID", pointer));
        EXPECT_EQ(getProp(handleOf(&a), "kz_ClassID"), pointer);
        EXPECT_FALSE(getProp(handleOf(&b), "kz_ClassID"));
        EXPECT_FALSE(setProp(0, "x", 1));
        EXPECT_FALSE(setProp(handleOf(&a), "", 1));
        EXPECT_FALSE(getProp(0, "x"));
        EXPECT_FALSE(removeProp(0, "x"));
    }

} // namespace
} // namespace bastara::window
