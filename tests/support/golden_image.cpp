#include "support/golden_image.h"

#include "platform/gdi/qt_image.h"

#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <sstream>

namespace bastara::test {

namespace {

    constexpr const char* kUpdateVariable = "BASTARA_UPDATE_GOLDENS";
    constexpr const char* kRegenerate
        = "scripts/update-goldens.sh (BASTARA_UPDATE_GOLDENS=1 ctest -R Golden)";

    bool updating()
    {
        const char* value = std::getenv(kUpdateVariable);
        return value && std::string(value) == "1";
    }

    QString qtPath(const std::filesystem::path& path)
    {
        return QString::fromStdString(path.string());
    }

    // As the drawing code writes colours: 0x00BBGGRR.
    std::string colorRefText(QRgb pixel)
    {
        std::ostringstream text;
        text << "0x" << std::uppercase << std::hex << std::setfill('0') << std::setw(6)
             << ((qBlue(pixel) << 16) | (qGreen(pixel) << 8) | qRed(pixel));
        return text.str();
    }

    bool samePixel(QRgb a, QRgb b)
    {
        return (a & 0xFFFFFF) == (b & 0xFFFFFF);
    }

    struct Difference {
        std::int64_t count = 0;
        int x = 0;
        int y = 0;
    };

    Difference compare(const QImage& expected, const QImage& actual)
    {
        Difference d;
        for (int y = 0; y < actual.height(); ++y) {
            const auto* want = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
            const auto* got = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
            for (int x = 0; x < actual.width(); ++x) {
                if (samePixel(want[x], got[x]))
                    continue;
                if (d.count++ == 0) {
                    d.x = x;
                    d.y = y;
                }
            }
        }
        return d;
    }

    // The differing pixels red on a pale grey copy of the expected image.
    QImage differenceImage(const QImage& expected, const QImage& actual)
    {
        QImage diff(actual.size(), QImage::Format_RGB32);
        for (int y = 0; y < actual.height(); ++y) {
            const auto* want = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
            const auto* got = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
            auto* out = reinterpret_cast<QRgb*>(diff.scanLine(y));
            for (int x = 0; x < actual.width(); ++x) {
                const int pale = 170 + qGray(want[x]) / 3;
                out[x] = samePixel(want[x], got[x]) ? qRgb(pale, pale, pale) : qRgb(255, 0, 0);
            }
        }
        return diff;
    }

    struct OutputFiles {
        std::filesystem::path actual;
        std::filesystem::path diff;
    };

    OutputFiles outputFiles(const std::string& name, const GoldenFolders& folders)
    {
        return { folders.output / (name + ".actual.png"), folders.output / (name + ".diff.png") };
    }

    bool writePng(const QImage& image, const std::filesystem::path& path)
    {
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
        return image.save(qtPath(path), "PNG");
    }

    ::testing::AssertionResult update(
        const QImage& actual, const std::filesystem::path& golden, const char* what)
    {
        if (!writePng(actual, golden))
            return ::testing::AssertionFailure() << "cannot write the golden image " << golden;
        std::printf("%s golden image %s\n", what, golden.c_str());
        return ::testing::AssertionSuccess();
    }

} // namespace

::testing::AssertionResult matchesGolden(
    const gdi::Bitmap& bitmap, const std::string& name, const GoldenFolders& folders)
{
    const std::filesystem::path goldenPath = folders.golden / (name + ".png");
    const OutputFiles out = outputFiles(name, folders);
    const QImage actual = gdi::toQImage(bitmap);
    const QImage stored(qtPath(goldenPath));

    if (stored.isNull()) {
        if (updating())
            return update(actual, goldenPath, "created");
        const bool written = writePng(actual, out.actual);
        return ::testing::AssertionFailure()
            << "no golden image " << goldenPath << ".\nIf the drawing is right, create it with "
            << kRegenerate << " and look at it before committing."
            << (written ? "\nWhat was drawn: " + out.actual.string() : std::string());
    }

    const QImage expected = stored.convertToFormat(QImage::Format_RGB32);
    std::ostringstream mismatch;
    if (expected.size() != actual.size()) {
        mismatch << "golden image " << goldenPath << " is " << expected.width() << " x "
                 << expected.height() << " pixels, the drawing " << actual.width() << " x "
                 << actual.height();
    } else if (const Difference d = compare(expected, actual); d.count > 0) {
        const QRgb want = expected.pixel(d.x, d.y);
        const QRgb got = actual.pixel(d.x, d.y);
        mismatch << d.count << " pixels differ from golden image " << goldenPath
                 << "; the first at (" << d.x << ", " << d.y << "): expected " << colorRefText(want)
                 << ", actual " << colorRefText(got) << " (0x00BBGGRR)";
    } else {
        std::error_code ignored;
        std::filesystem::remove(out.actual, ignored);
        std::filesystem::remove(out.diff, ignored);
        return ::testing::AssertionSuccess();
    }

    if (updating())
        return update(actual, goldenPath, "updated");
    mismatch << ".\nWhat was drawn: " << out.actual.string();
    if (!writePng(actual, out.actual))
        mismatch << " (could not be written)";
    if (expected.size() == actual.size()) {
        mismatch << "\nDifferences (red): " << out.diff.string();
        if (!writePng(differenceImage(expected, actual), out.diff))
            mismatch << " (could not be written)";
    } else {
        std::error_code ignored;
        std::filesystem::remove(out.diff, ignored);
    }
    mismatch << "\nIf the change is intended, regenerate with " << kRegenerate
             << " and look at the new images before committing.";
    return ::testing::AssertionFailure() << mismatch.str();
}

} // namespace bastara::test
