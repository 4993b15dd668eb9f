// Form files are stored data: whatever the bytes, reading them gives a layout
// within the documented limits or an error, never a crash; and a layout read
// is written back as a file that reads as the same layout, and that writes
// as the same bytes again.

#include "platform/toolkit/form_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkWithinLimits(const bastara::toolkit::FormLayout& form)
{
    using bastara::toolkit::maxFormTwips;
    if (form.clientWidth < 1 || form.clientWidth > maxFormTwips || form.clientHeight < 1
        || form.clientHeight > maxFormTwips)
        std::abort();
    for (const auto& control : form.controls) {
        const auto& g = control.geometry;
        if (control.kind.isEmpty() || control.name.isEmpty() || g.width < 0 || g.height < 0
            || g.width > maxFormTwips || g.height > maxFormTwips || g.left < -maxFormTwips
            || g.left > maxFormTwips || g.top < -maxFormTwips || g.top > maxFormTwips)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const auto form = bastara::toolkit::parseFormFile(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!form)
        return 0;
    checkWithinLimits(*form);
    // Written, it reads as the same layout; written again, as the same bytes.
    const QByteArray written = bastara::toolkit::formFileBytes(*form);
    const auto reread = bastara::toolkit::parseFormFile(written);
    if (!reread || !(*reread == *form) || bastara::toolkit::formFileBytes(*reread) != written)
        std::abort();
    return 0;
}
