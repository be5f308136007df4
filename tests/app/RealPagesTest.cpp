#include "ShotProcess.h"
#include "support/PageParts.h"
#include "support/RowsPage.h"

#include <gtest/gtest.h>

using namespace parts;

namespace {

constexpr QSize Area(1280, 700);

class RealPages : public ShotPages
{
protected:
    QImage take(const QString &pathAndQuery, const QStringList &options = {})
    {
        return captured(Area, options, url(pathAndQuery), dir.file(QStringLiteral("page.png")));
    }
};

// The picture is what a view as tall as the page shows: what is fixed to the window once,
// at the top or at the very bottom; a sticky bar at its place in the flow; a fixed child of
// a transformed box in the box; a header the page makes fixed on scrolling as it is at the
// top. The picture ends with the page.
TEST_F(RealPages, FixedAndStickyPartsShowOnceWhereATallViewShowsThem)
{
    const QImage image =
        take(QStringLiteral("/real.html?h=10000&fixed=1&sticky=1&transform=1&shrink=1"));
    EXPECT_EQ(image.height(), 10000);
    rows::expectRows(image, 10000);
    expectOnce(image, 350, Header, 0, 40);
    expectOnce(image, 500, Footer, 9970, 30);
    expectOnce(image, 650, Sticky, 1000, 20);
    expectOnce(image, 750, InBox, 3000, 50);
    expectOnce(image, 900, Shrink, 0, 60);
}

// A body one window high whose main column scrolls inside it: the column whole, header and
// side menu once; then the same page in frames that fill the window.
TEST_F(RealPages, InnerScrollingAreasAndFullWindowFramesAreCapturedWhole)
{
    const QImage inner = take(QStringLiteral("/inner.html?h=20000"));
    EXPECT_EQ(inner.height(), 50 + 20000);
    expectRowsFrom(inner, 50, 20000, {150, 700, inner.width() - 3});
    expectOnce(inner, 500, Header, 0, 50);
    expectOnce(inner, 10, Footer, 50, 20000);

    for (const char *page : {"/frameset.html", "/iframe-full.html"}) {
        SCOPED_TRACE(page);
        const QImage framed = take(QString::fromLatin1(page));
        EXPECT_EQ(framed.height(), 12000);
        rows::expectRows(framed, 12000);
        expectOnce(framed, 350, Header, 0, 40);
        expectOnce(framed, 500, Footer, 12000 - 30, 30);
        expectOnce(framed, 650, Sticky, 1000, 20);
    }
}

// Pictures whose address a script sets as they scroll into view, each answered 300 ms late:
// all of them in the picture, also while the page polls its server for ever.
TEST_F(RealPages, PicturesLoadedOnScrollingAreAllThereAlsoOnAPageThatNeverGoesQuiet)
{
    for (const char *page : {"/real.html?h=20000&lazy=40", "/real.html?h=20000&lazy=40&poll=400"}) {
        SCOPED_TRACE(page);
        // A band whose requests never end must not cost the whole wait on every band.
        const QImage image =
            take(QString::fromLatin1(page), {QStringLiteral("--timeout"), QStringLiteral("60")});
        ASSERT_EQ(image.height(), 20000);
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(image.pixel(350, 200 + i * 490 + 50), qRgb(255, 6 * i, 0)) << "picture " << i;
    }
}

} // namespace
