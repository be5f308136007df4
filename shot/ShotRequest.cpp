#include "shot/ShotRequest.h"

#include "imagefile/SaveBitmapAs.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>
#include <optional>
#include <utility>

namespace tessaly {

namespace {

enum class Context
{
    CommandLine,
    BatchLine
};

constexpr int MaxWaitMs = 3600 * 1000;
constexpr double MaxTimeoutSeconds = 24 * 3600;

std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

QString description()
{
    return QStringLiteral(
        "Captures a whole web page, however long, into one image file.\n"
        "\n"
        "Before the capture, in this order: the page loads; --style and --hide are applied;\n"
        "--javascript runs; --wait-for is polled; --wait passes; --style and --hide are\n"
        "applied again, for frames that appeared meanwhile.\n"
        "\n"
        "Exit codes: 0 written, 1 the capture failed (or any line of a batch did),\n"
        "2 usage error.\n"
        "\n"
        "The GPU: where the X display's OpenGL draws in software (llvmpipe, softpipe,\n"
        "swrast) or there is none, the browser runs with --disable-gpu. TESSALY_GPU=on\n"
        "or TESSALY_GPU=off forces either way. GPU switches of your own in\n"
        "QTWEBENGINE_CHROMIUM_FLAGS (--disable-gpu, --ignore-gpu-blocklist, --use-gl=...)\n"
        "always win; QT_QUICK_BACKEND or QSG_RHI_BACKEND, when set, choose how the\n"
        "browser's frames are shown.");
}

// The command line without the options of the whole run (--batch FILE, --profile DIR,
// --private): the options every batch line starts from.
QStringList withoutRunOptions(const QStringList &arguments)
{
    QStringList rest;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QStringLiteral("--batch") || argument == QStringLiteral("--profile")) {
            ++i;
            continue;
        }
        if (argument.startsWith(QStringLiteral("--batch=")) ||
            argument.startsWith(QStringLiteral("--profile=")) ||
            argument == QStringLiteral("--private"))
            continue;
        rest.append(argument);
    }
    return rest;
}

// Every option of the command line, with the help text it shows. Two arguments follow.
struct ShotOptions
{
    static QCommandLineOption option(const char *name, const char *text,
                                     const char *value = nullptr)
    {
        return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text),
                                          QString::fromLatin1(value))
                     : QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text));
    }

    // The toolkit takes no options from this command line, so there is no help on them.
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help.")};
    const QCommandLineOption width =
        option("width", "Browser area width in CSS pixels (1280).", "PX");
    const QCommandLineOption height =
        option("height", "Browser area height in CSS pixels (700).", "PX");
    const QCommandLineOption watermark =
        option("watermark", "Stamp this bitmap centred on the first screen.", "FILE");
    const QCommandLineOption wait =
        option("wait", "After loading, wait MS milliseconds before the capture.", "MS");
    const QCommandLineOption waitFor = option("wait-for",
                                              "After loading, poll this JavaScript expression (in "
                                              "the page's own world) until it is true.",
                                              "EXPRESSION");
    const QCommandLineOption timeout = option(
        "timeout",
        "Give up when loading, preparing and capturing together take more than S seconds "
        "(exit code 1, no file). Without it, loading and --wait-for each give up after 60 s.",
        "S");
    const QCommandLineOption javascript =
        option("javascript",
               "Run this JavaScript in the page before the capture, as a function body.", "CODE");
    const QCommandLineOption style =
        option("style", "Add this style sheet to the page and its same-origin frames.", "CSS");
    const QCommandLineOption hide =
        option("hide",
               "Hide the elements this CSS selector matches (display: none), e.g. a cookie banner; "
               "may be given more than once.",
               "SELECTOR");
    const QCommandLineOption selector = option(
        "selector",
        "Cut the picture to the box of the first element this CSS selector matches, however tall; "
        "nothing matching is an error.",
        "SELECTOR");
    const QCommandLineOption scale = option(
        "scale",
        "Draw the page N times as sharp, as on a display of device pixel ratio N (1, 2 or 3): "
        "laid out at the same width, the picture is N times as wide and tall.",
        "N");
    const QCommandLineOption quality = option(
        "quality",
        "JPEG quality from 1 (smallest file) to 100 (best picture); other formats ignore it.", "N");
    const QCommandLineOption noBanner = option("no-banner", "Do not stamp the built-in banner.");
    const QCommandLineOption batch = option(
        "batch",
        "Capture every line of FILE, each URL OUTPUT [options] quoted as in a shell; blank lines "
        "and lines starting with # are skipped. Options given with --batch apply to every line; "
        "a failing line is reported and the others go on.",
        "FILE");
    const QCommandLineOption profile =
        option("profile",
               "Keep cookies and site storage in DIR instead of the folder shared with the "
               "capture window.",
               "DIR");
    const QCommandLineOption privateProfile =
        option("private", "Keep no cookies or site storage: start clean and leave nothing behind.");

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(description());
        parser.addOption(help);
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("URL"), QStringLiteral("The page to capture."));
        parser.addPositionalArgument(
            QStringLiteral("OUTPUT"),
            QStringLiteral(
                "The image file; its extension (.bmp .gif .jpg .png .tif) picks the format."));
        parser.addOptions({width, height, watermark, wait, waitFor, timeout, javascript, style,
                           hide, selector, scale, quality, noBanner, batch, profile,
                           privateProfile});
    }
};

