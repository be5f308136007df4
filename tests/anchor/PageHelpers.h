#pragma once

#include "anchor/ppAnchors.h"

#include <QListWidget>

#include <gtest/gtest.h>

inline QString tagText(const QWidget *control)
{
    return control->property("Tag").toString();
}

// Selects the entry as a click on it would.
inline ::testing::AssertionResult select(tessaly::ppAnchors &page, const QString &entry)
{
    const QList<QListWidgetItem *> items = page.lstCtrls()->findItems(entry, Qt::MatchExactly);
    if (items.size() != 1)
        return ::testing::AssertionFailure() << "no single entry " << entry.toStdString();
    page.lstCtrls()->setCurrentItem(items.front());
    return ::testing::AssertionSuccess();
}

// The bars as "T" (black) and "F" (white), left, top, right, bottom.
inline QString bars(const tessaly::ppAnchors &page)
{
    QString flags;
    for (int i = 0; i < 4; ++i) {
        const tessaly::Colour c = page.sideColour(i);
        flags += c == tessaly::ppAnchors::Anchored ? u'T'
                 : c == tessaly::ppAnchors::Free   ? u'F'
                                                   : u'?';
    }
    return flags;
}
