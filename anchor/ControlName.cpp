#include "anchor/ControlName.h"

#include <QRegularExpression>
#include <QSet>

namespace tessaly {

std::vector<ControlName> controlNames(const QObjectList &controls)
{
    QSet<QString> names;
    for (const QObject *control : controls)
        names.insert(control->objectName());

    static const QRegularExpression member(QStringLiteral("^(.+)_(0|[1-9][0-9]{0,8})$"));
    std::vector<ControlName> result;
    result.reserve(static_cast<std::size_t>(controls.size()));
    for (const QObject *control : controls) {
        const QString name = control->objectName();
        const QRegularExpressionMatch match = member.match(name);
        if (match.hasMatch() && !names.contains(match.captured(1)))
            result.push_back({match.captured(1), match.captured(2).toInt()});
        else
            result.push_back({name, -1});
    }
    return result;
}

QString listEntry(const ControlName &control)
{
    if (control.Index < 0)
        return control.Name;
    return control.Name + u'(' + QString::number(control.Index) + u')';
}

bool entrySelects(const QString &entry, const ControlName &control)
{
    return !entry.isEmpty() && entry == listEntry(control);
}

} // namespace tessaly
