#pragma once

#include "base/Result.h"

#include <QRectF>
#include <QString>
#include <QStringList>

class QWebEnginePage;

namespace tessaly {

/// What a capture from the command line does to its page around the capture: style sheets
/// and hidden elements, the user's own script and condition, the box of an element.
/// Every value from the user reaches the page as a JSON literal, except the user's script
/// and condition, which are code by definition.
class PageScripts
{
public:
    explicit PageScripts(QWebEnginePage *page);

    /// Puts `css` and rules hiding every element a selector of `hidden` matches into the
    /// page and each of its frames of the same origin (frames of other origins cannot be
    /// reached). Calling it again replaces what an earlier call put there, and reaches frames
    /// that have appeared since. The reason for a selector that is not valid or
    /// a page that does not answer within `timeoutMs`.
    Result<void> applyStyle(const QString &css, const QStringList &hidden, int timeoutMs) const;

    /// `expression` with `placeSheet(doc, key, css)` and `removeSheet(doc, key)` in its scope:
    /// they put a sheet into a document under a key, replacing what was put there under it
    /// before, and take it out again, whatever the page's policy on style elements.
    static QString withSheetFunctions(const QString &expression);

    /// Runs `code` in the page's own script world as the body of a function, so it can call
    /// the page's functions. The reason when it throws, cannot be parsed, or does
    /// not end within `timeoutMs`.
    Result<void> runUserScript(const QString &code, int timeoutMs) const;

    enum class Wait
    {
        True,         ///< the expression became true
        NotYet,       ///< it answered, but was never true in time
        NeverAnswered ///< it never gave a value: not an expression, or a page that hangs
    };
    /// Polls `expression` in the page's world until it is true or `timeoutMs` have passed.
    /// An expression that throws counts as not yet true.
    Wait waitUntilTrue(const QString &expression, int timeoutMs) const;

    /// The box of the first element `selector` matches, in CSS pixels of the whole document
    /// (not of the window); the reason instead when none matches, the selector is not
    /// valid, or the element has no size.
    Result<QRectF> elementBox(const QString &selector, int timeoutMs) const;

private:
    QWebEnginePage *m_page;
};

} // namespace tessaly
