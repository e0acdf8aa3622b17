#pragma once
// The pictures drawn at the start of lines, loaded once from the program folder and kept, so
// that repainting a view never reads a file. A picture that cannot be loaded is shown as the
// error picture; a refresh makes the next drawing read a name's file again. Pictures are kept
// for one screen's device pixel ratio: asked for another (the window moved to another screen),
// the cache starts afresh.
#include "panes/picture_names.h"
#include "platform/program_folder.h"

#include <QImage>

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace korbi::panes {

class PictureCache {
  public:
    explicit PictureCache(const platform::ProgramFolder& folder);

    // The picture to draw for a name (normalised or not). Never a null image: built-in names
    // are drawn by the program, files are loaded from the program folder, and what cannot be
    // loaded becomes "PICTS\evpicerr.bmp", or the built-in error picture when that fails too.
    // The image is made for a screen of device pixel ratio dpr and keeps its size in
    // device-independent pixels (media::PictureForScreen).
    const QImage& Picture(std::string_view name, qreal dpr);

    // Forgets what was loaded for name, so its file is read again when next drawn.
    void Refresh(std::string_view name);

  private:
    // The file's picture, or a null image when it cannot be loaded; cached either way.
    const QImage& Loaded(const std::string& key, std::string_view name);
    const QImage& ErrorPicture();
    void UseRatio(qreal dpr);

    const platform::ProgramFolder& m_folder;
    qreal m_dpr = 1;
    std::array<QImage, 4> m_builtIns; // by BuiltInPict: the artwork's event pictures
    std::unordered_map<std::string, QImage> m_files;
};

} // namespace korbi::panes
