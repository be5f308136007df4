#pragma once

#include "capture/BrowserView.h"
#include "drawing/Colour.h"
#include "drawing/Twips.h"

#include <QMap>
#include <QWidget>

#include <vector>

/// The colour a fake page shows at a page row: unique for every row up to 8 million.
tessaly::Colour fakeRowColour(int row);

/// A scripted browser view: a page of a given height whose every row has its own colour,
/// frames with given names and heights, and a record of the view's moves. It is placed as a
/// real widget inside the container, so grabs of the window see it where the capture put it.
/// It belongs to its page widget, which belongs to the container.
class FakeBrowserView : public tessaly::BrowserView
{
public:
    FakeBrowserView(QWidget *container, tessaly::TwipsScale scale, int pageHeight);

    /// A frame reached by the path of names, e.g. {"outer", "inner"}.
    void setFrame(const QStringList &path, int height) { m_frames.insert(path.join(u'/'), height); }
    void setDocumentReadable(bool readable) { m_readable = readable; }

    std::vector<float> tops;    ///< every Top the capture set, in order
    std::vector<float> heights; ///< every Height the capture set
    int waits = 0;              ///< calls of waitUntilShown
    int prepares = 0;
    int finishes = 0;
    int heightReads = 0;        ///< calls of bodyScrollHeight
    float heightSkew = 0;       ///< added to every Height read, as an engine that rounds might
    bool frozen = false;        ///< ignores every Top set, like a view that cannot move
    std::optional<int> content; ///< how far the page's content reaches, pixels (unknown: unset)
    int interrupts = 0;         ///< calls of interruptWaits
    bool unreadable = false;    ///< renders nothing, like a view whose frame cannot be read

    QWidget *widget() override { return m_widget; }
    float Left() const override { return m_left; }
    float Top() const override { return m_top; }
    float Width() const override { return m_width; }
    float Height() const override { return m_height + heightSkew; }
    void setLeft(float twips) override { set(m_left, twips); }
    void setTop(float twips) override
    {
        tops.push_back(twips);
        set(m_top, frozen ? m_top : twips);
    }
    void setWidth(float twips) override { set(m_width, twips); }
    void setHeight(float twips) override
    {
        heights.push_back(twips);
        set(m_height, twips);
    }
    void setVisible(bool visible) override { m_widget->setVisible(visible); }
    void Navigate(const QString &) override {}
    void GoBack() override {}
    void GoForward() override {}
    void Stop() override {}
    void Refresh() override {}
    void setSilent(bool) override {}
    void setResizable(bool) override {}
    QString LocationURL() const override { return {}; }
    std::optional<int> bodyScrollHeight(const QStringList &framePath = {}) override;
    void prepareForCapture() override { ++prepares; }
    void finishCapture() override { ++finishes; }
    bool waitUntilShown() override
    {
        ++waits;
        return true;
    }
    QImage renderArea(const QRect &area) override
    {
        return unreadable ? QImage() : m_widget->grab(area).toImage();
    }
    std::optional<int> contentHeight() override { return content; }
    void interruptWaits() override { ++interrupts; }

private:
    /// Sets one of the four and puts the page widget where they place it.
    void set(float &geometry, float twips);

    tessaly::TwipsScale m_scale;
    QWidget *m_widget;
    int m_pageHeight;
    QMap<QString, int> m_frames;
    bool m_readable = true;
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
};
