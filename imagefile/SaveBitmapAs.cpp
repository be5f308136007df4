#include "imagefile/SaveBitmapAs.h"

#include "imagefile/BuiltInEncoders.h"

#include <QDir>

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

Result<std::unique_ptr<ImageFileStream>> SaveBitmapAs::OpenImageFile(const QString &fileName,
                                                                     int width)
{
    const QString mimeType = mimeTypeForFileName(fileName);
    if (mimeType.isEmpty())
        return fail(u"%1 does not end in .png, .gif, .jpg, .tif or .bmp"_s.arg(
            QDir::toNativeSeparators(fileName)));
    if (m_token == 0)
        return fail(u"The image writer is not running"_s);
    if (width <= 0)
        return fail(u"There is no picture to save"_s);
    EncoderId id;
    std::shared_ptr<const ImageEncoder> found =
        FindEncoderClsid(mimeType, id) ? encoder(id) : nullptr;
    if (!found)
        return fail(u"This program has no encoder for %1 files"_s.arg(mimeType));
    return ImageFileStream::open(fileName, std::move(found), width, m_quality);
}

Result<void> SaveBitmapAs::SaveImageFile(const Picture &picture, const QString &fileName)
{
    // An empty picture is refused as having width 0, after the name and the library.
    const bool empty = picture.isNull() || picture.width() <= 0 || picture.height() <= 0;
    Result<std::unique_ptr<ImageFileStream>> opened =
        OpenImageFile(fileName, empty ? 0 : picture.width());
    if (!opened)
        return fail(opened.error());
    ImageFileStream &stream = **opened;
    if (Result<void> added = stream.addRows(picture.image()); !added)
        return added;
    return stream.commit();
}

std::shared_ptr<const ImageEncoder> SaveBitmapAs::encoder(const EncoderId &id) const
{
    for (const auto &candidate : m_encoders) {
        if (candidate->id() == id)
            return candidate;
    }
    return nullptr;
}

} // namespace tessaly
