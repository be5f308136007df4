#include "anchor/ppAnchors.h"

#include "anchor/AnchorTag.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace tessaly {

ppAnchors::ppAnchors(const QObjectList &controls, const TwipsScale &scale, QWidget *parent)
    : QWidget(parent), m_twips(scale)
{
    const std::vector<ControlName> names = controlNames(controls);
    for (qsizetype i = 0; i < controls.size(); ++i)
        m_controls.push_back({controls.at(i), names.at(static_cast<std::size_t>(i))});
    build();
    PropertyPage_Initialize();
}

void ppAnchors::place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(
        m_twips.pixelsX(static_cast<float>(left)), m_twips.pixelsY(static_cast<float>(top)),
        m_twips.pixelsX(static_cast<float>(width)), m_twips.pixelsY(static_cast<float>(height)));
}

void ppAnchors::build()
{
    setWindowTitle(QStringLiteral("Anchors"));
    setFixedSize(m_twips.pixelsX(5445), m_twips.pixelsY(2940));

    m_lblTitle =
        new QLabel(QStringLiteral("Select an object, set anchors and then click Apply"), this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    place(m_lblTitle, 120, 180, 5235, 255);

    m_lstCtrls = new QListWidget(this);
    m_lstCtrls->setObjectName(QStringLiteral("lstCtrls"));
    place(m_lstCtrls, 120, 540, 2385, 2205);
    connect(m_lstCtrls, &QListWidget::currentRowChanged, this, &ppAnchors::lstCtrls_Click);

    m_picFrame = new QFrame(this);
    m_picFrame->setObjectName(QStringLiteral("picFrame"));
    m_picFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place(m_picFrame, 2670, 540, 2685, 2205);

    // Inside the frame, positions count from within its border, as in a picture box.
    auto *client = new QWidget(m_picFrame);
    client->setGeometry(m_picFrame->contentsRect());

    m_cmdObject = new QPushButton(client);
    m_cmdObject->setObjectName(QStringLiteral("cmdObject"));
    m_cmdObject->setFocusPolicy(Qt::NoFocus);
    place(m_cmdObject, 900, 720, 795, 735);

    static constexpr int sides[4][4] = {
        {90, 990, 735, 285},    // left
        {1170, 90, 285, 585},   // top
        {1740, 1020, 765, 285}, // right
        {1170, 1500, 285, 585}, // bottom
    };
    for (int i = 0; i < 4; ++i) {
        auto *bar = new QLabel(client);
        bar->setObjectName(QStringLiteral("lblSides_%1").arg(i));
        bar->setFrameStyle(QFrame::Box | QFrame::Plain);
        bar->setAutoFillBackground(true);
        bar->setCursor(Qt::PointingHandCursor);
        bar->installEventFilter(this);
        place(bar, sides[i][0], sides[i][1], sides[i][2], sides[i][3]);
        m_lblSides[static_cast<std::size_t>(i)] = bar;
        setSideColour(i, Free);
    }
}

void ppAnchors::setChanged(bool changed)
{
    if (changed == m_changed)
        return;
    m_changed = changed;
    emit changedChanged(changed);
}

Colour ppAnchors::sideColour(int index) const
{
    return fromQRgb(lblSides(index)->palette().color(QPalette::Window).rgb());
}

void ppAnchors::setSideColour(int index, Colour colour)
{
    QLabel *bar = lblSides(index);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(toQRgb(colour)));
    // The bar's outline stays visible against either fill.
    palette.setColor(QPalette::WindowText, QColor(Qt::darkGray));
    bar->setPalette(palette);
}

void ppAnchors::PropertyPage_Initialize()
{
    m_lstCtrls->clear();
    for (const Control &control : m_controls) {
        QObject *object = control.object;
        if (!object)
            continue;
        const QString tag = tagOf(object);
        // Only widgets have a place and a size to keep; a window of its own follows itself.
        const auto *widget = qobject_cast<QWidget *>(object);
        if (widget && !widget->isWindow()) {
            m_lstCtrls->addItem(listEntry(control.name));
            if (!hasAnchorPrefix(tag))
                setTag(object, DefaultAnchorPrefix + tag);
        } else if (hasAnchorPrefix(tag)) {
            setTag(object, withoutAnchorPrefix(tag));
        }
    }
    if (m_lstCtrls->count() > 0)
        m_lstCtrls->setCurrentRow(0);
}

std::vector<QObject *> ppAnchors::selectedControls() const
{
    std::vector<QObject *> selected;
    const QListWidgetItem *item = m_lstCtrls->currentItem();
    if (!item)
        return selected;
    const QString entry = item->text();
    for (const Control &control : m_controls) {
        if (control.object && entrySelects(entry, control.name))
            selected.push_back(control.object);
    }
    return selected;
}

void ppAnchors::lstCtrls_Click()
{
    for (QObject *control : selectedControls()) {
        const QString tag = tagOf(control);
        for (int i = 0; i < 4; ++i)
            setSideColour(i, i < tag.size() && tag.at(i) == u'T' ? Anchored : Free);
    }
}

void ppAnchors::lblSides_Click(int Index)
{
    if (Index < 0 || Index > 3)
        return;
    setChanged(true);
    setSideColour(Index, sideColour(Index) == Free ? Anchored : Free);
}

void ppAnchors::PropertyPage_ApplyChanges()
{
    QString flags;
    for (int i = 0; i < 4; ++i)
        flags += sideColour(i) == Anchored ? u'T' : u'F';
    for (QObject *control : selectedControls()) {
        const QString tag = tagOf(control);
        // A tag its host changed since the page opened may have lost the prefix; the
        // control's own text must not lose its first characters to the new flags.
        setTag(control, hasAnchorPrefix(tag) ? flags + tag.mid(4) : flags + AnchorPrefixEnd + tag);
    }
    setChanged(false);
}

bool ppAnchors::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        for (int i = 0; i < 4; ++i) {
            QLabel *bar = lblSides(i);
            if (watched == bar && mouse->button() == Qt::LeftButton &&
                bar->rect().contains(mouse->position().toPoint())) {
                lblSides_Click(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tessaly
