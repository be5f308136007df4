#include "anchor/Anchor.h"

#include "anchor/AnchorTag.h"
#include "anchor/HostControls.h"

#include <QEvent>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace tessaly {

namespace {

// Clears a flag when the scope ends, however it ends.
class ScopedFlag
{
public:
    explicit ScopedFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~ScopedFlag() { m_flag = false; }
    ScopedFlag(const ScopedFlag &) = delete;
    ScopedFlag &operator=(const ScopedFlag &) = delete;

private:
    bool &m_flag;
};

} // namespace

Anchor::Anchor(QWidget *host, PositionStore store)
    : QObject(host), m_frm(host), m_store(std::move(store)),
      m_twips(TwipsScale::fromScreen(host ? host->screen() : nullptr))
{
    Q_ASSERT(host);
    if (m_frm)
        m_frm->installEventFilter(this);
}

Anchor::~Anchor()
{
    if (const Result<void> saved = SavePosition(); !saved)
        qWarning("Anchor: window position not saved: %s", qPrintable(saved.error()));
}

std::int32_t Anchor::heightOf(const QWidget *widget) const
{
    return roundHalfEven(m_twips.toTwipsY(static_cast<float>(widget->height())));
}

std::int32_t Anchor::widthOf(const QWidget *widget) const
{
    return roundHalfEven(m_twips.toTwipsX(static_cast<float>(widget->width())));
}

std::int32_t Anchor::windowHeight() const
{
    return m_frm ? heightOf(m_frm) : 0;
}

std::int32_t Anchor::windowWidth() const
{
    return m_frm ? widthOf(m_frm) : 0;
}

void Anchor::setWindowHeight(std::int32_t twips)
{
    const int pixels = m_twips.pixelsY(static_cast<float>(twips));
    if (pixels != m_frm->height())
        m_frm->resize(m_frm->width(), pixels);
}

void Anchor::setWindowWidth(std::int32_t twips)
{
    const int pixels = m_twips.pixelsX(static_cast<float>(twips));
    if (pixels != m_frm->width())
        m_frm->resize(pixels, m_frm->height());
}

void Anchor::restorePosition()
{
    const QStringList parts = RegString.split(u',');
    if (parts.size() < 4)
        return;
    const QString text =
        m_store.read(parts[0], parts[1], parts[2] + QLatin1String("Pos")).value_or(parts[3]);
    const QStringList position = text.split(u'|');
    if (position.size() != 2)
        return;
    bool leftOk = false;
    bool topOk = false;
    const double left = position[0].trimmed().toDouble(&leftOk);
    const double top = position[1].trimmed().toDouble(&topOk);
    // A half-readable record says nothing reliable about where the window was.
    if (!leftOk || !topOk)
        return;
    m_frm->move(m_twips.pixelsX(static_cast<float>(left)),
                m_twips.pixelsY(static_cast<float>(top)));
}

void Anchor::DoInit(std::optional<std::int32_t> FormHeight, std::optional<std::int32_t> FormWidth)
{
    if (!m_frm)
        return;
    restorePosition();

    std::vector<Anchored> anchored;
    for (QObject *control : hostControls(m_frm)) {
        const QString tag = tagOf(control);
        if (hasAnchorPrefix(tag)) {
            anchored.push_back({control, anchorFlags(tag), {}, 0, 0});
            setTag(control, withoutAnchorPrefix(tag));
            continue;
        }
        // A second DoInit finds the prefixes already gone; the controls keep their anchors.
        const auto known =
            std::find_if(m_anchored.begin(), m_anchored.end(),
                         [control](const Anchored &a) { return a.control == control; });
        if (known != m_anchored.end())
            anchored.push_back(*known);
    }
    m_anchored = std::move(anchored);

    if (FormHeight)
        MinHeight = *FormHeight;
    if (FormWidth)
        MinWidth = *FormWidth;
    m_lastHeight = windowHeight();
    m_lastWidth = windowWidth();
    recordSizes();
}

void Anchor::recordSizes()
{
    for (Anchored &entry : m_anchored) {
        auto *widget = qobject_cast<QWidget *>(entry.control.data());
        entry.container = widget ? widget->parentWidget() : nullptr;
        entry.containerHeight = entry.container ? heightOf(entry.container) : 0;
        entry.containerWidth = entry.container ? widthOf(entry.container) : 0;
    }
}

