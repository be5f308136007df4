#pragma once

#include "anchor/PositionStore.h"
#include "drawing/Twips.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

namespace tessaly {

/// Keeps the controls of its host window attached to chosen window edges while the window
/// is resized, keeps the window from getting smaller than a minimum size, and can save and
/// restore the window's position in a per-user store.
///
/// Each control says which edges hold it in the first six characters of its "Tag" property,
/// e.g. "FTTF*/" (left, top, right, bottom, then "*/"). DoInit() takes these prefixes off
/// and remembers them; every resize of the host then runs DoResize(), which moves or
/// stretches each anchored control by the change in its container's size since the previous
/// layout: the window's, for controls placed directly on it, or the frame's or group's the
/// control sits in. Geometry is in twips, converted with the host's TwipsScale.
///
/// Typical use, in the window's constructor once its controls are in place:
///
///     m_anchor1 = new Anchor(this);          // a child of the window
///     m_anchor1->DontRefresh = true;
///     m_anchor1->DoInit(m_anchor1->windowHeight(), m_anchor1->windowWidth());
///
/// After that no call is needed: the anchor watches the window's resize events. Call
/// DoInit before the window is first shown: a layout before DoInit takes the window's
/// size then as its minimum.
class Anchor : public QObject
{
    Q_OBJECT
public:
    /// Becomes a child of `host` (required) and watches its resizes. Twips are converted
    /// with the scale of the host's screen until setTwipsScale() says otherwise.
    explicit Anchor(QWidget *host, PositionStore store = PositionStore());
    /// Saves the window position when RegString names a setting (see SavePosition()).
    ~Anchor() override;

    /// "application,section,key,default position": where the window position is kept, e.g.
    /// "App,Main,Frm,1000|800" keeps it under key "FrmPos" as "left|top" in twips. Empty
    /// (the default) saves and restores nothing.
    QString RegString;
    /// When true, a layout does not hold the window's painting while it moves controls.
    bool DontRefresh = false;
    /// Minimum window height, twips; DoInit(FormHeight) sets it.
    std::int32_t MinHeight = 0;
    /// Minimum window width, twips; DoInit(.., FormWidth) sets it.
    std::int32_t MinWidth = 0;

    /// Restores the saved position (when RegString has all four parts), takes the anchor
    /// prefixes off the controls' tags and remembers them, sets MinHeight and MinWidth from
    /// the arguments given, and records the current size as the base of the next layout.
    void DoInit(std::optional<std::int32_t> FormHeight = std::nullopt,
                std::optional<std::int32_t> FormWidth = std::nullopt);
    /// One layout pass; runs by itself on every resize of the host.
    void DoResize();
    /// Stops a window's painting.
    static void Freeze(QWidget *ohWnd);
    /// Lets a window paint again; with ForceUpdate, repaints it and its children at once.
    static void UnFreeze(QWidget *ohWnd, bool ForceUpdate = false);
    void About() {}

    /// Writes the window's position "left|top" (twips) under key + "Pos" when RegString
    /// has at least application, section and key and the window is neither minimised,
    /// maximised nor full screen. Succeeds when written or when there was nothing to write.
    Result<void> SavePosition() const;

    void setTwipsScale(const TwipsScale &scale) { m_twips = scale; }
    const TwipsScale &twipsScale() const { return m_twips; }
    /// The host's current size in twips (its client area), rounded.
    std::int32_t windowHeight() const;
    std::int32_t windowWidth() const;
    QWidget *host() const { return m_frm; }

signals:
    /// Raised before a layout moves any control.
    void BeforeResize();
    /// Raised after a layout with the window's height and width change it applied, twips.
    void AfterResize(std::int32_t HeightChanged, std::int32_t WidthChanged);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Anchored
    {
        QPointer<QObject> control;
        QString flags;                    // left, top, right, bottom: "T" or "F"
        QPointer<QWidget> container;      // the parent at the previous layout
        std::int32_t containerHeight = 0; // its size then, twips
        std::int32_t containerWidth = 0;
    };

    void restorePosition();
    void recordSizes();
    void layOut(Anchored &entry, std::int32_t heightChange, std::int32_t widthChange);
    void setWindowHeight(std::int32_t twips);
    void setWindowWidth(std::int32_t twips);
    std::int32_t heightOf(const QWidget *widget) const;
    std::int32_t widthOf(const QWidget *widget) const;

    QWidget *const m_frm; // our parent, so it outlives us
    PositionStore m_store;
    TwipsScale m_twips;
    std::int32_t m_lastHeight = 0;
    std::int32_t m_lastWidth = 0;
    std::vector<Anchored> m_anchored;
    bool m_inLayout = false;
};

} // namespace tessaly