// What --help or --version prints. Asked before the toolkit starts, the parser knows no
// program name of its own.
QString infoText(const QCommandLineParser &parser, bool help)
{
    if (help)
        return QString(parser.helpText())
            .replace(QStringLiteral("<executable_name>"), QCoreApplication::applicationName());
    return QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() +
           u'\n';
}

// The options that only the whole run may have.
Result<void> checkBatchLine(const QCommandLineParser &parser, const ShotOptions &options)
{
    if (parser.isSet(options.help) || parser.isSet(QStringLiteral("version")))
        return fail(QStringLiteral("--help and --version have no place in a batch line"));
    if (parser.isSet(options.batch))
        return fail(QStringLiteral("a batch line cannot start another batch"));
    if (parser.isSet(options.profile) || parser.isSet(options.privateProfile))
        return fail(QStringLiteral("--profile and --private are for the whole run, not a "
                                   "batch line"));
    return {};
}

// --profile and --private, into `request`.
Result<void> readProfile(const QCommandLineParser &parser, const ShotOptions &options,
                         ShotRequest &request)
{
    if (parser.isSet(options.profile) && parser.isSet(options.privateProfile))
        return fail(QStringLiteral("--profile and --private cannot go together"));
    request.profileFolder = parser.value(options.profile);
    request.privateProfile = parser.isSet(options.privateProfile);
    if (parser.isSet(options.profile) && request.profileFolder.trimmed().isEmpty())
        return fail(QStringLiteral("--profile must not be empty"));
    return {};
}

