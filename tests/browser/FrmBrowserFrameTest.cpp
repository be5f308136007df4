#include "FrmBrowserRig.h"

#include "platform/WindowSystem.h"
#include "support/RowsPage.h"

#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

using namespace tessaly;
using rows::expectRows; // its right-hand column shows a capture at a new width whole across

namespace {

class WindowFrame : public WindowRig
{
protected:
    QWidget *targetAt(QPoint at) const
    {
        QWidget *child = window->childAt(at);
        return child ? child : window.get();
    }
};

// Real pointer input through the X server, as a user's hand gives it.
class WindowPointer : public WindowFrame
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "xdotool is not installed";
        if (windowManagerRunning())
            GTEST_SKIP() << "a window manager moves and sizes the window here";
        showWindow();
    }

    static void xdo(const QStringList &arguments)
    {
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
    }
    static QString n(int v) { return QString::number(v); }

    /// Presses `button` at `at` (window coordinates) and waits until the window has it.
    void press(QPoint at, int button = 1)
    {
        moveTo(window->geometry().topLeft() + at);
        // A press before the server routes the pointer to a new window would be lost.
        ASSERT_SOON(targetAt(at)->underMouse());
        const Qt::MouseButton qtButton = button == 1 ? Qt::LeftButton : Qt::RightButton;
        for (int attempt = 0; attempt < 3; ++attempt) {
            xdo({QStringLiteral("mousedown"), n(button)});
            if (QTest::qWaitFor([&] { return bool(QGuiApplication::mouseButtons() & qtButton); },
                                3000))
                return;
            xdo({QStringLiteral("mouseup"), n(button)});
            QTest::qWait(200);
        }
        FAIL() << "the window never saw button " << button << " go down at " << at.x() << ","
               << at.y();
    }
    void moveTo(QPoint global) { xdo({QStringLiteral("mousemove"), n(global.x()), n(global.y())}); }
    void release(int button = 1)
    {
        xdo({QStringLiteral("mouseup"), n(button)});
        ASSERT_SOON_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);
    }
};

} // namespace

