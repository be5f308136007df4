#pragma once

#include <QDialog>

class QLineEdit;

namespace tessaly {

/// Asks for the user name and password a site or proxy wants. Whatever the site says about
/// itself is shown as plain text.
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    LoginDialog(const QString &site, const QString &realm, QWidget *parent = nullptr);

    QString user() const;
    QString password() const;

private:
    QLineEdit *m_user;
    QLineEdit *m_password;
};

} // namespace tessaly
