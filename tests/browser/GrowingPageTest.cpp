#include "CaptureFixture.h"

using namespace tessaly;
using namespace tessaly::test;

// Content appended for ever: the walk covers what was measured and ends. In a process of its
// own: after the disturbed captures' killed renderers and abandoned loads, this page's load
// did not finish in a loaded run. 500 px a second: at 2,500 a renderer sharing two busy cores
// never finished the load, which is the browser's limit, not what is tested.
TEST_F(RealCapture, PageGrowingForEverStillEnds)
{
    server.addPage(QStringLiteral("/growing.html"),
                   "<!doctype html><html><body style=\"margin:0\"><script>"
                   "setInterval(() => { const d = document.createElement('div');"
                   " d.style.height = '50px'; d.style.background = '#36c';"
                   " document.body.appendChild(d); }, 100);</script></body></html>");
    load(QStringLiteral("/growing.html"));
    const QImage image = capture();
    ASSERT_FALSE(image.isNull()) << failure.toStdString();
    EXPECT_EQ(host->CaptureCount(), 1);
}
