#pragma once

#include <QObject>
#include <QString>

#include <vector>

namespace tessaly {

/// A control's name and, for a member of a control array, its index (-1 outside arrays).
///
/// Qt objects have no control arrays, so a form spells them in object names: member i of
/// array X is named X_i, e.g. Label1_0, Label1_1, with i written in plain decimal (0, 1,
/// 12; not 01). Where a control is itself named X, names X_i are its own names instead,
/// since a name cannot stand for a control and an array at once (so "pushButton" and
/// "pushButton_2" stay two separate controls).
struct ControlName
{
    QString Name;
    int Index = -1;

    bool operator==(const ControlName &) const = default;
};

/// The names and indexes of `controls`, in the same order.
std::vector<ControlName> controlNames(const QObjectList &controls);

/// A control's entry in a list of controls: the name, then "(" + index + ")" for an array
/// member, e.g. "Text1", "Option1(2)".
QString listEntry(const ControlName &control);

/// True when the list entry `entry` stands for `control`: only the entry made for that very
/// control selects it, so "Label11" never selects Label1 nor Label1(0), and "Option1(2)"
/// selects member 2 of Option1 only.
bool entrySelects(const QString &entry, const ControlName &control);

} // namespace tessaly
