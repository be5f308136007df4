// tessaly-anchors FORM.ui: edits the anchors of a form's controls and saves them in the form.
#include "anchor/AnchorsDesigner.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // Loading forms pulls in Designer's widget plugins, which want shared GL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly-anchors"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2 || arguments.at(1).startsWith(u'-')) {
        std::fprintf(stderr, "usage: tessaly-anchors FORM.ui\n");
        return arguments.size() == 2 && (arguments.at(1) == QLatin1String("--help") ||
                                         arguments.at(1) == QLatin1String("-h"))
                   ? 0
                   : 2;
    }
    tessaly::AnchorsDesigner designer;
    if (const tessaly::Result<void> loaded = designer.load(arguments.at(1)); !loaded) {
        std::fprintf(stderr, "tessaly-anchors: %s\n", qPrintable(loaded.error()));
        return 1;
    }
    designer.show();
    return app.exec();
}
