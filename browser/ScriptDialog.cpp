#include "browser/ScriptDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tessaly {

ScriptDialog::ScriptDialog(Kind kind, const QString &origin, const QString &message,
                           const QString &defaultValue, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ScriptDialog"));
    setWindowTitle(tr("The page at %1 says").arg(origin));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(message, this);
    text->setObjectName(QStringLiteral("message"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    layout->addWidget(text);
    if (kind == Kind::Prompt) {
        m_value = new QLineEdit(defaultValue, this);
        m_value->setObjectName(QStringLiteral("value"));
        layout->addWidget(m_value);
    }
    m_preventMore = new QCheckBox(tr("Prevent this page from creating additional dialogs"), this);
    m_preventMore->setObjectName(QStringLiteral("preventMore"));
    layout->addWidget(m_preventMore);
    const auto buttons = kind == Kind::Alert ? QDialogButtonBox::Ok
                                             : QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    auto *box = new QDialogButtonBox(buttons, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
}

QString ScriptDialog::value() const
{
    return m_value ? m_value->text() : QString();
}

bool ScriptDialog::preventMore() const
{
    return m_preventMore->isChecked();
}

} // namespace tessaly
