#pragma once

#include "base/Result.h"
#include "drawing/Colour.h"
#include "drawing/Picture.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <functional>

namespace tessaly {

class DrawingSurface;
class LiveSettings;
class SaveBitmapAs;
struct CaptureState;

/// Finishes the stitched canvas into the picture (picPicture), stamps the watermarks on it
/// and writes the file.
class TileFinishing
{
    Q_DECLARE_TR_FUNCTIONS(TileFinishing)

public:
    /// A step between the finished picture and the file: gets the stamped picture and
    /// returns the one to write, or why the capture fails.
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

    /// Writes the picture; gives the file written, or why nothing was.
    Result<QString> TakePic();
    static void StampWatermark(const DrawingSurface &watermark, DrawingSurface &canvas,
                               std::int32_t x, std::int32_t y);
    static Colour BlendColors(Colour colour1, Colour colour2, std::uint8_t weight);

private:
    QString nextNumberedFileName() const;

    CaptureState &m_state;
    SaveBitmapAs &m_writer;
    const LiveSettings &m_settings;
    std::function<QString()> m_fileNameSource;
    OutputStep m_outputStep;
    bool m_bannerStamped = true;
};

} // namespace tessaly
