#include "shot/ShotBatch.h"

#include "shot/ShellWords.h"
#include "shot/ShotCapture.h"

#include <QFile>

#include <cstdio>

namespace tessaly {

namespace {

void say(const QString &text)
{
    std::fputs(qPrintable(text + u'\n'), stderr);
}

Result<void> runBatchLine(const BatchLine &line, const ShotRequest &request,
                          QWebEngineProfile *profile)
{
    if (!line.words)
        return fail(line.words.error());
    const Result<ShotRequest> capture = parseShotLine(*line.words, request.batchDefaults);
    if (!capture)
        return fail(capture.error());
    return ShotCapture(*capture, profile).run();
}

} // namespace

std::vector<BatchLine> readBatchLines(const QString &text)
{
    std::vector<BatchLine> lines;
    const QStringList rows = text.split(u'\n');
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QString row = rows.at(i);
        if (row.endsWith(u'\r'))
            row.chop(1);
        const QString trimmed = row.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        lines.push_back(BatchLine{int(i + 1), splitShellWords(row)});
    }
    return lines;
}

int runShotBatch(const ShotRequest &request, QWebEngineProfile *profile)
{
    QFile file(request.batchFile);
    if (!file.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("tessaly-shot: cannot read %1: %2")
                .arg(request.batchFile, file.errorString()));
        return 2;
    }
    const QByteArray text = file.readAll();
    // A read that fails part way hands back what it got: running that would report a cut
    // batch as done.
    if (file.error() != QFileDevice::NoError) {
        say(QStringLiteral("tessaly-shot: cannot read %1: %2")
                .arg(request.batchFile, file.errorString()));
        return 2;
    }
    file.close();
    const std::vector<BatchLine> lines = readBatchLines(QString::fromUtf8(text));

    QStringList failed;
    for (const BatchLine &line : lines) {
        if (const Result<void> written = runBatchLine(line, request, profile); !written) {
            say(QStringLiteral("tessaly-shot: %1:%2: %3")
                    .arg(request.batchFile)
                    .arg(line.number)
                    .arg(written.error()));
            failed.append(QString::number(line.number));
        }
    }
    const qsizetype written = qsizetype(lines.size()) - failed.size();
    QString summary =
        QStringLiteral("tessaly-shot: %1 of %2 captures written").arg(written).arg(lines.size());
    if (!failed.isEmpty())
        summary += QStringLiteral("; failed: line%1 %2")
                       .arg(failed.size() > 1 ? QStringLiteral("s") : QString(),
                            failed.join(QStringLiteral(", ")));
    say(summary);
    return failed.isEmpty() ? 0 : 1;
}

} // namespace tessaly
