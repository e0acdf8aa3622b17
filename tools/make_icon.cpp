// Writes the application icon for desktop menus: korbi.svg (scalable) and korbi.png (256 pixels),
// from the same drawing the program shows as its window icon.
#include "media/artwork.h"

#include <QImage>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::ofstream svg(folder + "/korbi.svg", std::ios::binary);
    svg << korbi::media::ApplicationIconSvg();
    svg.close();
    if (!svg) {
        std::fprintf(stderr, "cannot write %s/korbi.svg\n", folder.c_str());
        return 1;
    }
    if (!korbi::media::ApplicationIcon(256).save(QString::fromStdString(folder + "/korbi.png"))) {
        std::fprintf(stderr, "cannot write %s/korbi.png\n", folder.c_str());
        return 1;
    }
    return 0;
}
