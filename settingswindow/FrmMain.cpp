#include "settingswindow/FrmMain.h"

#include "base/WholeFileWriter.h"
#include "drawing/Picture.h"
#include "drawing/Twips.h"
#include "platform/FormLook.h"
#include "settings/SettingsStore.h"
#include "ui_FrmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include <QUrl>
#include <functional>

static void initSettingsResources()
{
    Q_INIT_RESOURCE(settings);
}

namespace tessaly {

namespace {

// Far more than the largest picture the reader accepts (128 MB of pixels), so nothing
// usable is refused, and a stray disk image is not read into memory whole.
constexpr qint64 MaxWatermarkFileBytes = 256 * 1024 * 1024;

} // namespace

FrmMain::FrmMain(SettingsStore &store, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::FrmMain>()), m_store(store),
      m_opener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    initSettingsResources();
    m_ui->setupUi(this);
    setFont(formFont(6.75, true));
    QFont link = formFont(8.25, true);
    link.setUnderline(true);
    m_ui->Label11->setFont(link);
    QPalette palette = m_ui->Label11->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 192));
    m_ui->Label11->setPalette(palette);
    m_ui->Label11->installEventFilter(this);
    m_ui->Combo1->setCurrentIndex(-1);
    scaleFormFromDesign(*this, TwipsScale::fromScreen(screen()));
    setFixedSize(size());

    connect(m_ui->Text1, &QLineEdit::textChanged, this, [this](const QString &text) {
        writeSetting([this, text] { return m_store.setSaveLocation(text); });
    });
    connect(m_ui->Combo1, &QComboBox::activated, this, [this] {
        writeSetting([this] { return m_store.setSaveType(m_ui->Combo1->currentText()); });
    });
    connect(m_ui->Check2, &QCheckBox::stateChanged, this, [this] {
        writeSetting([this] { return m_store.setEnableWatermark(watermarkSwitch()); });
    });
    connect(m_ui->Check1, &QCheckBox::stateChanged, this,
            [this] { writeSetting([this] { return m_store.setSilent(silentSwitch()); }); });
    connect(m_ui->Command1, &QPushButton::clicked, this, &FrmMain::Command1_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, &FrmMain::Command2_Click);
    connect(m_ui->Command3, &QPushButton::clicked, this, &FrmMain::Command3_Click);
    connect(m_ui->Command4, &QPushButton::clicked, this, &FrmMain::Command4_Click);

    Form_Load();
}

FrmMain::~FrmMain() = default;

QString FrmMain::titleFor(int major, int minor, int revision)
{
    return QStringLiteral("Tessaly v%1.%2.%3 By Orvanel").arg(major).arg(minor).arg(revision);
}

void FrmMain::writeSetting(const std::function<Result<void>()> &write)
{
    if (m_loading)
        return;
    const Result<void> written = write();
    // Typing a folder name writes at every keystroke: the user is told once, not at each.
    if (!written && !m_writeFailureShown) {
        m_writeFailureShown = true;
        showWriteFailure(tr("The settings could not be saved.\n%1").arg(written.error()));
    }
}

void FrmMain::Form_Load()
{
    const QScopedValueRollback loading(m_loading, true);
    setWindowTitle(titleFor(TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR, TESSALY_VERSION_PATCH));
    m_ui->Text1->setText(m_store.saveLocation());
    // The list takes only its own entries; anything else leaves it empty.
    m_ui->Combo1->setCurrentIndex(m_ui->Combo1->findText(m_store.saveType()));
    if (const auto value = m_store.enableWatermark())
        m_ui->Check2->setChecked(*value == 1);
    if (const auto value = m_store.silent())
        m_ui->Check1->setChecked(*value == 1);
    if (m_ui->Combo1->currentText().isEmpty())
        m_ui->Combo1->setCurrentIndex(m_ui->Combo1->findText(QStringLiteral(".png")));
}

QString FrmMain::saveLocation() const
{
    return m_ui->Text1->text();
}
QString FrmMain::saveType() const
{
    return m_ui->Combo1->currentText();
}
int FrmMain::watermarkSwitch() const
{
    return m_ui->Check2->isChecked() ? 1 : 0;
}
int FrmMain::silentSwitch() const
{
    return m_ui->Check1->isChecked() ? 1 : 0;
}

void FrmMain::message(const QString &text)
{
    QMessageBox::information(this, windowTitle(), text, QMessageBox::Ok);
}

void FrmMain::showWriteFailure(const QString &text)
{
    QMessageBox::warning(this, windowTitle(), text, QMessageBox::Ok);
}

