#include "app/ProgramWindows.h"

#include "browser/BrowserProfile.h"
#include "browser/FrmBrowser.h"
#include "settings/SettingsStore.h"
#include "settingswindow/FrmMain.h"

#include <QWebEngineProfile>

namespace tessaly {

ProgramWindows::ProgramWindows(const SettingsLocation &location)
    : m_profile(makeBrowserProfile(sharedBrowserProfileFolder())),
      m_store(std::make_unique<SettingsStore>(location)),
      m_settings(std::make_unique<FrmMain>(*m_store)),
      m_capture(std::make_unique<FrmBrowser>(*m_settings, m_store->watermarkFile()))
{
    // The same cookies and site storage as tessaly-shot: a login made here holds there.
    m_capture->setBrowserProfile(m_profile.get());
    QObject::connect(m_settings.get(), &FrmMain::captureWindowRequested, m_capture.get(),
                     &FrmBrowser::Show);
}

// The capture window reads the settings window's controls: it goes first.
ProgramWindows::~ProgramWindows()
{
    m_capture.reset();
    m_settings.reset();
}

void ProgramWindows::show()
{
    m_settings->show();
}

} // namespace tessaly
