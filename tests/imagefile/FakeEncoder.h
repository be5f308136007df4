#pragma once

#include "imagefile/ImageEncoder.h"

/// An encoder under the test's control: reports any MIME type, writes a fixed text, and can
/// give up after writing part of it, as an encoder does when the disk fills up.
class FakeEncoder : public tessaly::ImageEncoder
{
public:
    FakeEncoder(QString mimeType, tessaly::EncoderId id, bool failHalfway = false)
        : m_mimeType(std::move(mimeType)), m_id(id), m_failHalfway(failHalfway)
    {
    }

    static QByteArray content() { return QByteArrayLiteral("fake image data, complete"); }

    tessaly::EncoderId id() const override { return m_id; }
    QString mimeType() const override { return m_mimeType; }
    tessaly::Result<void> checkSize(QSize) const override { return {}; }
    tessaly::Result<void> write(const QImage &, QIODevice &device) const override
    {
        if (m_failHalfway) {
            device.write(content().left(8));
            return tessaly::fail(QStringLiteral("gave up halfway"));
        }
        device.write(content());
        return {};
    }

private:
    QString m_mimeType;
    tessaly::EncoderId m_id;
    bool m_failHalfway;
};
