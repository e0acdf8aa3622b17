#include "panes/picture_cache.h"

#include "media/artwork.h"

#include <QFile>

namespace korbi::panes {

namespace {
// Enough for every picture a busy session shows; beyond it the cache starts afresh rather
// than grow without end on a flood of different user pictures.
constexpr std::size_t kMaxCachedFiles = 512;

std::array<QImage, 4> DrawBuiltIns(qreal dpr) {
    return {media::EventPicture(media::EventPict::Join, dpr),
            media::EventPicture(media::EventPict::Part, dpr),
            media::EventPicture(media::EventPict::Quit, dpr),
            media::EventPicture(media::EventPict::PicErr, dpr)};
}
} // namespace

PictureCache::PictureCache(const platform::ProgramFolder& folder)
    : m_folder(folder), m_builtIns(DrawBuiltIns(m_dpr)) {}

void PictureCache::UseRatio(qreal dpr) {
    if (qFuzzyCompare(dpr, m_dpr)) {
        return;
    }
    m_dpr = dpr;
    m_builtIns = DrawBuiltIns(dpr);
    m_files.clear();
}

const QImage& PictureCache::Picture(std::string_view name, qreal dpr) {
    UseRatio(dpr);
    const std::string normalised = NormalisePictName(name);
    if (const auto builtIn = FindBuiltInPict(normalised)) {
        return m_builtIns[static_cast<std::size_t>(*builtIn)];
    }
    const QImage& image = Loaded(PictKey(normalised), normalised);
    return image.isNull() ? ErrorPicture() : image;
}

const QImage& PictureCache::ErrorPicture() {
    const QImage& file = Loaded(PictKey(kPicErrFile), kPicErrFile);
    return file.isNull() ? m_builtIns[static_cast<std::size_t>(BuiltInPict::PicErr)] : file;
}

const QImage& PictureCache::Loaded(const std::string& key, std::string_view name) {
    if (const auto found = m_files.find(key); found != m_files.end()) {
        return found->second;
    }
    if (m_files.size() >= kMaxCachedFiles) {
        m_files.clear();
    }
    // Resolve keeps every name inside the program folder, whatever ".." it holds.
    QImage image;
    image.load(QFile::decodeName(QByteArray::fromStdString(m_folder.Resolve(name).string())));
    return m_files.emplace(key, media::PictureForScreen(name, image, m_dpr)).first->second;
}

void PictureCache::Refresh(std::string_view name) {
    m_files.erase(PictKey(name));
}

} // namespace korbi::panes
