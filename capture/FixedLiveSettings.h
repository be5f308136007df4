#pragma once

#include "capture/LiveSettings.h"

namespace tessaly {

/// Live settings held as plain values, for tests and for captures from the command line.
class FixedLiveSettings : public LiveSettings
{
public:
    QString saveLocation() const override { return m_saveLocation; }
    QString saveType() const override { return m_saveType; }
    int watermarkSwitch() const override { return m_watermarkSwitch; }
    int silentSwitch() const override { return m_silentSwitch; }

    void setSaveLocation(const QString &location) { m_saveLocation = location; }
    void setSaveType(const QString &type) { m_saveType = type; }
    void setWatermarkSwitch(int value) { m_watermarkSwitch = value; }
    void setSilentSwitch(int value) { m_silentSwitch = value; }

private:
    QString m_saveLocation;
    QString m_saveType = QStringLiteral(".png");
    int m_watermarkSwitch = 0;
    int m_silentSwitch = 0;
};

} // namespace tessaly
