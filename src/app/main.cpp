#include "app/command_line.h"
#include "app/main_frame.h"
#include "media/artwork.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QStandardPaths>

#include <cstdio>
#include <filesystem>

namespace {

// --help and --version answer before Qt starts: no display is needed, no folder is made.
int AnswerWithoutWindow(korbi::app::StartRequest request, const char* program) {
    const std::string text =
        request == korbi::app::StartRequest::Help
            ? korbi::app::HelpText(std::filesystem::path(program).filename().string())
            : korbi::app::VersionText();
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const korbi::app::StartRequest request = korbi::app::ReadCommandLine(argc, argv);
    if (request != korbi::app::StartRequest::Run) {
        return AnswerWithoutWindow(request, argc > 0 ? argv[0] : "korbi");
    }
    QApplication app(argc, argv);
    // The program folder is the per-user data folder: ~/.local/share/korbi.
    QApplication::setApplicationName("korbi");
    QGuiApplication::setDesktopFileName("korbi");
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(korbi::media::ApplicationIcon(size)));
    }
    QApplication::setWindowIcon(icon);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    korbi::app::MainFrame frame(folder.toStdString());
    if (frame.StartupFailed()) {
        return 1;
    }
    frame.show();
    const int status = QApplication::exec();
    return status != 0 ? status : frame.ExitStatus();
}
