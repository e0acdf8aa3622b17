// Writes the application icon for desktop menus in the hicolor theme's layout under
// OUTPUT_FOLDER: scalable/apps/korbi.svg and NxN/apps/korbi.png at the usual sizes, from the same
// drawing the program shows as its window icon.
#include "media/artwork.h"

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool WriteSvg(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "scalable/apps");
    std::ofstream svg(folder / "scalable/apps/korbi.svg", std::ios::binary);
    svg << korbi::media::ApplicationIconSvg();
    svg.close();
    return static_cast<bool>(svg);
}

bool WritePng(const std::filesystem::path& folder, int size) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path apps = folder / name / "apps";
    std::filesystem::create_directories(apps);
    const std::string file = (apps / "korbi.png").string();
    return korbi::media::ApplicationIcon(size).save(QString::fromStdString(file));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    if (!WriteSvg(folder)) {
        std::fprintf(stderr, "cannot write the SVG icon in %s\n", argv[1]);
        return 1;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        if (!WritePng(folder, size)) {
            std::fprintf(stderr, "cannot write the %d pixel icon in %s\n", size, argv[1]);
            return 1;
        }
    }
    return 0;
}