void FrmMain::Command1_Click()
{
    const QString location = saveLocation();
    if (location.isEmpty()) {
        message(QStringLiteral("Please enter a save location"));
        return;
    }
    if (saveType().isEmpty()) {
        message(QStringLiteral("Please choose a save as"));
        return;
    }
    // The whole path is made; a folder that cannot be is said now rather than at the
    // first capture.
    if (!QDir().mkpath(location)) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("The save folder %1 could not be created.").arg(QDir::toNativeSeparators(location)));
        return;
    }
    emit captureWindowRequested();
}

void FrmMain::Command2_Click()
{
    Browse1.setParentForm(this);
    Browse1.setInitDir(QStringLiteral("Desktop"));
    Browse1.setShowCreate(true);
    Browse1.setTitle(QStringLiteral("Save Files To"));
    QString path = m_folderPicker ? m_folderPicker(Browse1) : Browse1.SaveBrowse();
    if (path.isEmpty())
        return;
    if (!path.endsWith(u'/'))
        path += u'/';
    m_ui->Text1->setText(path);
}

void FrmMain::Command3_Click()
{
    OpenImage1.setParentForm(this);
    OpenImage1.setFilter(QStringLiteral("Bitmap (*.bmp) ") + QChar(u'\0') +
                         QStringLiteral("*.bmp"));
    // The chosen file is only read: opened read-only, with no read-only box to offer.
    OpenImage1.setFlags(CmnDialog::OFN_READONLY | CmnDialog::OFN_HIDEREADONLY);
    OpenImage1.setInitDir(QStringLiteral("Desktop"));
    OpenImage1.setTitle(QStringLiteral("Load Watermark BMP file"));
    const QString chosen =
        m_watermarkPicker ? m_watermarkPicker(OpenImage1) : OpenImage1.OpenFile();
    if (chosen.isEmpty())
        return;
    const QString shownChosen = QDir::toNativeSeparators(chosen);
    // Read whole and checked before anything is replaced: what is copied is what was
    // checked, and a file that cannot be read or is no whole picture is said now rather
    // than showing up as the grey default in the next capture window.
    QFile source(chosen);
    if (source.size() > MaxWatermarkFileBytes) {
        QMessageBox::warning(this, windowTitle(),
                             tr("%1 cannot be used as a watermark: the file is larger than %2 MB.")
                                 .arg(shownChosen)
                                 .arg(MaxWatermarkFileBytes >> 20));
        return;
    }
    QByteArray bytes;
    if (source.open(QIODevice::ReadOnly))
        bytes = source.readAll();
    if (!source.isOpen() || source.error() != QFileDevice::NoError) {
        QMessageBox::warning(this, windowTitle(),
                             tr("%1 cannot be read: %2").arg(shownChosen, source.errorString()));
        return;
    }
    if (const Result<Picture> picture = Picture::fromData(bytes); !picture) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("%1 cannot be used as a watermark: %2").arg(shownChosen, picture.error()));
        return;
    }
    const QString target = m_store.watermarkFile();
    Result<void> copied = m_store.location().prepareFolder();
    if (copied)
        copied = WriteWholeFile(bytes, target);
    if (!copied) {
        const QString kept = QFileInfo::exists(target) ? tr("The watermark loaded before is kept.")
                                                       : tr("No watermark is stored.");
        QMessageBox::warning(this, windowTitle(),
                             tr("The watermark could not be copied to %1.\n%2\n%3")
                                 .arg(QDir::toNativeSeparators(target), copied.error(), kept));
    }
}

void FrmMain::Command4_Click()
{
    if (!QFileInfo::exists(m_store.watermarkFile())) {
        message(tr("No watermark has been loaded yet: use \"Load Watermark\" to choose a bitmap."));
        return;
    }
    if (!m_opener(QUrl::fromLocalFile(m_store.watermarkFile())))
        message(tr("No program was found to show %1.")
                    .arg(QDir::toNativeSeparators(m_store.watermarkFile())));
}

void FrmMain::Label11_Click()
{
    m_opener(QUrl(MakerSite.toString()));
}

Result<void> FrmMain::WriteWholeFile(const QByteArray &bytes, const QString &target)
{
    return WholeFileWriter::replace(target, bytes);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // This window is the program: closing it ends the run, capture window or not. Not quit():
    // that asks every window to close first and is dropped for good when one holds its close
    // back, as the capture window does while a capture waits for its page.
    QCoreApplication::exit(0);
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->Label11) {
        QFont font = m_ui->Label11->font();
        if (event->type() == QEvent::MouseButtonPress) {
            font.setUnderline(false);
            m_ui->Label11->setFont(font);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            font.setUnderline(true);
            m_ui->Label11->setFont(font);
            if (m_ui->Label11->rect().contains(
                    static_cast<QMouseEvent *>(event)->position().toPoint()))
                Label11_Click();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tessaly
