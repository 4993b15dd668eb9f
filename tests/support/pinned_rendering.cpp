#include "support/pinned_rendering.h"

#include "platform/gdi/font_substitutes.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <fontconfig/fontconfig.h>

namespace bastara::test {

namespace {

    // Only the font packages the build machines install (fonts-liberation2,
    // fonts-noto-core), so that no other installed or user font can stand in
    // for a caption face; and fixed rendering settings in place of the
    // system's and the user's.
    constexpr const char* kFontConfiguration = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation2</dir>
  <dir>/usr/share/fonts/truetype/noto</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="autohint" mode="assign"><bool>false</bool></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
)";

    // The faces the captions (Times New Roman's substitutes) and the gallery's
    // labels are drawn with.
    const char* const kRequiredFamilies[]
        = { "Liberation Serif", "Liberation Sans", "Noto Naskh Arabic" };

    // Environment variables through which a desktop changes Qt's screen
    // geometry, font resolution or theme.
    const char* const kDesktopVariables[]
        = { "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
              "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI",
              "QT_USE_PHYSICAL_DPI", "QT_QPA_PLATFORMTHEME" };

    constexpr int kScreenSide = 800;

    // Whether pinRenderingEnvironment() installed the font configuration.
    bool g_fontConfigurationInstalled = false;

    bool installFontConfiguration()
    {
        FcConfig* config = FcConfigCreate();
        if (!config)
            return false;
        const bool loaded = FcConfigParseAndLoadFromMemory(config,
                                reinterpret_cast<const FcChar8*>(kFontConfiguration), FcTrue)
            && FcConfigBuildFonts(config);
        // The current configuration holds its own reference; Qt releases it
        // when its font database goes.
        const bool installed = loaded && FcConfigSetCurrent(config);
        FcConfigDestroy(config);
        return installed;
    }

} // namespace

void pinRenderingEnvironment()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* name : kDesktopVariables)
        qunsetenv(name);
    // The platform plugin wants a private runtime folder.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtimeDir = QDir::tempPath() + QStringLiteral("/bastara-test-runtime");
        QDir().mkpath(runtimeDir);
        QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
    }
    g_fontConfigurationInstalled = installFontConfiguration();
}

std::string renderingEnvironmentProblem()
{
    if (!g_fontConfigurationInstalled)
        return "the pinned font configuration was not installed: call pinRenderingEnvironment() "
               "before creating the application (it needs the fonts of scripts/install-deps.sh)";
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        return "the platform is " + QGuiApplication::platformName().toStdString()
            + ", not offscreen: call pinRenderingEnvironment() before creating the application";
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || screen->size() != QSize(kScreenSide, kScreenSide)
        || screen->devicePixelRatio() != 1.0)
        return "the offscreen screen is not 800 x 800 pixels at scale 1";

    const QStringList families = QFontDatabase::families();
    for (const char* family : kRequiredFamilies) {
        if (!families.contains(QString::fromLatin1(family)))
            return std::string("the font family ") + family
                + " is missing: install fonts-liberation2 and fonts-noto-core"
                  " (scripts/install-deps.sh)";
    }
    // Besides the pinned faces, only the generic names Qt always registers.
    const QStringList generic { QStringLiteral("Serif"), QStringLiteral("Sans Serif"),
        QStringLiteral("Monospace") };
    for (const QString& family : families) {
        if (!family.startsWith(QStringLiteral("Liberation"))
            && !family.startsWith(QStringLiteral("Noto")) && !generic.contains(family))
            return "the font family " + family.toStdString()
                + " is visible: the pinned font configuration did not take effect (was "
                  "fontconfig started before pinRenderingEnvironment()?)";
    }

    gdi::installFontSubstitutes();
    const QFontInfo caption(QFont(QStringLiteral("Times New Roman")));
    if (caption.family() != QStringLiteral("Liberation Serif"))
        return "Times New Roman resolves to " + caption.family().toStdString()
            + ", not Liberation Serif";
    return {};
}

} // namespace bastara::test
