#include "FrmBrowserRig.h"

#include "browser/FormAnchoring.h"
#include "drawing/Twips.h"
#include "support/PixelCount.h"

#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

using namespace tessaly;

namespace {

// Controls of each container and both visibilities, placed from design twips by the scale.
const struct
{
    const char *name;
    const char *container;        // nullptr: the window
    int left, top, width, height; // twips
    bool hidden;
} Controls[] = {
    {"picWatermark1", nullptr, 1050, 5970, 9990, 990, true},
    {"Frame2", nullptr, 90, -60, 11895, 1110, false},
    {"Command5", "Frame2", 9990, 150, 1515, 885, false},
    {"Text1", "Frame1", 810, 180, 4575, 300, false},
    {"Picture1", nullptr, 90, 1080, 11865, 6420, false},
    {"List2", "Picture1", 8400, 1260, 1305, 210, true},
    {"WebBrowser1_0", "Picture1", 0, 0, 11865, 6420, false},
    {"StatusBar1", nullptr, 90, 7560, 11865, 315, false},
};

class WindowLayout : public WindowRig
{
protected:
    void expectLayout(float tpp)
    {
        const TwipsScale s{tpp, tpp};
        EXPECT_EQ(window->size(), QSize(s.pixelsX(12060), s.pixelsY(7965)));
        for (const auto &row : Controls) {
            SCOPED_TRACE(row.name);
            QWidget *w = control(row.name);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->parentWidget()->objectName(),
                      QString::fromLatin1(row.container ? row.container : "FrmBrowser"));
            EXPECT_EQ(w->geometry(),
                      QRect(s.pixelsX(float(row.left)), s.pixelsY(float(row.top)),
                            s.pixelsX(float(row.width)), s.pixelsY(float(row.height))));
            EXPECT_EQ(w->isHidden(), row.hidden);
        }
    }
    const Picture &watermark() const { return host()->picWatermark1().picture(); }
};

} // namespace

TEST_F(WindowLayout, StartUpLaysOutByTheDisplayScaleAndOpensTheHomePageFromTheFocusedBox)
{
    showWindow();
    expectLayout(15);
    auto *text1 = control<QLineEdit>("Text1");
    EXPECT_EQ(text1->text(), FrmBrowser::HomePageUrl.toString());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_SOON_EQ(QApplication::focusWidget(), text1);
    EXPECT_EQ(requests.urls().first(), FrmBrowser::HomePageUrl.toString());

    SCOPED_TRACE("a click just left of the address, with the view holding the focus, types "
                 "into the address box and Enter goes there");
    host()->activeView()->widget()->setFocus();
    ASSERT_SOON(QApplication::focusWidget() != text1);
    const QPoint leftEnd = text1->mapTo(window.get(), QPoint(3, 6));
    QWidget *clicked = window->childAt(leftEnd);
    ASSERT_NE(clicked, nullptr);
    QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->mapFrom(window.get(), leftEnd));
    EXPECT_EQ(QApplication::focusWidget(), text1);
    const QString typed = server.url(QStringLiteral("/rows.html?h=300")).toString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), typed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_SOON_EQ(host()->activeView()->LocationURL(), typed);

    // No watermark file leaves the plain grey picture.
    ASSERT_EQ(watermark().width(), 664);
    EXPECT_EQ(watermark().image().pixel(331, 31), qRgb(192, 192, 192));

    SCOPED_TRACE("reopened on a display of 12 twips a pixel, the form is laid out again and "
                 "the watermark file read again; which files load is the picture reader's to "
                 "decide, and what a failed load keeps the capture's");
    window->close();
    QImage mark(50, 40, QImage::Format_RGB32);
    mark.fill(qRgb(255, 255, 255));
    QPainter(&mark).fillRect(5, 10, 40, 20, QColor(200, 20, 30));
    ASSERT_TRUE(mark.save(dir.file(QStringLiteral("watermark.bmp")), "BMP"));
    window->setDisplayScaleSource([](const QWidget &) { return TwipsScale{12, 12}; });
    showWindow();
    EXPECT_EQ(watermark().image().convertToFormat(QImage::Format_RGB32), mark);
    EXPECT_EQ(host()->picWatermark1().drawableWidth(), 50);
    expectLayout(12);
    EXPECT_EQ(window->EdgeMarginX, 120);
    EXPECT_EQ(window->EdgeMarginY, 120);
    EXPECT_EQ(host()->ViewHeight(), 535 * 12); // Picture1 is 535 pixels of 12 twips
}

