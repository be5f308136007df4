#pragma once

#include "base/Result.h"
#include "drawing/Colour.h"
#include "drawing/Picture.h"
#include "imagefile/QueuedImageFile.h"
#include "imagefile/WholePictureStream.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace tessaly {

class DrawingSurface;
class LiveSettings;
class SaveBitmapAs;
struct CaptureState;

/// Starts the picture (picPicture) the walk streams its bands into, stamps the watermarks
/// on it and finishes the file.
class TileFinishing
{
    Q_DECLARE_TR_FUNCTIONS(TileFinishing)

public:
    /// A step between the finished picture and the file: gets the stamped picture and
    /// returns the one to write, or why the capture fails. With a step, the picture is
    /// held whole in memory until the walk ends.
    using OutputStep = std::function<Result<Picture>(const Picture &finished)>;

    TileFinishing(CaptureState &state, SaveBitmapAs &writer, const LiveSettings &settings)
        : m_state(state), m_writer(writer), m_settings(settings)
    {
    }

    void setFileNameSource(std::function<QString()> source)
    {
        m_fileNameSource = std::move(source);
    }
    void setBannerStamped(bool stamped) { m_bannerStamped = stamped; }
    void setOutputStep(OutputStep step) { m_outputStep = std::move(step); }

    /// Opens the file the walk's bands go to, at the page's measured size; the watermark
    /// goes on the rows as they pass. Fails, saying why, when the file cannot be started.
    Result<void> startPicture();
    /// Gives up the picture being written: nothing appears at its name.
    void abandonPicture();
    /// Ends the picture at PageHeight with the banner at its bottom and puts the file in
    /// place; gives the file written, or why nothing was.
    Result<QString> TakePic();
    static void StampWatermark(const DrawingSurface &watermark, DrawingSurface &canvas,
                               std::int32_t x, std::int32_t y);
    static Colour BlendColors(Colour colour1, Colour colour2, std::uint8_t weight);

private:
    QString nextNumberedFileName() const;
    QString savingFailed(const QString &reason) const;
    Result<QString> writeWholePicture(const Result<void> &streamed);

    CaptureState &m_state;
    SaveBitmapAs &m_writer;
    const LiveSettings &m_settings;
    std::function<QString()> m_fileNameSource;
    OutputStep m_outputStep;
    bool m_bannerStamped = true;

    QString m_fileName;
    std::unique_ptr<QueuedImageFile> m_file;
    std::unique_ptr<WholePictureStream> m_whole; // with an output step
    QImage m_wholePicture;
};

} // namespace tessaly
