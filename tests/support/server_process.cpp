#include "support/server_process.h"

#include "support/wait.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace korbi::testing {

int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

namespace {

bool Listening(int port) {
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    const bool up = probe.waitForConnected(200);
    probe.abort();
    return up;
}

} // namespace

// Ended as a shutdown would end it (SIGTERM), killed when it does not end.
ServerProcess::~ServerProcess() {
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        Stop();
    }
}

bool ServerProcess::Start(const QString& program, const Preparation& prepare) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = FreePort();
        const std::optional<QStringList> arguments = prepare(m_port);
        if (!arguments) {
            return false;
        }
        if (Launch(program, *arguments)) {
            return true;
        }
        Stop();
    }
    return false;
}

bool ServerProcess::Launch(const QString& program, const QStringList& arguments) {
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, arguments);
    return m_process.waitForStarted(5000) &&
           WaitUntil([&] { return !Running() || Listening(m_port); }, 10000) && Running();
}

std::string ServerProcess::Output() const {
    return const_cast<QProcess&>(m_process).readAll().toStdString();
}

void ServerProcess::Stop() {
    m_process.kill();
    m_process.waitForFinished(3000);
}

} // namespace korbi::testing
