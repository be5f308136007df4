#pragma once

#include "imagefile/ImageEncoder.h"
#include "imagefile/SizeLimits.h"

namespace tessaly {

/// An encoder of one format whose only size limit is the length of either side.
class SideLimitedEncoder : public ImageEncoder
{
public:
    SideLimitedEncoder(QString formatName, QString mimeType, EncoderId id, qint64 maxSide)
        : m_formatName(std::move(formatName)), m_mimeType(std::move(mimeType)), m_id(id),
          m_maxSide(maxSide)
    {
    }

    EncoderId id() const override { return m_id; }
    QString mimeType() const override { return m_mimeType; }
    Result<void> checkSize(QSize size) const override
    {
        return SizeLimits::checkSide(size, m_formatName, m_maxSide);
    }

private:
    QString m_formatName;
    QString m_mimeType;
    EncoderId m_id;
    qint64 m_maxSide;
};

} // namespace tessaly
