#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

namespace tessaly {

/// The strip under the open-image dialog: an etched box with the three text lines on the
/// left and the thumbnail at x 320. It paints what it is given and holds no other state.
class PreviewStrip : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewStrip(QWidget *parent = nullptr);

    /// Shows `picture` as the thumbnail (none when null) and `lines` as the texts.
    void setPreview(const QImage &picture, const QStringList &lines);

    const QImage &picture() const { return m_picture; }
    const QStringList &lines() const { return m_lines; }
    /// Where the thumbnail is drawn in strip coordinates; empty when there is none.
    QRect thumbnailRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QStringList m_lines;
};

} // namespace tessaly
