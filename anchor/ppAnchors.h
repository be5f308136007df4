#pragma once

#include "anchor/ControlName.h"
#include "drawing/Colour.h"
#include "drawing/Twips.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace tessaly {

/// The design-time page "Anchors": lists the controls of a window, shows which edges the
/// selected control is anchored to (black bar: anchored, white: free), lets the designer
/// toggle each edge and on Apply writes the edges into the control's "Tag" as the prefix
/// Anchor::DoInit reads at run time.
///
/// The page edits the controls' tags directly; its host saves them (see AnchorsDesigner).
class ppAnchors : public QWidget
{
    Q_OBJECT
public:
    /// Edits the tags of `controls`, the host window's controls in collection order (see
    /// namedControls()); they are not owned. Runs PropertyPage_Initialize.
    explicit ppAnchors(const QObjectList &controls, const TwipsScale &scale = TwipsScale(),
                       QWidget *parent = nullptr);

    /// Lists the controls that can be anchored, gives those without a prefix "TTFF*/",
    /// takes the prefix off those that cannot be anchored, and selects the first entry.
    void PropertyPage_Initialize();
    /// Shows the edges of the selected control.
    void lstCtrls_Click();
    /// Toggles edge bar `Index` (0 left, 1 top, 2 right, 3 bottom) and marks the page changed.
    void lblSides_Click(int Index);
    /// Writes the bars into the selected control's tag prefix.
    void PropertyPage_ApplyChanges();

    /// True once a bar was toggled since the last apply.
    bool Changed() const { return m_changed; }
    void setChanged(bool changed);

    /// The colour of edge bar `index`: black (0) when anchored, white (0xFFFFFF) when free.
    Colour sideColour(int index) const;

    QLabel *lblTitle() const { return m_lblTitle; }
    QListWidget *lstCtrls() const { return m_lstCtrls; }
    QFrame *picFrame() const { return m_picFrame; }
    QPushButton *cmdObject() const { return m_cmdObject; }
    QLabel *lblSides(int index) const { return m_lblSides.at(static_cast<std::size_t>(index)); }

    static constexpr Colour Anchored = rgbColour(0, 0, 0);
    static constexpr Colour Free = rgbColour(255, 255, 255);

signals:
    void changedChanged(bool changed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Control
    {
        QPointer<QObject> object;
        ControlName name;
    };

    void build();
    void place(QWidget *widget, int left, int top, int width, int height);
    void setSideColour(int index, Colour colour);
    std::vector<QObject *> selectedControls() const;

    TwipsScale m_twips;
    std::vector<Control> m_controls;
    bool m_changed = false;
    QLabel *m_lblTitle = nullptr;
    QListWidget *m_lstCtrls = nullptr;
    QFrame *m_picFrame = nullptr;
    QPushButton *m_cmdObject = nullptr;
    std::array<QLabel *, 4> m_lblSides{};
};

} // namespace tessaly
