#pragma once

#include <QPoint>
#include <QRect>

#include <cstdint>

class QWidget;

namespace tessaly {

/// Where the folder browser's helper window floats: 16 pixels in from the dialog's left
/// edge, level with the dialog's first push button.
class HelperPlacement
{
public:
    static constexpr int LeftInset = 16;

    /// The helper's top-left corner on the screen, for the dialog's screen rectangle (frame
    /// included) and the button-row offset.
    static QPoint position(const QRect &dialogRect, std::int16_t buttonRowOffset);

    /// The distance from the top of `dialogRect` to the top of the first push button inside
    /// `dialog`; nothing when it has none.
    static bool buttonRowOffset(const QWidget &dialog, const QRect &dialogRect,
                                std::int16_t &offset);
};

} // namespace tessaly
