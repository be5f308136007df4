#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tessaly {

/// The box a page's alert(), confirm() or prompt() shows. The page's message is plain text,
/// and the box offers to stop the page from showing more, so that a page that asks in a
/// loop cannot hold the program.
class ScriptDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Kind
    {
        Alert,
        Confirm,
        Prompt
    };
    ScriptDialog(Kind kind, const QString &origin, const QString &message,
                 const QString &defaultValue, QWidget *parent = nullptr);

    QString value() const;
    /// Whether the user asked that the page show no more boxes.
    bool preventMore() const;

private:
    QLineEdit *m_value = nullptr;
    QCheckBox *m_preventMore = nullptr;
};

} // namespace tessaly
