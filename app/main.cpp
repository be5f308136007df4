#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly"));
    QMessageBox::information(nullptr, QStringLiteral("Tessaly"),
                             QStringLiteral("Tessaly is being built: the settings and capture "
                                            "windows are not here yet."));
    return 0;
}
