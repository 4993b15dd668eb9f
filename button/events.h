#pragma once

// The control's public events, in declaration order (the order a host binds
// handlers by). Every argument is passed by reference: where a value came from
// the host's own notification, a change the handler makes goes back to it.
//
//     button.events().Click = [&] { createDatabase(); };
//
// A handler may end the button (unload its form) or destroy it; code that
// raises an event does so through raiseEvent (button/liveness.h) and touches
// the control again only when it still lives.

#include "button/bool16.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bastara::button {

// The data of a drag-and-drop operation, passed through unchanged: the formats
// it offers (MIME type names) and the bytes of each. The host supplies it.
// A drag that starts from the button lets its handlers fill the data
// (OLEStartDrag), or promise a format and render it only when a target asks
// for it (OLESetData, with the format's number from button/data_formats.h).
// A drop's data is the target's to read, not to change: the writers refuse.
class DataObject
{
public:
    virtual ~DataObject() = default;
    virtual std::vector<std::u16string> formats() const = 0;
    // Empty for a format the data does not offer.
    virtual std::vector<std::uint8_t> data(std::u16string_view format) const = 0;

    // False where the data cannot change.
    virtual bool setData(std::u16string_view /*format*/, std::vector<std::uint8_t> /*bytes*/)
    {
        return false;
    }
    virtual bool promise(std::u16string_view /*format*/) { return false; }
    virtual bool clear() { return false; }
};

struct ButtonEvents {
    using MouseHandler
        = std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)>;
    using KeyHandler = std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)>;

    MouseHandler MouseDown; // 1
    MouseHandler MouseUp; // 2
    MouseHandler MouseMove; // 3
    KeyHandler KeyDown; // 4
    std::function<void(std::int16_t& KeyAscii)> KeyPress; // 5
    KeyHandler KeyUp; // 6
    std::function<void(Bool16& OnButton)> MouseOnButton; // 7
    std::function<void()> Click; // 8
    std::function<void(std::int16_t& Button)> DoubleClick; // 9
    std::function<void(std::int32_t& Effect)> OLECompleteDrag; // 10
    std::function<void(DataObject& Data, std::int32_t& Effect, std::int16_t& Button,
        std::int16_t& Shift, float& X, float& Y)>
        OLEDragDrop; // 11
    std::function<void(DataObject& Data, std::int32_t& Effect, std::int16_t& Button,
        std::int16_t& Shift, float& X, float& Y, std::int16_t& State)>
        OLEDragOver; // 12
    std::function<void(std::int32_t& Effect, Bool16& DefaultCursors)> OLEGiveFeedback; // 13
    std::function<void(DataObject& Data, std::int16_t& DataFormat)> OLESetData; // 14
    std::function<void(DataObject& Data, std::int32_t& AllowedEffects)> OLEStartDrag; // 15
};

} // namespace bastara::button