// Everything one capture is asked with, into `request`.
Result<void> readCapture(const QCommandLineParser &parser, const ShotOptions &options,
                         ShotRequest &request)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        return fail(QStringLiteral("expected URL and OUTPUT"));
    request.url = positional.at(0);
    request.output = positional.at(1);

    for (const auto &[item, target] :
         {std::pair{&options.width, &request.browserArea.rwidth()},
          std::pair{&options.height, &request.browserArea.rheight()}}) {
        if (!parser.isSet(*item))
            continue;
        const auto value = wholeNumber(parser.value(*item), 1, MaxAreaSide);
        if (!value)
            return fail(QStringLiteral("--%1 takes a whole number of pixels from 1 to %2")
                            .arg(item->names().constFirst())
                            .arg(MaxAreaSide));
        *target = *value;
    }
    if (parser.isSet(options.scale)) {
        const auto value = wholeNumber(parser.value(options.scale), 1, 3);
        if (!value)
            return fail(QStringLiteral("--scale takes 1, 2 or 3"));
        request.scale = *value;
    }
    if (std::max(request.browserArea.width(), request.browserArea.height()) * request.scale >
        MaxAreaSide)
        return fail(QStringLiteral("--width and --height times --scale must not pass %1 pixels")
                        .arg(MaxAreaSide));
    if (parser.isSet(options.wait)) {
        const auto value = wholeNumber(parser.value(options.wait), 0, MaxWaitMs);
        if (!value)
            return fail(QStringLiteral("--wait takes a whole number of milliseconds from 0 to %1")
                            .arg(MaxWaitMs));
        request.waitMs = *value;
    }
    if (parser.isSet(options.timeout)) {
        bool ok = false;
        const double seconds = parser.value(options.timeout).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > MaxTimeoutSeconds)
            return fail(QStringLiteral("--timeout takes a number of seconds above 0, up to %1")
                            .arg(MaxTimeoutSeconds));
        request.timeoutMs = std::max(1, int(std::lround(seconds * 1000)));
    }
    if (parser.isSet(options.quality)) {
        const auto value = wholeNumber(parser.value(options.quality), 1, 100);
        if (!value)
            return fail(QStringLiteral("--quality takes a whole number from 1 to 100"));
        request.quality = *value;
    }
    for (const auto &[item, target] : {std::pair{&options.waitFor, &request.waitFor},
                                       std::pair{&options.javascript, &request.javascript},
                                       std::pair{&options.selector, &request.selector}}) {
        if (!parser.isSet(*item))
            continue;
        *target = parser.value(*item);
        if (target->trimmed().isEmpty())
            return fail(QStringLiteral("--%1 must not be empty").arg(item->names().constFirst()));
    }
    request.hide = parser.values(options.hide);
    for (const QString &hidden : std::as_const(request.hide)) {
        if (hidden.trimmed().isEmpty())
            return fail(QStringLiteral("--hide must not be empty"));
    }
    request.style = parser.value(options.style);
    request.watermark = parser.value(options.watermark);
    request.banner = !parser.isSet(options.noBanner);
    if (SaveBitmapAs::mimeTypeForFileName(request.output).isEmpty())
        return fail(QStringLiteral("%1: the file name must end in .bmp, .gif, .jpg, .png or .tif")
                        .arg(request.output));
    return {};
}

Result<ShotCommandLine> parse(const QStringList &arguments, Context context)
{
    const ShotOptions options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (context == Context::BatchLine) {
        if (Result<void> allowed = checkBatchLine(parser, options); !allowed)
            return fail(allowed.error());
    }
    if (parser.isSet(options.help) || parser.isSet(QStringLiteral("version")))
        return ShotCommandLine(ShotInfoText{infoText(parser, parser.isSet(options.help))});

    ShotRequest request;
    if (Result<void> read = readProfile(parser, options, request); !read)
        return fail(read.error());
    if (parser.isSet(options.batch)) {
        if (!parser.positionalArguments().isEmpty())
            return fail(QStringLiteral("--batch takes its URLs and OUTPUTs from the file, not "
                                       "from the command line"));
        request.batchFile = parser.value(options.batch);
        request.batchDefaults = withoutRunOptions(arguments);
        // The batch's own options must make sense before any line is read.
        const Result<ShotRequest> line = parseShotLine(
            {QStringLiteral("about:blank"), QStringLiteral("line.png")}, request.batchDefaults);
        if (!line)
            return fail(line.error());
        return ShotCommandLine(std::move(request));
    }
    if (Result<void> read = readCapture(parser, options, request); !read)
        return fail(read.error());
    return ShotCommandLine(std::move(request));
}

} // namespace

Result<ShotCommandLine> parseShotArguments(const QStringList &arguments)
{
    return parse(arguments, Context::CommandLine);
}

Result<ShotRequest> parseShotLine(const QStringList &words, const QStringList &defaults)
{
    Result<ShotCommandLine> parsed =
        parse(QStringList{QStringLiteral("tessaly-shot")} + defaults + words, Context::BatchLine);
    if (!parsed)
        return fail(parsed.error());
    // A batch line never asks for the help or the version: that is refused above.
    return std::get<ShotRequest>(std::move(parsed).value());
}

} // namespace tessaly
