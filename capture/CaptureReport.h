#pragma once

#include <QString>

namespace tessaly {

/// Where the capture steps tell what happened while a capture runs; the capture host
/// passes it on as its signals.
class CaptureReport
{
public:
    virtual void reportBand(int band, int bands) = 0;
    virtual void reportFailure(const QString &message) = 0;
    virtual void reportSaved(const QString &path) = 0;
    virtual void reportLabel6(const QString &text) = 0;

protected:
    ~CaptureReport() = default;
};

} // namespace tessaly
