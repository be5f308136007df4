#include "dialogs/HelperPlacement.h"

#include <QPushButton>

namespace tessaly {

QPoint HelperPlacement::position(const QRect &dialogRect, std::int16_t buttonRowOffset)
{
    return QPoint(dialogRect.left() + LeftInset, dialogRect.top() + buttonRowOffset);
}

bool HelperPlacement::buttonRowOffset(const QWidget &dialog, const QRect &dialogRect,
                                      std::int16_t &offset)
{
    const QPushButton *button = dialog.findChild<QPushButton *>();
    if (!button)
        return false;
    offset = std::int16_t(button->mapToGlobal(QPoint(0, 0)).y() - dialogRect.top());
    return true;
}

} // namespace tessaly
