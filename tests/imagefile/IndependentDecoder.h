#pragma once

#include "support/FileHelpers.h"

#include <QImage>
#include <QString>

/// Reads written files back without the code that wrote them, with Qt's readers. Every
/// result is Format_RGB32.
class IndependentDecoder
{
public:
    /// Decodes with Qt, guessing the format from the content, without a size limit.
    /// Also reports the format name Qt recognised.
    static QImage readWithQt(const QString &path, QByteArray *format = nullptr);

    /// How far two pictures of one size differ over all pixels and the three channels:
    /// the mean and the largest |a - b|; both -1 when the sizes differ.
    struct ChannelError
    {
        double mean = -1.0;
        int max = -1;
    };
    static ChannelError channelError(const QImage &a, const QImage &b);
};
