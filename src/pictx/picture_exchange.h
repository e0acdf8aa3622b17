#pragma once
// The picture exchange: serves the pictures of the "PICTS" folder to other clients and fetches
// the pictures they announce. One fetch runs at a time; up to MaxServing connections are served
// at once. It is a window of its own (never drawn inside its parent) that stays hidden; its menu
// `pictmenu` and its status picture are shown by the server window's picture-server icon.
#include "media/artwork.h"
#include "pictx/exchange_rules.h"
#include "pictx/picture_files.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTimer;

namespace korbi::platform {
class ProgramFolder;
class Socket;
} // namespace korbi::platform
namespace korbi::core {
class Media;
class SettingsAccess;
} // namespace korbi::core

namespace korbi::pictx {

struct PictureExchangeOptions {
    // Address the server listens on; empty for every interface.
    std::string BindAddress;
    // First port tried; the next ones up to 49 above it are tried in turn. 0 takes any free
    // port (tests).
    int FirstListenPort = pictx::FirstListenPort;
    // Port a fetch connects to.
    int FetchPort = pictx::FetchPort;
    // A fetch, or a serving connection that has not sent its request, is given up after this.
    int TimeoutMs = FetchTimeoutMs;
};

class PictureExchange : public QWidget {
    Q_OBJECT
  public:
    PictureExchange(core::Media& media, core::SettingsAccess& config,
                    const platform::ProgramFolder& folder, PictureExchangeOptions options = {},
                    QWidget* parent = nullptr);
    ~PictureExchange() override;

    // Fetches the picture path ("PICTS\" + name) from host's picture server into the same path
    // here. Does nothing while "Fetch missing Picts" is off, while a fetch runs, for an empty
    // host, or for a path outside "PICTS".
    void FetchFile(const std::string& host, const std::string& path);
    bool IsFetching() const { return m_isFetching; }
    const std::string& FileFetching() const { return m_fileFetching; }

    // The port the server listens on, 0 when no port was free.
    int ListenPort() const { return m_listenPort; }
    // Serving sockets created so far (`Socket2(1)` to `Socket2(SockCount)`).
    int SockCount() const { return static_cast<int>(m_socket2.size()) - 1; }

    // The picture-server icon's menu: "Server is Listening" (SendPics) and "Fetch missing Picts"
    // (FetchPics). Its check marks follow the settings each time it opens.
    QMenu* pictmenu() const { return m_pictmenu; }

    media::PicServImage PicServIcon() const { return m_icon; }

  signals:
    void PicServIconChanged(korbi::media::PicServImage image);

  private:
    void Form_Load();
    void SyncMenuChecks();
    void Socket1_Connect();
    void Socket1_DataArrival();
    void Socket1_Close();
    void AbandonFetch();
    void EndFetch();
    void Socket2_ConnectionRequest(int requestID);
    void Socket2_DataArrival(std::size_t i);
    void Socket2_Close(std::size_t i);
    void SendFile(std::size_t i, const std::string& path);
    void FeedServing(std::size_t i);
    void CloseServing(std::size_t i);
    void SetIcon(media::PicServImage image);

    core::Media& m_media;
    core::SettingsAccess& m_config;
    const platform::ProgramFolder& m_folder;
    PictureExchangeOptions m_options;

    platform::Socket* m_socket1;
    QTimer* m_fetchTimer;
    std::unique_ptr<FetchedFile> m_fetchFile;
    bool m_isFetching = false;
    std::string m_fileFetching;
    std::uint32_t m_recvsGot = 0;

    // Socket2[0] listens; the others serve one request each and are reused.
    std::vector<platform::Socket*> m_socket2;
    std::vector<QTimer*> m_servingTimers; // indexed like m_socket2, none for the listener
    std::vector<std::unique_ptr<ServedFile>> m_served; // the file each connection is sending
    int m_listenPort = 0;

    QMenu* m_pictmenu;
    QAction* m_menuServList;
    QAction* m_menuFetch;
    media::PicServImage m_icon = media::PicServImage::FreePicServ;
};

} // namespace korbi::pictx
