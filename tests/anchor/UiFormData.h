#pragma once

#include "support/FileHelpers.h"

#include <QRegularExpression>
#include <QString>

// A form from tests/data/anchor.
inline QString formPath(const char *name)
{
    return QStringLiteral(TESSALY_TEST_DATA "/anchor/") + QString::fromLatin1(name);
}

// The form with the text of every Tag string blanked out, so two forms compare equal
// exactly when they differ in Tag strings alone.
inline QString withoutTagStrings(const QByteArray &form)
{
    static const QRegularExpression tagString(
        QStringLiteral(R"((<property name=["']Tag["'][^>]*>\s*<string[^>/]*)(/>|>.*?</string>))"),
        QRegularExpression::DotMatchesEverythingOption);
    return QString::fromUtf8(form).replace(tagString, QStringLiteral("\\1/>"));
}
