#include "panes/picture_cache.h"

#include "media/artwork.h"

#include <QFile>

namespace korbi::panes {

namespace {
// Enough for every picture a busy session shows; beyond it the cache starts afresh rather
// than grow without end on a flood of different user pictures.
constexpr std::size_t kMaxCachedFiles = 512;
} // namespace

PictureCache::PictureCache(const platform::ProgramFolder& folder)
    : m_folder(folder), m_builtIns{media::EventPicture(media::EventPict::Join),
                                   media::EventPicture(media::EventPict::Part),
                                   media::EventPicture(media::EventPict::Quit),
                                   media::EventPicture(media::EventPict::PicErr)} {}

const QImage& PictureCache::Picture(std::string_view name) {
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
    return m_files.emplace(key, std::move(image)).first->second;
}

void PictureCache::Refresh(std::string_view name) {
    m_files.erase(PictKey(name));
}

} // namespace korbi::panes
