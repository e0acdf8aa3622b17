// Shared main of every test program: real widgets on the offscreen platform, the project's own
// fonts only, a private runtime folder, no session bus, and one QApplication for the whole run.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    setenv("FONTCONFIG_FILE", KORBI_TEST_FONTS_CONF, 1);
    QTemporaryDir runtimeDir(QDir::tempPath() + "/korbi-test-runtime-XXXXXX");
    QFile::setPermissions(runtimeDir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
    // Desktop notifications of the tests go nowhere: never to the desktop of whoever runs them.
    setenv("DBUS_SESSION_BUS_ADDRESS",
           ("unix:path=" + runtimeDir.path() + "/no-bus").toLocal8Bit().constData(), 1);

    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
