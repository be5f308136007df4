#pragma once

#include <QString>

#include <optional>

namespace tessaly {

class JavaScriptRunner;

/// The part of a capture that runs inside the page (resources/capture.js): it makes the
/// walked page show what a view as tall as the page would show, and tells when what a band
/// started loading has come. Heights and positions are CSS pixels.
class CapturePage
{
public:
    /// How the walk goes down the page.
    enum class Walk
    {
        Unprepared, ///< no capture is prepared, or the page did not answer
        Unchanged,  ///< nothing scrolls: the page's height lies in frames that cannot grow
        Document,   ///< the top document scrolls
        Expanded,   ///< an area or frame inside was made as tall as its content, and the
                    ///< top document scrolls now
        Frame,      ///< the document of a frame that fills the window scrolls
    };

    /// Prepares the page: `program` runs in the program's own world, `page` in the page's
    /// (which watches the page's requests). `token` marks the reports.
    Walk prepare(const JavaScriptRunner &program, const JavaScriptRunner &page,
                 const QString &token);
    /// Puts back everything prepare and the walk changed, and where the user had scrolled.
    void finish(const JavaScriptRunner &program);
    Walk walk() const { return m_walk; }
    /// Whether the walk scrolls a document: the capture's own scrolling must then be used.
    bool scrolls() const;

    struct Scrolled
    {
        double reached; ///< where the scroll ended
        double content; ///< how far the content reaches
    };
    /// Scrolls what the walk scrolls to `y`.
    std::optional<Scrolled> scrollTo(const JavaScriptRunner &program, double y) const;
    std::optional<double> contentHeight(const JavaScriptRunner &program) const;
    /// The height of the top document's body in a view as tall as the page.
    std::optional<double> bodyHeight(const JavaScriptRunner &program) const;

    struct Settling
    {
        bool waiting; ///< something is still coming: a report with `serial` follows
        int serial;
    };
    /// Whether what the band in view started loading has come; requests of the page count
    /// only `withRequests`.
    std::optional<Settling> settle(const JavaScriptRunner &program, bool withRequests) const;

private:
    std::optional<double> number(const JavaScriptRunner &program, const QString &call) const;

    Walk m_walk = Walk::Unprepared;
};

} // namespace tessaly
