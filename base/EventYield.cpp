#include "base/EventYield.h"

#include <QCoreApplication>

namespace tessaly {

void yieldToEvents()
{
    QCoreApplication::processEvents();
}

} // namespace tessaly
