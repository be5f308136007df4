#include "browser/PageScripts.h"

#include "browser/JavaScriptRunner.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QVariantList>

#include <algorithm>

namespace tessaly {

namespace {

constexpr int PollIntervalMs = 100;

// Put a sheet into a document under a key, replacing the one put there under it before,
// and take it out again. A sheet is a style element where the page's policy allows one;
// where it refuses them, a sheet the document adopts, which no policy refuses.
const char *const SheetFunctions = R"(
  const removeSheet = (doc, key) => {
    const old = doc.querySelector('style[' + key + ']');
    if (old) old.remove();
    if (doc[key]) doc.adoptedStyleSheets = doc.adoptedStyleSheets.filter(s => s !== doc[key]);
    doc[key] = null;
  };
  const placeSheet = (doc, key, text) => {
    removeSheet(doc, key);
    const style = doc.createElement('style');
    style.setAttribute(key, '');
    style.textContent = text;
    (doc.head || doc.documentElement).appendChild(style);
    if (style.sheet) return style.sheet;
    style.remove();
    const sheet = new doc.defaultView.CSSStyleSheet();
    sheet.replaceSync(text);
    doc.adoptedStyleSheets = [...doc.adoptedStyleSheets, sheet];
    doc[key] = sheet;
    return sheet;
  };
)";

// Inserts or replaces two style sheets in the document and in every frame of its origin:
// the user's sheet as text, and one rule per hidden selector. Each rule is added on its
// own, so a selector cannot reach into the rules around it; one that is not a selector
// throws and is reported by name.
const char *const StyleScript = R"((function (css, hidden) {
  const probe = document.createDocumentFragment();
  for (const selector of hidden) {
    try { probe.querySelector(selector); } catch (e) { return ['bad', selector]; }
  }
  const seen = new Set();
  const visit = (doc) => {
    if (!doc || !doc.documentElement || seen.has(doc)) return null;
    seen.add(doc);
    placeSheet(doc, 'data-tessaly-style', css);
    const hiding = placeSheet(doc, 'data-tessaly-hide', '');
    for (const selector of hidden) {
      try {
        hiding.insertRule(selector + ' { display: none !important; }', hiding.cssRules.length);
      } catch (e) { return selector; }
    }
    for (const frame of doc.querySelectorAll('iframe, frame')) {
      let inner = null;
      try { inner = frame.contentDocument; } catch (e) { inner = null; }
      const result = visit(inner);
      if (result !== null) return result;
    }
    return null;
  };
  const refused = visit(document);
  return refused === null ? ['ok', seen.size] : ['bad', refused];
})(%1, %2))";

const char *const BoxScript = R"((function (selector) {
  let element = null;
  try { element = document.querySelector(selector); } catch (e) { return ['bad']; }
  if (!element) return ['none'];
  const box = element.getBoundingClientRect();
  return ['box', box.left + window.scrollX, box.top + window.scrollY, box.width, box.height];
})(%1))";

} // namespace

PageScripts::PageScripts(QWebEnginePage *page) : m_page(page) {}

Result<void> PageScripts::applyStyle(const QString &css, const QStringList &hidden,
                                     int timeoutMs) const
{
    const QString script = withSheetFunctions(
        QString::fromLatin1(StyleScript)
            .arg(JavaScriptRunner::jsonLiteral(css), JavaScriptRunner::jsonLiteral(hidden)));
    const auto result = JavaScriptRunner(m_page, timeoutMs).run(script);
    const QVariantList answer = result ? result->toList() : QVariantList();
    if (answer.value(0).toString() == QStringLiteral("ok"))
        return {};
    if (answer.value(0).toString() == QStringLiteral("bad"))
        return fail(QStringLiteral("--hide: %1 is not a valid CSS selector")
                        .arg(answer.value(1).toString()));
    return fail(QStringLiteral("the page did not take the style sheet"));
}

QString PageScripts::withSheetFunctions(const QString &expression)
{
    // Scripts run in one global scope per world: the functions are declared inside the
    // script's own function, so that running it again declares nothing twice.
    return QStringLiteral("(() => {") + QString::fromLatin1(SheetFunctions) +
           QStringLiteral("  return ") + expression + QStringLiteral(";\n})()");
}

Result<void> PageScripts::runUserScript(const QString &code, int timeoutMs) const
{
    // The inner function keeps the code's own return statements from ending the wrapper;
    // the newlines keep a comment on its last line from swallowing the wrapper's end.
    const QString script = QStringLiteral("(function () {\n  try { (function () {\n") + code +
                           QStringLiteral("\n  })(); } catch (e) { return ['threw', String(e)]; }\n"
                                          "  return ['ok'];\n})()");
    QElapsedTimer clock;
    clock.start();
    const auto result =
        JavaScriptRunner(m_page, timeoutMs, JavaScriptRunner::World::Page).run(script);
    const QVariantList answer = result ? result->toList() : QVariantList();
    const QString status = answer.value(0).toString();
    if (status == QStringLiteral("ok"))
        return {};
    if (status == QStringLiteral("threw"))
        return fail(QStringLiteral("--javascript threw %1").arg(answer.value(1).toString()));
    if (clock.elapsed() >= timeoutMs)
        return fail(QStringLiteral("--javascript did not end within %1 s").arg(timeoutMs / 1000.0));
    return fail(QStringLiteral("--javascript could not be run: is it valid JavaScript?"));
}

PageScripts::Wait PageScripts::waitUntilTrue(const QString &expression, int timeoutMs) const
{
    const QString script = QStringLiteral("(function () {\n  try { return !!(\n") + expression +
                           QStringLiteral("\n  ); } catch (e) { return false; }\n})()");
    const QDeadlineTimer deadline(timeoutMs);
    bool answered = false;
    for (;;) {
        const int bound = int(std::clamp<qint64>(deadline.remainingTime(), 1, 3000));
        const auto value =
            JavaScriptRunner(m_page, bound, JavaScriptRunner::World::Page).run(script);
        if (value) {
            answered = true;
            if (value->toBool())
                return Wait::True;
        }
        if (deadline.hasExpired())
            return answered ? Wait::NotYet : Wait::NeverAnswered;
        QEventLoop pause;
        QTimer::singleShot(int(std::min<qint64>(PollIntervalMs, deadline.remainingTime())), &pause,
                           &QEventLoop::quit);
        pause.exec();
    }
}

Result<QRectF> PageScripts::elementBox(const QString &selector, int timeoutMs) const
{
    const QString script =
        QString::fromLatin1(BoxScript).arg(JavaScriptRunner::jsonLiteral(selector));
    const auto result = JavaScriptRunner(m_page, timeoutMs).run(script);
    const QVariantList answer = result ? result->toList() : QVariantList();
    const QString status = answer.value(0).toString();
    if (status == QStringLiteral("box") && answer.size() == 5) {
        const QRectF box(answer.at(1).toDouble(), answer.at(2).toDouble(), answer.at(3).toDouble(),
                         answer.at(4).toDouble());
        if (box.width() > 0 && box.height() > 0)
            return box;
        return fail(QStringLiteral("--selector: the element %1 matches has no size (is it hidden?)")
                        .arg(selector));
    }
    if (status == QStringLiteral("none"))
        return fail(QStringLiteral("--selector: nothing on the page matches %1").arg(selector));
    if (status == QStringLiteral("bad"))
        return fail(QStringLiteral("--selector: %1 is not a valid CSS selector").arg(selector));
    return fail(QStringLiteral("--selector: the page did not answer"));
}

} // namespace tessaly
