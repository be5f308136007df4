#include "imagefile/SaveBitmapAs.h"

#include "base/CheckedOutputDevice.h"
#include "imagefile/BuiltInEncoders.h"

#include <QDir>
#include <QSaveFile>

#include <array>

using namespace Qt::StringLiterals;

namespace tessaly {

namespace {

constexpr int LibraryVersion = 1;

struct ExtensionType
{
    QLatin1StringView extension;
    QLatin1StringView mimeType;
};

constexpr std::array<ExtensionType, 5> ExtensionTable{{
    {".png"_L1, "image/png"_L1},
    {".gif"_L1, "image/gif"_L1},
    {".jpg"_L1, "image/jpeg"_L1},
    {".tif"_L1, "image/tiff"_L1},
    {".bmp"_L1, "image/bmp"_L1},
}};

} // namespace

SaveBitmapAs::SaveBitmapAs() : m_loadEncoders(&builtInEncoders) {}

SaveBitmapAs::SaveBitmapAs(EncoderList encoders)
    : m_loadEncoders([encoders = std::move(encoders)] { return encoders; })
{
}

Result<void> SaveBitmapAs::StartGdiplus(int version)
{
    // A refused start leaves a library started earlier as it was.
    if (version != LibraryVersion) {
        m_started = false;
        return fail(u"The image writer has no interface version %1"_s.arg(version));
    }
    m_encoders = m_loadEncoders();
    m_token = ++m_lastToken;
    m_started = true;
    return {};
}

void SaveBitmapAs::StopGdiplus()
{
    if (!m_started || m_token == 0)
        return;
    m_encoders.clear();
    m_token = 0;
}

QString SaveBitmapAs::mimeTypeForFileName(const QString &fileName)
{
    const QString extension = fileName.right(4).toLower();
    for (const ExtensionType &entry : ExtensionTable) {
        if (extension == entry.extension)
            return entry.mimeType;
    }
    return {};
}

bool SaveBitmapAs::FindEncoderClsid(const QString &mimeType, EncoderId &clsid) const
{
    for (const auto &candidate : m_encoders) {
        if (candidate->mimeType().compare(mimeType, Qt::CaseInsensitive) == 0) {
            clsid = candidate->id();
            return true;
        }
    }
    return false;
}

Result<void> SaveBitmapAs::SaveImageFile(const Picture &picture, const QString &fileName)
{
    const QString shownName = QDir::toNativeSeparators(fileName);
    const QString mimeType = mimeTypeForFileName(fileName);
    if (mimeType.isEmpty())
        return fail(u"%1 does not end in .png, .gif, .jpg, .tif or .bmp"_s.arg(shownName));
    if (m_token == 0)
        return fail(u"The image writer is not running"_s);
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return fail(u"There is no picture to save"_s);

    EncoderId id;
    const ImageEncoder *found = FindEncoderClsid(mimeType, id) ? encoder(id) : nullptr;
    if (!found)
        return fail(u"This program has no encoder for %1 files"_s.arg(mimeType));
    const QImage &image = picture.image();
    if (Result<void> fits = found->checkSize(image.size()); !fits)
        return fits;

    QSaveFile file(fileName);
    // Unbuffered, so that the disk's refusal reaches the checked device at the write that
    // caused it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(u"Cannot write %1: %2"_s.arg(shownName, file.errorString()));
    CheckedOutputDevice output(file);
    const Result<void> written = m_quality > 0 ? found->writeAtQuality(image, output, m_quality)
                                               : found->write(image, output);
    // A writer may finish happily although the disk refused part of its output: the
    // device's record decides, and says more than the encoder's summary.
    if (!written || output.failed()) {
        const QString reason = output.failed() ? output.failure() : written.error();
        file.cancelWriting();
        return fail(u"Cannot write %1: %2"_s.arg(shownName, reason));
    }
    if (!file.commit())
        return fail(u"Cannot write %1: %2"_s.arg(shownName, file.errorString()));
    return {};
}

const ImageEncoder *SaveBitmapAs::encoder(const EncoderId &id) const
{
    for (const auto &candidate : m_encoders) {
        if (candidate->id() == id)
            return candidate.get();
    }
    return nullptr;
}

} // namespace tessaly
