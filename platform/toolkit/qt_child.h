#pragma once

// Creates a Qt object that its parent owns: Qt deletes children with their
// parent, so the caller gets a reference, never ownership.
//
//     QLabel& label = makeChild<QLabel>(form, tr("Name:"));

#include <memory>
#include <utility>

namespace bastara::toolkit {

template <typename T, typename Parent, typename... Args>
T& makeChild(Parent& parent, Args&&... args)
{
    auto child = std::make_unique<T>(std::forward<Args>(args)..., &parent);
    return *child.release(); // the parent deletes it
}

} // namespace bastara::toolkit
