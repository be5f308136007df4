#pragma once

#include "settings/SettingsLocation.h"

#include <memory>

class QWebEngineProfile;

namespace tessaly {

class FrmBrowser;
class FrmMain;
class SettingsStore;

/// The program's two windows and how they meet: the settings window is the start window,
/// its controls are the capture window's live settings, and its "Begin" shows the capture
/// window. Settings and the watermark copy live where `location` says.
class ProgramWindows
{
public:
    explicit ProgramWindows(const SettingsLocation &location);
    ~ProgramWindows();

    FrmMain &settingsWindow() { return *m_settings; }
    FrmBrowser &captureWindow() { return *m_capture; }
    /// Shows the start window.
    void show();

private:
    std::unique_ptr<QWebEngineProfile> m_profile; ///< outlives the capture window's views
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<FrmMain> m_settings;
    std::unique_ptr<FrmBrowser> m_capture;
};

} // namespace tessaly
