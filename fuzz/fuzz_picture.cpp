// Fuzz target: picture decoding, then drawing whatever decoded, the way the
// button draws pictures (copy to a size, blit through a mask; icons through
// their own mask).

#include "platform/gdi/blit.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/picture.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace bastara::gdi;
    auto picture = decodePicture({ data, size });
    if (!picture)
        return 0;
    // A decoded picture always has a size.
    if (picture->width() <= 0 || picture->height() <= 0)
        std::abort();

    auto target = createCompatibleDC(nullptr);
    target->selectObject(createBitmap(24, 24, 1, 32));
    if (picture->kind() == PictureKind::Icon) {
        drawIconEx(*target, 2, 2, *picture->icon(), 16, 16, DI_NORMAL);
        const IconInfo info = getIconInfo(*picture->icon());
        if (!info.mask)
            std::abort();
        return 0;
    }
    BitmapRef copy = copyImage(picture->bitmap(), 16, 16);
    if (!copy)
        std::abort();
    auto source = createCompatibleDC(nullptr);
    source->selectObject(copy);
    bitBlt(*target, 4, 4, 16, 16, source.get(), 0, 0, SRCCOPY);
    return 0;
}