TEST_F(WindowLayout, CloseAndReopenKeepsTheHistoryResetsTheCounterAndCountsOnlyWrittenCaptures)
{
    showWindow();
    window->History = {QStringLiteral("http://a.example/"), QStringLiteral("http://b.example/")};
    window->BackIndex = 2;
    window->ForwardIndex = 2;
    window->LastStatusText = QStringLiteral("Done");
    host()->restorePageHeight(12345);
    host()->stateForTest().CaptureCount = 7;
    host()->addHeightCandidateTwips(1500);
    control("Label6")->setProperty("text", QStringLiteral("Screens Captured: 7"));

    control<QPushButton>("Command1")->click();
    ASSERT_SOON(!window->isVisible());
    EXPECT_FALSE(window->isLoaded());
    EXPECT_EQ(host(), nullptr);

    showWindow();
    ASSERT_TRUE(window->isLoaded());
    EXPECT_EQ(window->History.size(), 2);
    EXPECT_EQ(window->BackIndex, 2);
    EXPECT_EQ(window->ForwardIndex, 2);
    EXPECT_EQ(window->LastStatusText, QStringLiteral("Done"));
    EXPECT_EQ(host()->PageHeight(), 12345);
    EXPECT_EQ(host()->CaptureCount(), 0);
    EXPECT_TRUE(host()->List2().isEmpty());
    EXPECT_EQ(control<QLabel>("Label6")->text(), QStringLiteral("Screenshots Taken: 0"));
    // A fresh set of controls; that they are anchored again is AttachedAnchoring's.
    EXPECT_EQ(window->findChildren<QWidget *>(QStringLiteral("Text1")).size(), 1);
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), FrmBrowser::HomePageUrl.toString());

    // The encoder runs again: the first capture of this opening is written and counted.
    load(QStringLiteral("/rows.html?h=300"));
    EXPECT_EQ(capture().size(), QSize(791 - 2, 428 - 2));
    EXPECT_EQ(control<QLabel>("Label6")->text(), QStringLiteral("Screens Captured: 1"));

    // A capture that cannot be written is reported in a box; that it is not counted is
    // CaptureCounter's.
    settings.setSaveLocation(dir.file(QStringLiteral("missing/folder/")));
    control<QToolButton>("Command5")->click();
    auto *box = window->findChild<QMessageBox *>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains(QStringLiteral("missing"))) << box->text().toStdString();
}

namespace {

struct AnchorCalls
{
    int inits = 0, resizes = 0;
    QSize form; // twips
    bool dontRefresh = false;
    QString tagAtInit;
};

class RecordingAnchoring : public FormAnchoring
{
public:
    RecordingAnchoring(QWidget &window, AnchorCalls &calls) : m_window(window), m_calls(calls) {}
    void setDontRefresh(bool on) override { m_calls.dontRefresh = on; }
    void DoInit(std::int32_t FormHeight, std::int32_t FormWidth) override
    {
        ++m_calls.inits;
        m_calls.form = QSize(FormWidth, FormHeight);
        if (QWidget *w = m_window.findChild<QWidget *>(QStringLiteral("Command1")))
            m_calls.tagAtInit = w->property("Tag").toString();
    }
    void DoResize() override { ++m_calls.resizes; }

private:
    QWidget &m_window;
    AnchorCalls &m_calls;
};

} // namespace

