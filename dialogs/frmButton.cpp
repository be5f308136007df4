#include "dialogs/frmButton.h"

#include "dialogs/BrowsePaths.h"
#include "dialogs/FolderDialog.h"
#include "dialogs/HelperPlacement.h"
#include "dialogs/ModBrowse.h"
#include "drawing/Twips.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

constexpr Qt::WindowFlags HelperFlags = Qt::Tool | Qt::FramelessWindowHint;
const QString MessageCaption = u"Quillmark Folder Browser"_s;

} // namespace

frmButton::frmButton(ModBrowse &module, QWidget *parent)
    : QWidget(parent, HelperFlags), m_module(module)
{
    setObjectName(u"frmButton"_s);
    const TwipsScale scale = TwipsScale::fromScreen(screen());
    setFixedSize(scale.pixelsX(1125), scale.pixelsY(360));

    Check1 = new QCheckBox(u"    INCLUDE SUBFOLDERS"_s, this);
    Check1->setObjectName(u"Check1"_s);
    QFont small(u"Small Fonts"_s);
    small.setPointSize(6);
    small.setWeight(QFont::Normal);
    Check1->setFont(small);
    Check1->setGeometry(0, 0, scale.pixelsX(1095), scale.pixelsY(375));

    Command1 = new QPushButton(u"Create"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(0, 0, scale.pixelsX(1125), scale.pixelsY(345));

    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &frmButton::Timer1_Timer);
    connect(Check1, &QCheckBox::pressed, this, &frmButton::Check1_MouseDown);
    connect(Check1, &QCheckBox::released, this, &frmButton::Check1_MouseUp);
    connect(Command1, &QPushButton::pressed, this, &frmButton::Command1_MouseDown);
    connect(Command1, &QPushButton::released, this, &frmButton::Command1_MouseUp);
    connect(&m_module, &ModBrowse::dialogOpening, this, &frmButton::attach);
    connect(&m_module, &ModBrowse::dialogClosing, this, &frmButton::detach);
}

frmButton::~frmButton() = default;

QString frmButton::Browse(QWidget *ownerform, bool Create, bool Recurse, const QString &iniitdir,
                          const QString &YourMessage)
{
    m_title = BrowsePaths::titleOrDefault(YourMessage);
    m_folderText = BrowsePaths::folderOrDefault(iniitdir);
    m_owner = ownerform;

    if (!Create && !Recurse) {
        const QString chosen =
            BrowsePaths::StripAtNul(m_module.BrowseForFolderPath(m_folderText, m_owner, m_title));
        Form_QueryUnload();
        return chosen;
    }

    for (;;) {
        Timer1.start();
        Command1->setVisible(Create);
        Check1->setVisible(Recurse);
        const QString selected = m_module.BrowseForFolderPath(m_folderText, m_owner, m_title);
        if (!m_createRequested) {
            Form_QueryUnload();
            return BrowsePaths::StripAtNul(selected);
        }
        m_createRequested = false;
        if (selected.isEmpty())
            continue; // nothing was selected to create the folder in

        const QString path = BrowsePaths::newFolderPath(selected, m_newFolderName);
        if (const Result<void> name = BrowsePaths::checkFolderName(m_newFolderName); !name) {
            warn(u"The folder %1 cannot be created.\n%2"_s.arg(path, name.error()));
            m_folderText = selected;
        } else if (BrowsePaths::FolderExists(path)) {
            warn(u"A Folder of that name already exists.\nPlease enter a different name"_s);
            m_folderText = selected;
        } else if (const Result<void> created = BrowsePaths::createFolder(path); !created) {
            // The system says why; the dialog then reopens on the folder it came from.
            warn(u"The folder %1 cannot be created.\n%2"_s.arg(path, created.error()));
            m_folderText = selected;
        } else {
            m_folderText = path;
        }
    }
}

void frmButton::warn(const QString &text)
{
    hide();
    QMessageBox box(QMessageBox::Warning, MessageCaption, text, QMessageBox::Ok, m_owner);
    box.exec();
}

void frmButton::attach(FolderDialog *dialog)
{
    // A tool window of the modal dialog is exempt from its modality and stays above it.
    setParent(dialog, HelperFlags);
}

void frmButton::detach(FolderDialog *dialog)
{
    if (parentWidget() == dialog) {
        hide();
        setParent(nullptr, HelperFlags);
    }
}

void frmButton::Timer1_Timer()
{
    FolderDialog *dialog = m_module.dialog();
    // Placed only once the dialog is framed and its button row measured.
    if (!dialog || !dialog->isVisible() || !dialog->isInitialized())
        return;
    m_dialogRect = dialog->screenRect();
    show();
    move(HelperPlacement::position(m_dialogRect, m_module.buttonRowOffset()));
    keepAboveDialog();
}

void frmButton::keepAboveDialog()
{
    raise();
}

void frmButton::Check1_MouseDown()
{
    Timer1.stop();
}

void frmButton::Check1_MouseUp()
{
    keepAboveDialog();
    Timer1.start();
}

void frmButton::Command1_MouseDown()
{
    Timer1.stop();
}

void frmButton::Command1_MouseUp()
{
    CreateNewFolder();
}

void frmButton::CreateNewFolder()
{
    const QPointer<FolderDialog> dialog = m_module.dialog();
    bool ok = false;
    const QString name = QInputDialog::getText(
        dialog ? static_cast<QWidget *>(dialog) : this, u"Create Folder"_s,
        u"Enter a name for your new folder"_s, QLineEdit::Normal, QString(), &ok);
    keepAboveDialog();
    Timer1.start();
    if (!ok || name.isEmpty() || !dialog)
        return;
    m_module.saveRectangle(*dialog);
    m_newFolderName = name;
    m_createRequested = true;
    // As the dialog's own OK: it returns the current selection, which the folder goes in.
    dialog->accept();
}

void frmButton::Form_QueryUnload()
{
    Timer1.stop();
    hide();
    m_module.setIncludeSubfolders(Check1->isChecked());
}

} // namespace tessaly
