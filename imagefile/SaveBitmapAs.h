#pragma once

#include "drawing/Picture.h"
#include "imagefile/ImageEncoder.h"
#include "imagefile/ImageFileStream.h"

#include <QString>

#include <functional>

namespace tessaly {

/// Writes a picture to an image file in the format its name ends with (".png", ".gif",
/// ".jpg", ".tif" or ".bmp"), and starts and stops the encoder library it writes with.
///
/// Files are written to a temporary file beside the target and renamed over it only when
/// complete, so a failed save leaves neither a partial image nor a damaged earlier file.
class SaveBitmapAs
{
public:
    /// Writes with the encoders this build has, looked up each time the library starts.
    SaveBitmapAs();
    /// Writes with the given encoders instead, in the order given.
    explicit SaveBitmapAs(EncoderList encoders);

    /// Starts the library for interface `version` (1 is the only one). The started flag is
    /// true afterwards exactly when the start succeeded.
    Result<void> StartGdiplus(int version);
    /// Shuts the library down when the started flag is set; the flag itself stays set.
    /// Saves fail until the library is started again.
    void StopGdiplus();

    /// Writes the file. Fails, saying why, for a name with none of the five extensions, a
    /// library that is not running, an empty picture, no encoder for the type, a picture
    /// too large for the format, or a failed write.
    Result<void> SaveImageFile(const Picture &picture, const QString &fileName);
    /// Starts the file for a picture of this width whose rows come later, block by block;
    /// fails as SaveImageFile does before it writes.
    Result<std::unique_ptr<ImageFileStream>> OpenImageFile(const QString &fileName, int width);

    /// The quality, 1 to 100, of later saves in formats that have one (JPEG); 0 or less
    /// returns to each format's default.
    void setQuality(int quality) { m_quality = quality; }
    int quality() const { return m_quality; }

    /// Finds the first encoder of the running library whose MIME type matches, ignoring
    /// case; `clsid` is written only when one is found.
    bool FindEncoderClsid(const QString &mimeType, EncoderId &clsid) const;

    bool started() const { return m_started; }

    /// The MIME type the last four characters of fileName select, lower-cased; empty when
    /// they are none of the five extensions.
    static QString mimeTypeForFileName(const QString &fileName);

private:
    std::shared_ptr<const ImageEncoder> encoder(const EncoderId &id) const;

    std::function<EncoderList()> m_loadEncoders;
    bool m_started = false;
    quint32 m_token = 0;     // the running library's token; 0 while it is not running
    quint32 m_lastToken = 0; // tokens are never reused
    EncoderList m_encoders;  // the running library's encoders
    int m_quality = 0;
};

} // namespace tessaly
