#include "settings/FrmMain.h"

#include "platform/FormLook.h"
#include "platform/Twips.h"
#include "settings/SettingsStore.h"
#include "ui_FrmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

static void initSettingsResources()
{
    Q_INIT_RESOURCE(settings);
}

namespace tessaly {

namespace {

constexpr qint64 CopyChunkBytes = 4048;

QString desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QDir(desktop).exists() ? desktop : QDir::homePath();
}

QString defaultFolderPicker(QWidget *parent)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Save Files To"),
                                             desktopFolder(), QFileDialog::DontUseNativeDialog);
}

QString defaultWatermarkPicker(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Load Watermark BMP file"),
                                        desktopFolder(), QStringLiteral("Bitmap (*.bmp)"), nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

void processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace

FrmMain::FrmMain(SettingsStore &store, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::FrmMain>()), m_store(store),
      m_folderPicker(defaultFolderPicker), m_watermarkPicker(defaultWatermarkPicker),
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
        m_store.setSaveLocation(text);
        processEvents();
    });
    connect(m_ui->Combo1, &QComboBox::activated, this, [this] {
        m_store.setSaveType(m_ui->Combo1->currentText());
        processEvents();
    });
    connect(m_ui->Check2, &QCheckBox::stateChanged, this, [this] {
        m_store.setEnableWatermark(watermarkSwitch());
        processEvents();
    });
    connect(m_ui->Check1, &QCheckBox::stateChanged, this, [this] {
        m_store.setSilent(silentSwitch());
        processEvents();
    });
    connect(m_ui->Command1, &QPushButton::clicked, this, &FrmMain::Command1_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, &FrmMain::Command2_Click);
    connect(m_ui->Command3, &QPushButton::clicked, this, &FrmMain::Command3_Click);
    connect(m_ui->Command4, &QPushButton::clicked, this, &FrmMain::Command4_Click);
    connect(&m_store, &SettingsStore::writeFailed, this, &FrmMain::showWriteFailure);

    Form_Load();
}

FrmMain::~FrmMain() = default;

QString FrmMain::titleFor(int major, int minor, int revision)
{
    return QStringLiteral("Tessaly v%1.%2.%3 By Orvanel").arg(major).arg(minor).arg(revision);
}

void FrmMain::Form_Load()
{
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
    processEvents();
}

QString FrmMain::saveLocation() const { return m_ui->Text1->text(); }
QString FrmMain::saveType() const { return m_ui->Combo1->currentText(); }
int FrmMain::watermarkSwitch() const { return m_ui->Check2->isChecked() ? 1 : 0; }
int FrmMain::silentSwitch() const { return m_ui->Check1->isChecked() ? 1 : 0; }

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
        QMessageBox::warning(this, windowTitle(),
                             tr("The save folder %1 could not be created.")
                                 .arg(QDir::toNativeSeparators(location)));
        return;
    }
    processEvents();
    emit captureWindowRequested();
}

void FrmMain::Command2_Click()
{
    QString path = m_folderPicker ? m_folderPicker(this) : QString();
    processEvents();
    if (path.isEmpty())
        return;
    if (!path.endsWith(u'/'))
        path += u'/';
    processEvents();
    m_ui->Text1->setText(path);
    processEvents();
}

void FrmMain::Command3_Click()
{
    const QString chosen = m_watermarkPicker ? m_watermarkPicker(this) : QString();
    processEvents();
    if (chosen.isEmpty())
        return;
    // A file that is no picture would only show up as a grey default later: say so now.
    QImageReader reader(chosen);
    if (!reader.canRead()) {
        QMessageBox::warning(this, windowTitle(),
                             tr("%1 cannot be used as a watermark: %2")
                                 .arg(QDir::toNativeSeparators(chosen), reader.errorString()));
        return;
    }
    QString error;
    if (m_store.location().prepareFolder().ok() == false ||
        CopyFile(chosen, m_store.watermarkFile(), &error) != 1) {
        QMessageBox::warning(this, windowTitle(),
                             tr("The watermark could not be copied to %1.\n%2")
                                 .arg(QDir::toNativeSeparators(m_store.watermarkFile()), error));
    }
    processEvents();
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

int FrmMain::CopyFile(const QString &current, const QString &target, QString *error)
{
    QFile source(current);
    QSaveFile copy(target);
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return 0;
    };
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.errorString());
    // Written beside the target and renamed over it: an old copy stays whole until the new
    // one is complete.
    if (!copy.open(QIODevice::WriteOnly))
        return fail(copy.errorString());
    while (!source.atEnd()) {
        processEvents();
        const QByteArray chunk = source.read(CopyChunkBytes);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            return fail(source.errorString());
        if (copy.write(chunk) != chunk.size())
            return fail(copy.errorString());
    }
    if (!copy.commit())
        return fail(copy.errorString());
    return 1;
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // This window is the program: closing it ends the run, capture window or not.
    QCoreApplication::quit();
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
            if (m_ui->Label11->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
                Label11_Click();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tessaly