void Anchor::layOut(Anchored &entry, std::int32_t heightChange, std::int32_t widthChange)
{
    auto *widget = qobject_cast<QWidget *>(entry.control.data());
    const QString &f = entry.flags;
    if (!widget || f.size() != 4 || f.mid(2) == QLatin1String("FF"))
        return;

    // Controls inside a frame or group follow that container, which may itself have been
    // moved rather than stretched by this layout.
    const QWidget *container = widget->parentWidget();
    if (container != m_frm) {
        if (container && container == entry.container) {
            heightChange = heightOf(container) - entry.containerHeight;
            widthChange = widthOf(container) - entry.containerWidth;
        } else {
            heightChange = 0; // moved to another container since the last layout
            widthChange = 0;
        }
    }

    const QRect g = widget->geometry();
    float left = m_twips.toTwipsX(static_cast<float>(g.x()));
    float top = m_twips.toTwipsY(static_cast<float>(g.y()));
    float width = m_twips.toTwipsX(static_cast<float>(g.width()));
    float height = m_twips.toTwipsY(static_cast<float>(g.height()));
    if (f.at(3) == u'T') {
        if (f.at(1) == u'T')
            height += static_cast<float>(heightChange);
        else
            top += static_cast<float>(heightChange);
    }
    if (f.at(2) == u'T') {
        if (f.at(0) == u'T')
            width += static_cast<float>(widthChange);
        else
            left += static_cast<float>(widthChange);
    }
    const QRect moved(m_twips.pixelsX(left), m_twips.pixelsY(top),
                      std::max(0, m_twips.pixelsX(width)), std::max(0, m_twips.pixelsY(height)));
    if (moved != g)
        widget->setGeometry(moved);
}

void Anchor::DoResize()
{
    // Our own size corrections below come back here as resize events; they are part of
    // this layout, not a new one.
    if (!m_frm || m_inLayout)
        return;
    // A minimised window keeps its layout, so restoring it measures from the size before.
    if (m_frm->isMinimized())
        return;
    const ScopedFlag inLayout(m_inLayout);

    // Only release what this layout held: a host that froze its window keeps it frozen.
    const bool freeze = !DontRefresh && m_frm->updatesEnabled();
    if (freeze)
        Freeze(m_frm);

    if (windowHeight() <= MinHeight)
        setWindowHeight(MinHeight);
    if (windowWidth() <= MinWidth)
        setWindowWidth(MinWidth);
    const std::int32_t heightChange = windowHeight() - m_lastHeight;
    const std::int32_t widthChange = windowWidth() - m_lastWidth;

    if (m_lastHeight == 0 || m_lastWidth == 0) {
        // No layout yet: only the minimum size is settled.
        if (MinHeight != 0) {
            setWindowHeight(MinHeight);
            if (MinWidth != 0) // a zero width would make the window vanish
                setWindowWidth(MinWidth);
        } else {
            MinHeight = windowHeight();
            MinWidth = windowWidth();
        }
    } else {
        emit BeforeResize();
        for (Anchored &entry : m_anchored)
            layOut(entry, heightChange, widthChange);
        emit AfterResize(heightChange, widthChange);
    }

    m_lastHeight = windowHeight();
    m_lastWidth = windowWidth();
    recordSizes();

    if (freeze)
        UnFreeze(m_frm, true);
}

void Anchor::Freeze(QWidget *ohWnd)
{
    if (ohWnd)
        ohWnd->setUpdatesEnabled(false);
}

void Anchor::UnFreeze(QWidget *ohWnd, bool ForceUpdate)
{
    if (!ohWnd)
        return;
    ohWnd->setUpdatesEnabled(true);
    if (ForceUpdate)
        ohWnd->repaint();
}

Result<void> Anchor::SavePosition() const
{
    const QStringList parts = RegString.split(u',');
    if (!m_frm || parts.size() < 3)
        return {};
    if (m_frm->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return {};
    const QPoint pos = m_frm->pos();
    const QString value =
        QString::number(roundHalfEven(m_twips.toTwipsX(static_cast<float>(pos.x())))) + u'|' +
        QString::number(roundHalfEven(m_twips.toTwipsY(static_cast<float>(pos.y()))));
    return m_store.write(parts[0], parts[1], parts[2] + QLatin1String("Pos"), value);
}

bool Anchor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frm && event->type() == QEvent::Resize)
        DoResize();
    return QObject::eventFilter(watched, event);
}

} // namespace tessaly
