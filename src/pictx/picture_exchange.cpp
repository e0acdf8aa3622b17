#include "pictx/picture_exchange.h"

#include "core/media.h"
#include "core/settings_access.h"
#include "platform/program_folder.h"
#include "platform/socket.h"
#include "platform/text_values.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include <array>

namespace korbi::pictx {

namespace {

constexpr int kPortsTried = ListenPortLimit - FirstListenPort;
constexpr int kHighestPort = 65535;

// How far a serving connection's queue is filled ahead of the network: a large file goes out
// in slices of this size, read from disk as the peer takes them.
constexpr std::size_t kSendAheadBytes = 64 * 1024;

} // namespace

PictureExchange::PictureExchange(core::Media& media, core::SettingsAccess& config,
                                 const platform::ProgramFolder& folder,
                                 PictureExchangeOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window), m_media(media), m_config(config), m_folder(folder),
      m_options(std::move(options)), m_socket1(new platform::Socket(this)),
      m_fetchTimer(new QTimer(this)), m_pictmenu(new QMenu(this)),
      m_menuServList(m_pictmenu->addAction("Server is Listening")),
      m_menuFetch(m_pictmenu->addAction("Fetch missing Picts")) {
    setWindowTitle("Pict Server");

    m_fetchTimer->setSingleShot(true);
    connect(m_socket1, &platform::Socket::Connected, this, &PictureExchange::Socket1_Connect);
    connect(m_socket1, &platform::Socket::DataArrival, this, &PictureExchange::Socket1_DataArrival);
    connect(m_socket1, &platform::Socket::Closed, this, &PictureExchange::Socket1_Close);
    // A fetch that cannot connect, is cut off or takes too long is over; nothing of it is kept.
    connect(m_socket1, &platform::Socket::Error, this, &PictureExchange::AbandonFetch);
    connect(m_fetchTimer, &QTimer::timeout, this, &PictureExchange::AbandonFetch);

    m_menuServList->setObjectName("MenuServList");
    m_menuFetch->setObjectName("MenuFetch");
    m_menuServList->setCheckable(true);
    m_menuFetch->setCheckable(true);
    connect(m_pictmenu, &QMenu::aboutToShow, this, &PictureExchange::SyncMenuChecks);
    connect(m_menuServList, &QAction::triggered, this, [this] {
        bool& SendPics = m_config.settings().SendPics;
        SendPics = !SendPics;
        SyncMenuChecks();
    });
    connect(m_menuFetch, &QAction::triggered, this, [this] {
        bool& FetchPics = m_config.settings().FetchPics;
        FetchPics = !FetchPics;
        SyncMenuChecks();
    });
    Form_Load();
}

PictureExchange::~PictureExchange() = default;

void PictureExchange::Form_Load() {
    SyncMenuChecks();
    SetIcon(media::PicServImage::FreePicServ);
    auto* listener = new platform::Socket(this);
    m_socket2.push_back(listener);
    m_servingTimers.push_back(nullptr);
    m_served.emplace_back();
    connect(listener, &platform::Socket::ConnectionRequest, this,
            &PictureExchange::Socket2_ConnectionRequest);

    const int first = m_options.FirstListenPort;
    const int last = first == 0 ? 0 : std::min(first + kPortsTried - 1, kHighestPort);
    for (int port = first; port <= last; ++port) {
        if (listener->Bind(port, m_options.BindAddress)) {
            listener->Listen();
            m_listenPort = listener->LocalPort;
            return;
        }
    }
}

// The settings are the check marks' truth: the preferences may be read after this window was
// made.
void PictureExchange::SyncMenuChecks() {
    m_menuServList->setChecked(m_config.settings().SendPics);
    m_menuFetch->setChecked(m_config.settings().FetchPics);
}

void PictureExchange::SetIcon(media::PicServImage image) {
    m_icon = image;
    emit PicServIconChanged(image);
}

// ---- Fetching

void PictureExchange::FetchFile(const std::string& host, const std::string& path) {
    if (!m_config.settings().FetchPics || m_isFetching || !IsFetchable(host, path)) {
        return;
    }
    m_socket1->RemoteHost = platform::TrimBlanks(host);
    m_socket1->LocalPort = 0;
    m_socket1->RemotePort = m_options.FetchPort;
    m_socket1->Connect();
    m_isFetching = true;
    m_fileFetching = path;
    m_recvsGot = 0;
    m_fetchTimer->start(m_options.TimeoutMs);
}

// The picture is written under a temporary name and takes its own name only once the whole
// file has arrived, so a cut-off fetch never leaves a picture that looks complete.
void PictureExchange::Socket1_Connect() {
    m_folder.MakeDirIfNotExist("PICTS");
    m_fetchFile = FetchedFile::Create(m_folder.Resolve("PICTS"));
    if (!m_fetchFile) {
        EndFetch();
        return;
    }
    SetIcon(media::PicServImage::DownPicServ);
    m_socket1->SendData(FetchRequest(m_fileFetching));
}

void PictureExchange::Socket1_DataArrival() {
    const std::string received = m_socket1->GetData();
    if (!m_isFetching || !m_fetchFile) {
        return;
    }
    const FetchChunk chunk = AcceptFetchChunk(m_recvsGot, received.size());
    if (chunk.Abandon) {
        EndFetch(); // too big for a picture; the icon keeps showing the download
        return;
    }
    if (!m_fetchFile->Write(received)) {
        EndFetch();
        return;
    }
    m_recvsGot = chunk.RecvsGot;
}

void PictureExchange::Socket1_Close() {
    const std::string path = m_fileFetching;
    const bool kept = m_fetchFile && KeepFetchedFile(true, m_recvsGot) &&
                      m_fetchFile->CommitAs(m_folder.Resolve(path));
    EndFetch();
    SetIcon(media::PicServImage::FreePicServ);
    if (kept) {
        m_media.RefreshPict(path); // the file is complete and closed by now
    }
}

void PictureExchange::AbandonFetch() {
    EndFetch();
    SetIcon(m_icon == media::PicServImage::BothPicServ ? media::PicServImage::UpPicServ
                                                       : media::PicServImage::FreePicServ);
}

void PictureExchange::EndFetch() {
    m_fetchTimer->stop();
    m_socket1->Close();
    m_fetchFile.reset(); // an uncommitted file is discarded with its temporary name
    m_isFetching = false;
    m_fileFetching.clear();
}

// ---- Serving

void PictureExchange::Socket2_ConnectionRequest(int requestID) {
    std::array<bool, MaxServing> busy{};
    const std::size_t count = m_socket2.size() - 1; // never more than MaxServing
    for (std::size_t i = 1; i <= count; ++i) {
        busy[i - 1] = m_socket2[i]->State() != platform::Socket::kClosed;
    }
    const std::size_t i = ChooseServingSocket(std::span<const bool>(busy.data(), count));
    if (i == 0) {
        platform::Socket refused;
        refused.Accept(*m_socket2[0], requestID);
        refused.Close();
        return;
    }
    if (i == m_socket2.size()) {
        auto* socket = new platform::Socket(this);
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        m_socket2.push_back(socket);
        m_servingTimers.push_back(timer);
        m_served.emplace_back();
        connect(socket, &platform::Socket::DataArrival, this,
                [this, i] { Socket2_DataArrival(i); });
        // Queued: the socket may tell of written bytes from inside the SendData that fed it.
        connect(
            socket, &platform::Socket::BytesWritten, this, [this, i] { FeedServing(i); },
            Qt::QueuedConnection);
        connect(socket, &platform::Socket::Closed, this, [this, i] { Socket2_Close(i); });
        connect(socket, &platform::Socket::Error, this, [this, i] { CloseServing(i); });
        // A peer that never sends its request must not hold a serving place for ever.
        connect(timer, &QTimer::timeout, this, [this, i] { CloseServing(i); });
    }
    if (m_socket2[i]->Accept(*m_socket2[0], requestID)) {
        m_servingTimers[i]->start(m_options.TimeoutMs);
    }
}

// Only the first chunk is read as the request; anything but a picture of "PICTS" is refused.
void PictureExchange::Socket2_DataArrival(std::size_t i) {
    const std::string request = m_socket2[i]->GetData();
    if (m_socket2[i]->State() != platform::Socket::kConnected || m_served[i]) {
        return;
    }
    const std::optional<std::string> name = RequestedPictName(request);
    if (!name) {
        CloseServing(i);
        return;
    }
    SendFile(i, "PICTS\\" + *name);
}

// A file that may not be served (a link, no regular file, too large) closes the connection
// without data, as a missing one does.
void PictureExchange::SendFile(std::size_t i, const std::string& path) {
    if (!m_config.settings().SendPics) {
        CloseServing(i);
        return;
    }
    m_served[i] = ServedFile::Open(m_folder.Resolve(path));
    if (!m_served[i]) {
        CloseServing(i);
        return;
    }
    SetIcon(m_isFetching ? media::PicServImage::BothPicServ : media::PicServImage::UpPicServ);
    FeedServing(i);
}

// Tops the connection's queue up from the file; closes it once the last record is queued. The
// peer that stops taking bytes loses its place after the timeout, as one that never asks.
void PictureExchange::FeedServing(std::size_t i) {
    ServedFile* file = m_served[i].get();
    platform::Socket& socket = *m_socket2[i];
    if (file == nullptr || socket.State() != platform::Socket::kConnected) {
        return;
    }
    while (!file->Finished() && socket.BytesToWrite() < static_cast<qint64>(kSendAheadBytes)) {
        socket.SendData(file->NextRecords(kSendAheadBytes));
    }
    m_servingTimers[i]->start(m_options.TimeoutMs);
    if (file->Finished()) {
        CloseServing(i);
    }
}

void PictureExchange::Socket2_Close(std::size_t i) {
    CloseServing(i);
    SetIcon(m_isFetching ? media::PicServImage::DownPicServ : media::PicServImage::FreePicServ);
}

void PictureExchange::CloseServing(std::size_t i) {
    m_servingTimers[i]->stop();
    m_served[i].reset();
    m_socket2[i]->Close();
}

} // namespace korbi::pictx
