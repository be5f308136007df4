#pragma once

#include <QString>

namespace tessaly {

/// The settings window's controls as the capture window reads them: afresh at every use,
/// never cached, never written.
class LiveSettings
{
public:
    virtual ~LiveSettings() = default;

    /// The save folder as typed, normally ending with a separator; used exactly as it stands.
    virtual QString saveLocation() const = 0;
    /// One of ".bmp", ".gif", ".jpg", ".png", ".tif".
    virtual QString saveType() const = 0;
    /// 1 when "Enable Watermark" is checked, else 0.
    virtual int watermarkSwitch() const = 0;
    /// 1 when silent mode is checked, else 0.
    virtual int silentSwitch() const = 0;
};

} // namespace tessaly
