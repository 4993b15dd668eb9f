// Fuzz target: the form file writer and reader from the writer's side. The
// bytes choose a layout within the limits the reader checks (any texts, any
// geometry in range, custom controls with property sets of every value type),
// which must be written as a file that reads back as the same layout, and
// whose second writing gives the same bytes. fuzz_form_file starts from file
// bytes instead; this one reaches layouts no seed file spells.

#include "fuzzed_values.h"
#include "platform/toolkit/form_file.h"

#include <cstdlib>
#include <string_view>

namespace {

using namespace bastara;
using toolkit::maxFormTwips;

QString qText(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

properties::OleColor colourFrom(fuzz::ByteChoices& in)
{
    return properties::OleColor(in.integer<std::uint32_t>());
}

toolkit::ControlLayout controlFrom(fuzz::ByteChoices& in, std::size_t position)
{
    static constexpr std::u16string_view kinds[] = { u"label", u"textBox", u"comboBox", u"listBox",
        u"image", u"commandButton", u"customButton" };
    static constexpr std::u16string_view keys[]
        = { u"Caption", u"mode", u"VALUE", u"cBack", u"image", u"font", u"_extentx" };
    toolkit::ControlLayout control;
    const std::uint8_t kind = in.byte();
    control.kind
        = kind < 200 ? qText(std::u16string(kinds[kind % std::size(kinds)])) : qText(in.text(12));
    if (control.kind.isEmpty())
        control.kind = QStringLiteral("label");
    // Names differ by their position, so the reader finds no two alike.
    control.name = qText(in.text(12)) + QLatin1Char('_') + QString::number(position);
    if (in.flag())
        control.index = int(in.inRange(0, INT16_MAX));
    control.geometry = { std::int32_t(in.inRange(-maxFormTwips, maxFormTwips)),
        std::int32_t(in.inRange(-maxFormTwips, maxFormTwips)),
        std::int32_t(in.inRange(0, maxFormTwips)), std::int32_t(in.inRange(0, maxFormTwips)) };
    control.text = qText(in.text(30));
    if (in.flag())
        control.font = fuzz::fontFrom(in);
    control.picture = qText(in.text(20));
    control.toolTip = qText(in.text(20));
    if (in.flag())
        control.tabIndex = int(in.inRange(0, INT16_MAX));
    control.alignment = toolkit::TextAlignment(in.byte() % 3);
    control.rightToLeft = in.flag();
    if (in.flag())
        control.backColour = colourFrom(in);
    control.properties = fuzz::propertySetFrom(in, keys);
    return control;
}

toolkit::FormLayout layoutFrom(fuzz::ByteChoices& in)
{
    toolkit::FormLayout form;
    form.name = qText(in.text(16));
    form.caption = qText(in.text(40));
    form.clientWidth = std::int32_t(in.inRange(1, maxFormTwips));
    form.clientHeight = std::int32_t(in.inRange(1, maxFormTwips));
    if (in.flag())
        form.backColour = colourFrom(in);
    form.frame = in.flag() ? toolkit::FrameKind::FixedToolWindow : toolkit::FrameKind::FixedDialog;
    form.icon = qText(in.text(30));
    const std::size_t controls = in.byte() % 5;
    for (std::size_t i = 0; i < controls && !in.exhausted(); ++i)
        form.controls.push_back(controlFrom(in, i));
    return form;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::ByteChoices choices(data, size);
    const toolkit::FormLayout form = layoutFrom(choices);
    const QByteArray written = toolkit::formFileBytes(form);
    const auto reread = toolkit::parseFormFile(written);
    if (!reread || !(*reread == form) || toolkit::formFileBytes(*reread) != written)
        std::abort();
    return 0;
}
