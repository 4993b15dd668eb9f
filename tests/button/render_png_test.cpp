// Renders the create button of the main window (its stored size, font and
// caption) with a picture beside the caption into a PNG in the build folder,
// for a person to look at: the Persian caption must read right to left with
// its letters joined. The plain sample look keeps the face flat, so the
// pixels checked below do not depend on any of the eight looks.

#include "button_test_support.h"
#include "platform/gdi/qt_image.h"
#include "platform/gdi/sys_colors.h"
#include "support/sample_renderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    // The caption as the main window's form stores it.
    const std::u16string kCreateCaption = u"ساخت بانک اطلاعاتي";

    // A 16 x 16 picture: a green disc with a dark rim on a magenta
    // background, which the top-left pixel makes transparent.
    PictureRef discPicture()
    {
        gdi::BitmapRef bitmap = gdi::createDibSection(16, 16);
        for (std::int32_t y = 0; y < 16; ++y)
            for (std::int32_t x = 0; x < 16; ++x) {
                const int dx = 2 * x - 15;
                const int dy = 2 * y - 15;
                const int d = dx * dx + dy * dy;
                gdi::ColorRef c = gdi::rgb(255, 0, 255);
                if (d <= 13 * 13)
                    c = gdi::rgb(0, 150, 60);
                else if (d <= 15 * 15)
                    c = gdi::rgb(0, 80, 30);
                bitmap->setColorAt(x, y, c);
            }
        return std::make_shared<const gdi::Picture>(
            gdi::Picture::fromBitmap(bitmap, gdi::PictureFormat::Bmp));
    }

    TEST(RenderPngTest, PersianCaptionWithAPicture)
    {
        test::useFormFonts();
        gdi::ScopedSystemColors pinned(gdi::referenceSystemColors());
        // The form's button is 137 x 41; wider here so that the caption keeps
        // one line beside the picture.
        test::FakeHost host(170, 41);
        Button button(host);
        button.renderers().install(Look::Classic, test::renderSample);
        ButtonState& s = button.state();
        s.captionText = kCreateCaption;
        s.captionAlign = CaptionAlignment::Center;
        s.captionStyle = CaptionEffect::Engraved;
        s.backColor = OleColor(0xFFFFFF);
        s.hoverBackColor = s.backColor;
        s.showFocusRect = kTrue;
        s.stateFlags = kFlagDefaultLook;
        s.picture = discPicture();
        s.pictureSizePx = 16;
        s.pictureAlign = PicturePlacement::LeftEdge;
        button.UpdateResources("Picture");
        button.UpdateResources("BackColor");
        button.onHostResize();

        // Beside the test binary, in the build folder.
        const QDir folder(QCoreApplication::applicationDirPath());
        const QImage image = gdi::toQImage(*host.surface);
        const QString path = folder.absoluteFilePath(QStringLiteral("button_persian.png"));
        ASSERT_TRUE(image.save(path));
        ASSERT_TRUE(image.scaled(image.size() * 4)
                        .save(folder.absoluteFilePath(QStringLiteral("button_persian_x4.png"))));
        std::printf("wrote %s\n", qPrintable(path));

        // The picture at the left edge, the caption on one line beside it.
        EXPECT_EQ(s.pictureRect, (gdi::Rect { 4, 12, 20, 28 }));
        EXPECT_EQ(host.surface->colorAt(12, 20), gdi::rgb(0, 150, 60));
        EXPECT_EQ(host.surface->colorAt(4, 12), 0xFFFFFFu);
        EXPECT_GT(s.captionRect.left, s.pictureRect.right);
        EXPECT_LT(s.captionRect.height(), 30);
        EXPECT_FALSE(test::boxOf(*host.surface, 0x000000).isEmpty());
    }

} // namespace
} // namespace bastara::button
