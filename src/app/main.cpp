#include "prefs/main_frame.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("korbi");
    QApplication::setOrganizationName("korbi");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    korbi::prefs::MainFrame frame(folder.toStdString());
    frame.show();
    return QApplication::exec();
}