TEST_F(WindowFrame, EdgeZonesShowTheirPointerShapes)
{
    showWindow();
    const std::pair<QPoint, Qt::CursorShape> cases[] = {
        {{801, 300}, Qt::SizeHorCursor}, {{400, 528}, Qt::SizeVerCursor},
        {{2, 528}, Qt::SizeBDiagCursor}, {{2, 2}, Qt::SizeFDiagCursor},
        {{400, 71}, Qt::ArrowCursor},    {{801, 300}, Qt::SizeHorCursor},
        {{100, 8}, Qt::ArrowCursor}, // over the header panel the arrow comes back
    };
    for (const auto &[at, shape] : cases) {
        // A move, button up, given to the widget under the pointer.
        QWidget *target = targetAt(at);
        const QPoint local = target->mapFrom(window.get(), at);
        QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        EXPECT_EQ(window->cursor().shape(), shape) << at.x() << "," << at.y();
    }
    // The zones themselves are checked in twips by the FrameZones tests; here, the pointer
    // the window shows for each kind. Controls keep their own pointer whatever it shows.
    EXPECT_EQ(control("StatusBar1")->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(control("ProgressBar1")->cursor().shape(), Qt::ArrowCursor);
}

// The tags drive the layout: status bar on the left, right and bottom edges, container and
// view stretching both ways; never smaller than the starting size. Maximize follows the same
// layout.
TEST_F(WindowFrame, ResizeAndMaximizeChangeTheViewAndACaptureAtTheNewWidthIsWhole)
{
    showWindow();
    QWidget *picture1 = control("Picture1");
    window->resize(1000, 700);
    ASSERT_SOON_EQ(picture1->size(), QSize(791 + 196, 428 + 169));
    EXPECT_EQ(host()->ViewHeight(), (428 + 169) * 15);
    auto *engine = control<QWebEngineView>("WebBrowser1_0");
    ASSERT_SOON_EQ(engine->geometry(), QRect(0, 0, 987, 597));
    EXPECT_EQ(host()->activeView()->Width(), 987 * 15);
    EXPECT_EQ(control("StatusBar1")->geometry(), QRect(6, 504 + 169, 791 + 196, 21));

    load(QStringLiteral("/rows.html?h=1750"));
    const QImage image = capture();
    EXPECT_EQ(image.width(), 987 - 2);
    expectRows(image, 1750);

    window->resize(600, 400);
    ASSERT_SOON_EQ(window->size(), QSize(804, 531));

    SCOPED_TRACE("Maximize twice returns to the normal size and place");
    const QRect normal = window->geometry();
    auto *maximize = control<QPushButton>("Command2");
    maximize->click();
    if (windowManagerRunning())
        ASSERT_SOON(window->isMaximized());
    else
        ASSERT_SOON_EQ(window->geometry(), window->screen()->availableGeometry());
    ASSERT_SOON(picture1->width() > 791);
    maximize->click();
    ASSERT_SOON_EQ(window->geometry(), normal);
    EXPECT_EQ(picture1->size(), QSize(791, 428));

    SCOPED_TRACE("\"Begin\" brings a minimised window back");
    control<QPushButton>("Command3")->click();
    ASSERT_SOON(window->isMinimized());
    window->Show();
    EXPECT_FALSE(window->isMinimized());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_SOON_EQ(window->geometry(), normal);
}

TEST_F(WindowFrame, ResizeRestoreAndCloseWaitForARunningCaptureOrHandler)
{
    showWindow();
    load(QStringLiteral("/rows.html?h=2600"));
    QWidget *picture1 = control("Picture1");
    {
        SCOPED_TRACE("a maximised window keeps its state and size; a restore asked for meanwhile "
                     "comes after");
        window->setWindowState(Qt::WindowMaximized);
        ASSERT_SOON(window->isMaximized());
        if (windowManagerRunning()) {
            ASSERT_SOON(picture1->width() > 791);
        }
        const QSize held = picture1->size();
        QList<QSize> sizes;
        bool heldMaximized = true;
        const QMetaObject::Connection restore =
            QObject::connect(host(), &CaptureHost::bandCaptured, window.get(), [&](int band, int) {
                if (band == 1) {
                    window->showNormal();
                    window->resize(1100, 800);
                }
                sizes.append(picture1->size());
                heldMaximized = heldMaximized && window->isMaximized();
            });
        const QImage image = capture();
        QObject::disconnect(restore);
        EXPECT_TRUE(heldMaximized);
        EXPECT_EQ(sizes, QList<QSize>(sizes.size(), held));
        EXPECT_GT(sizes.size(), 2);
        expectRows(image, 2600);
        EXPECT_EQ(image.width(), held.width() - 2);
        ASSERT_SOON(!window->isMaximized());
        window->setGeometry(QRect(window->geometry().topLeft(), QSize(804, 531)));
        ASSERT_SOON_EQ(picture1->size(), QSize(791, 428));
    }
    QSize sizeDuringCapture;
    bool closedDuringCapture = true;
    QObject::connect(host(), &CaptureHost::bandCaptured, window.get(), [&](int band, int) {
        if (band != 1)
            return;
        window->resize(1100, 800);
        window->close();
        control<QPushButton>("Command2")->click();
        sizeDuringCapture = window->size();
        closedDuringCapture = !window->isVisible();
    });
    const QImage image = capture();
    EXPECT_EQ(sizeDuringCapture, QSize(804, 531));
    EXPECT_FALSE(closedDuringCapture);
    expectRows(image, 2600);
    EXPECT_EQ(image.width(), 791 - 2);
    // The close asked for during the capture happens once it is done.
    ASSERT_SOON(!window->isVisible());
    EXPECT_FALSE(window->isLoaded());

    SCOPED_TRACE("the close that waited for the capture is not kept for the next opening");
    showWindow();
    QApplication::processEvents();
    ASSERT_TRUE(window->isLoaded());
    load(QStringLiteral("/rows.html?h=300"));
    EXPECT_TRUE(window->isVisible());
}

// Which edges a press takes and how far each step moves them is FrameZones' to decide; here a
// real drag of the top-left corner, which grows the window both ways with the pointer held on
// the corner and the capture's view height following.
TEST_F(WindowPointer, ACornerDragSizesTheWindowWithThePointerOnTheDraggedCorner)
{
    const QRect start = window->geometry();
    press({3, 3});
    ASSERT_SOON_EQ(QCursor::pos(), start.topLeft());
    moveTo(start.topLeft() - QPoint(60, 40));
    ASSERT_SOON_EQ(window->geometry(),
                   QRect(start.topLeft() - QPoint(60, 40), start.bottomRight()));
    EXPECT_EQ(QCursor::pos(), window->geometry().topLeft());
    EXPECT_EQ(host()->ViewHeight(), (428 + 40) * 15);
    release();
}

// The strip below the header, the header panel over the top edge and the labels move the
// window, with the left button only; released, nothing holds the pointer.
TEST_F(WindowPointer, StripHeaderAndLabelsDragTheWindowWithTheLeftButtonOnly)
{
    const auto handleSurface = [&](const char *name) {
        QWidget *w = control(name); // a point clear of the controls inside it
        const QPoint at = w->mapTo(window.get(), QPoint(3, w->height() - 3));
        EXPECT_EQ(window->childAt(at), w) << name;
        return at;
    };
    const QPoint handles[] = {{400, 71},
                              {100, 8},
                              handleSurface("Label2"),
                              handleSurface("Label6"),
                              handleSurface("Frame1")};
    const QPoint steps[] = {{30, 20}, {40, 25}, {-30, 15}, {-30, 15}, {-30, 15}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QRect start = window->geometry();
        press(handles[i]);
        if (i == 0) {
            EXPECT_EQ(window->cursor().shape(), Qt::SizeAllCursor);
        }
        moveTo(start.topLeft() + handles[i] + steps[i]);
        ASSERT_SOON_EQ(window->pos(), start.topLeft() + steps[i]);
        EXPECT_EQ(window->size(), start.size());
        release();
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    }
    const QPoint left = window->pos();
    moveTo(left + QPoint(500, 200));
    QTest::qWait(0);
    EXPECT_EQ(window->pos(), left);

    const QPoint onLabel = control("Label2")->mapTo(window.get(), QPoint(3, 3));
    press(onLabel, 3);
    moveTo(left + onLabel + QPoint(50, 50));
    QTest::qWait(0);
    release(3);
    EXPECT_EQ(window->pos(), left);
}
