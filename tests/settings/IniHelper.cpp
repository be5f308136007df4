// A second process for the settings tests, so a round trip proves what reached the disk:
//   write PATH SECTION KEY VALUE | read PATH SECTION KEY
// A read prints the value; errors go to stderr with exit code 1.
#include "settings/Modini.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace tessaly;
using namespace Qt::StringLiterals;

namespace {

int complain(const QString &message)
{
    std::fputs(message.toUtf8().constData(), stderr);
    return 1;
}

int print(const QString &value)
{
    std::fputs(value.toUtf8().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);

    if (mode == "write"_L1 && args.size() == 5) {
        const Result<void> result =
            Modini::WriteIni(args.at(2), args.at(3), args.at(4), args.at(1));
        return result ? 0 : complain(result.error());
    }
    if (mode == "read"_L1 && args.size() == 4)
        return print(Modini::ReadIni(args.at(2), args.at(3), args.at(1)));
    return complain(u"usage: tessaly_ini_helper write|read ..."_s);
}
