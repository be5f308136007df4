#include "anchor/HostControls.h"

#include <QWidget>

namespace tessaly {

namespace {

void collect(const QObject *parent, QObjectList &out)
{
    for (QObject *child : parent->children()) {
        if (child->isWidgetType() && static_cast<QWidget *>(child)->isWindow())
            continue;
        out.append(child);
        collect(child, out);
    }
}

} // namespace

QObjectList hostControls(const QWidget *window)
{
    QObjectList controls;
    if (window)
        collect(window, controls);
    return controls;
}

QObjectList namedControls(const QWidget *window)
{
    QObjectList named;
    for (QObject *control : hostControls(window)) {
        const QString name = control->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            named.append(control);
    }
    return named;
}

} // namespace tessaly
