#include "dialogs/FolderDialog.h"

#include "dialogs/FramedWindow.h"
#include "dialogs/InitialFolder.h"

#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tessaly {

FolderDialog::FolderDialog(QWidget *owner, const QString &title) : QDialog(owner)
{
    setWindowTitle(u"Browse for Folder"_s);
    setObjectName(u"folderDialog"_s);

    // OK is created first: the helper window lines up with the first push button.
    m_ok = new QPushButton(u"OK"_s, this);
    m_ok->setObjectName(u"okButton"_s);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(u"Cancel"_s, this);
    m_cancel->setObjectName(u"cancelButton"_s);

    m_title = new QLabel(title, this);
    m_title->setObjectName(u"titleLabel"_s);
    m_title->setWordWrap(true);
    m_title->setTextFormat(Qt::PlainText);

    m_status = new QLabel(this);
    m_status->setObjectName(u"statusLabel"_s);
    m_status->setTextFormat(Qt::PlainText);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(InitialFolder::root());

    m_tree = new QTreeView(this);
    m_tree->setObjectName(u"folderTree"_s);
    m_tree->setModel(m_model);
    m_tree->setRootIndex(m_model->index(InitialFolder::root()).parent());
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_status);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderDialog::currentChanged);
    m_ok->setEnabled(false);
    resize(380, 420);
}

void FolderDialog::setSelectionPath(const QString &path)
{
    const QModelIndex index = m_model->index(InitialFolder::resolve(path));
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
}

QString FolderDialog::selectedPath() const
{
    const QModelIndex current = m_tree->currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

void FolderDialog::setStatusText(const QString &text)
{
    m_status->setText(text);
}

QString FolderDialog::statusText() const
{
    return m_status->text();
}

QString FolderDialog::titleText() const
{
    return m_title->text();
}

QRect FolderDialog::screenRect() const
{
    return FramedWindow::geometry(*this);
}

void FolderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Shown is not yet framed, and the rectangle measured before that has no title bar.
    if (!m_announced) {
        m_announced = true;
        FramedWindow::whenFramed(*this, [this] { announce(); });
    }
}

void FolderDialog::announce()
{
    m_initialized = true;
    emit initialized();
}

void FolderDialog::currentChanged(const QModelIndex &current)
{
    m_ok->setEnabled(current.isValid());
    if (current.isValid())
        emit selectionChanged(m_model->filePath(current));
}

} // namespace tessaly
