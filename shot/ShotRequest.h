#pragma once

#include "base/Result.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <variant>

namespace tessaly {

/// What `tessaly-shot` was asked to do: one capture, or a batch of them.
struct ShotRequest
{
    QString url;
    QString output;
    QSize browserArea{1280, 700}; ///< CSS pixels
    QString watermark;
    /// Bound of the whole capture (loading, preparing, capturing); 0 for none.
    int timeoutMs = 0;
    /// Without a whole-capture bound, loading and --wait-for each give up after this.
    int stepTimeoutMs = 60000;
    int waitMs = 0;     ///< pause after loading
    QString waitFor;    ///< JavaScript expression polled until true
    QString javascript; ///< run in the page before the capture
    QString style;      ///< style sheet added to the page
    QStringList hide;   ///< selectors of elements hidden before the capture
    QString selector;   ///< the element the picture is cut to; empty for the whole page
    int scale = 1;      ///< device pixels per CSS pixel
    int quality = 0;    ///< JPEG quality 1 to 100; 0 for the encoder's default
    bool banner = true; ///< stamp the built-in banner
    /// Where the browser keeps cookies and storage: empty for the folder shared with the
    /// capture window; with privateProfile, nothing is kept. For the whole run.
    QString profileFolder;
    bool privateProfile = false;

    QString batchFile;         ///< when set, url and output are empty
    QStringList batchDefaults; ///< options given with --batch, read before every line's own
};

/// The largest browser area side, in device pixels (CSS pixels times the scale).
inline constexpr int MaxAreaSide = 16384;

/// The text --help or --version asks for, for the caller to print on standard output.
struct ShotInfoText
{
    QString text;
};

/// What the command line asks for: a request to run, or a text to print and stop.
using ShotCommandLine = std::variant<ShotRequest, ShotInfoText>;

/// Parses the command line (program name first); fails with the message of a usage error.
Result<ShotCommandLine> parseShotArguments(const QStringList &arguments);

/// Parses the words of one batch line, URL OUTPUT [options], after the batch's own options.
Result<ShotRequest> parseShotLine(const QStringList &words, const QStringList &defaults);

} // namespace tessaly