TEST_F(WindowLayout, AttachedAnchoringIsInitialisedAtEveryLoadAndRunOnResize)
{
    AnchorCalls calls;
    window->setAnchoring(
        [&calls](QWidget &w) { return std::make_unique<RecordingAnchoring>(w, calls); });
    showWindow();
    EXPECT_EQ(calls.inits, 1);
    EXPECT_TRUE(calls.dontRefresh);
    EXPECT_EQ(calls.form, QSize(12060, 7965));
    EXPECT_EQ(calls.tagAtInit, QStringLiteral("FTTF*/"));
    const int before = calls.resizes;
    window->resize(900, 600);
    ASSERT_SOON(calls.resizes > before);

    window->close();
    showWindow();
    EXPECT_EQ(calls.inits, 2);
    EXPECT_EQ(calls.form, QSize(12060, 7965)); // the form comes back at its design size
}

TEST_F(WindowLayout, ScreenshotOfTheWindowShowsTheLayout)
{
    showWindow();
    // A page behind the current one: Back shows its picture, not its greyed one.
    load(QStringLiteral("/rows.html?h=300"));
    load(QStringLiteral("/rows.html?h=3000"));
    auto *toolbar = control<QToolBar>("Toolbar1");
    ASSERT_SOON(toolbar->actions().first()->isEnabled());
    ASSERT_SOON(!toolbar->actions().at(1)->isEnabled());
    // The view draws the loaded page a few frames later.
    QImage shot;
    (void)QTest::qWaitFor(
        [&] {
            shot = window->grab().toImage();
            return qBlue(shot.pixel(6 + 20, 72 + 2)) == 160;
        },
        10000);
    ASSERT_EQ(shot.size(), QSize(804, 531));
    const QRgb grey = qRgb(192, 192, 192);
    // The window's own surface: the strips around and between header, container and status.
    for (const QPoint p : {QPoint(2, 300), QPoint(801, 300), QPoint(400, 528), QPoint(400, 71),
                           QPoint(300, 502), QPoint(2, 2), QPoint(801, 2)})
        EXPECT_EQ(shot.pixel(p), grey) << p.x() << "," << p.y();
    // The browser view fills the container: the page's first bands at its top-left.
    EXPECT_EQ(qBlue(shot.pixel(6 + 20, 72 + 2)), 160);
    EXPECT_EQ(qBlue(shot.pixel(6 + 700, 72 + 420)), 160);
    // The address box is white; the camera and the Back arrow show their colours.
    EXPECT_EQ(shot.pixel(6 + 242 + 54 + 250, -4 + 30 + 12 + 10), qRgb(255, 255, 255));
    const auto face = [&](int position) {
        return toolbar->widgetForAction(toolbar->actions().at(position))
            ->geometry()
            .translated(12, 20);
    };
    const auto colourful = [](QRgb p) { return std::abs(qRed(p) - qBlue(p)) > 40; };
    EXPECT_GT(countPixels(shot, face(0), colourful), 20);
    // Nothing lies ahead: Forward shows its greyed picture, without a coloured pixel.
    EXPECT_EQ(countPixels(shot, face(1), colourful), 0);
    const QRect camera = control("Command5")->geometry().translated(6, -4);
    EXPECT_GT(countPixels(shot, camera.adjusted(0, 0, -1, 40 - camera.height()),
                          [](QRgb p) { return p == qRgb(50, 90, 160) || p == qRgb(250, 200, 60); }),
              0);
    // The status bar and the progress bar lie at the bottom.
    EXPECT_NE(shot.pixel(704 + 46, 506 + 8), grey);
    // The progress bar lies over the status text: a text across the whole panel leaves it
    // as it was.
    const QRect bar = control("ProgressBar1")->geometry();
    control<QStatusBar>("StatusBar1")->showMessage(QString(300, QLatin1Char('W')));
    QApplication::processEvents();
    EXPECT_EQ(window->grab().toImage().copy(bar), shot.copy(bar));
}
