#pragma once

#include "base/Result.h"

#include <QImage>

namespace tessaly {

/// One picture written onto a device block of rows by block of rows, top to bottom. Its
/// height is known only when it ends: formats that store it up front get a placeholder
/// that finish() fills in on the still-open device.
class RowStream
{
public:
    virtual ~RowStream() = default;

    /// Appends rows (RGB32, the width the stream began with) below those given so far.
    virtual Result<void> addRows(const QImage &rows) = 0;
    /// Ends the picture after the rows given so far.
    virtual Result<void> finish() = 0;
};

} // namespace tessaly
