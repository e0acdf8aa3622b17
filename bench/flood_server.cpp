// The scripted IRC server of the flood benchmarks, in a process of its own so that its flood
// never counts in the memory or the time of the client under test. It listens on 127.0.0.1,
// registers one client (whatever nick it asks for), joins it to channels of 50 names, checks
// with a PING that the client is ready, then writes the flood as fast as the socket takes it,
// followed by "PING :flooddone", and reports the time from the first flood byte to the PONG.
//
// Run: flood_server [--lines N] [--length L] [--channels C] [--private] [--marks N,N...]
//                   [--pid PID | --pid-file PATH] [--timeout SECONDS] [--cert PEM --key PEM]
// With a certificate and its key it speaks TLS (OpenSSL), so the flood measures the client's
// decryption too.
// It prints, one line each: "port P" once listening, "registered NICK", "flood" right before
// the first flood byte, "mark N SECONDS" at each mark (it then waits for a line on its standard
// input before going on), and "done N SECONDS" at the PONG (it then waits for a line or the end
// of its standard input before closing the connection). Exit 0 on success, 1 on a closed
// connection, a timeout or bad arguments.
//
// Given the client's process (its id, or a file the id is written to before the client
// connects), it watches the client's memory the same way whatever the client: "rest RSS ANON"
// before the flood, and "memory HWM ANON" before each mark and the end, in KiB: the kernel's
// peak resident set (VmHWM) and the highest anonymous resident memory (RssAnon: heap and other
// private memory, without the code of shared libraries) seen when sampled every few
// milliseconds.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kChannelUsers = 49; // plus the client: 50 names
constexpr std::size_t kRefillBelow = 256 * 1024;
constexpr int kLinesPerRefill = 2000;

struct Options {
    long lines = 100000;
    int length = 80;
    int channels = 1;
    bool privatePane = false;
    std::vector<long> marks;
    int timeoutSeconds = 120;
    long pid = 0;
    std::string pidFile;
    std::string certFile; // TLS when set, with keyFile
    std::string keyFile;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--private") {
            options.privatePane = true;
            continue;
        }
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const std::string value = argv[++i];
        if (name == "--lines") {
            options.lines = std::atol(value.c_str());
        } else if (name == "--length") {
            options.length = std::atoi(value.c_str());
        } else if (name == "--channels") {
            options.channels = std::atoi(value.c_str());
        } else if (name == "--pid") {
            options.pid = std::atol(value.c_str());
        } else if (name == "--pid-file") {
            options.pidFile = value;
        } else if (name == "--cert") {
            options.certFile = value;
        } else if (name == "--key") {
            options.keyFile = value;
        } else if (name == "--timeout") {
            options.timeoutSeconds = std::atoi(value.c_str());
        } else if (name == "--marks") {
            std::stringstream list(value);
            std::string mark;
            while (std::getline(list, mark, ',')) {
                options.marks.push_back(std::atol(mark.c_str()));
            }
        } else {
            return std::nullopt;
        }
    }
    if (options.lines < 1 || options.length < 20 || options.length > 450 || options.channels < 1 ||
        options.channels > 14 || options.timeoutSeconds < 1 ||
        options.certFile.empty() != options.keyFile.empty()) {
        return std::nullopt;
    }
    return options;
}

// "message I", filler words, "end I": both ends of every line tell which line it is, also
// after the client wrapped it.
std::string MessageText(long index, int length) {
    const std::string head = "message " + std::to_string(index) + " ";
    const std::string tail = " end " + std::to_string(index);
    std::string text = head;
    static const std::string kFiller = "lorem ipsum dolor sit amet consectetur adipiscing elit ";
    while (text.size() + tail.size() < static_cast<std::size_t>(length)) {
        text += kFiller;
    }
    text.resize(static_cast<std::size_t>(length) - tail.size());
    if (text.back() == ' ') {
        text.back() = 'x';
    }
    return text + tail;
}

// The memory figures of a process, in KiB, from /proc/PID/status.
struct MemorySample {
    long rss = 0;
    long anon = 0;
    long hwm = 0;
};

std::optional<MemorySample> SampleMemory(long pid) {
    std::FILE* status = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
    if (status == nullptr) {
        return std::nullopt;
    }
    MemorySample sample;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        std::sscanf(line, "VmRSS: %ld", &sample.rss);
        std::sscanf(line, "RssAnon: %ld", &sample.anon);
        std::sscanf(line, "VmHWM: %ld", &sample.hwm);
    }
    std::fclose(status);
    return sample;
}

// Follows a client's memory between samples taken at most every kSampleMs.
class MemoryWatch {
  public:
    static constexpr int kSampleMs = 5;

    bool Active() const { return m_pid > 0; }
    void Attach(long pid) { m_pid = pid; }

    void SampleWhenDue() {
        if (Active() && Clock::now() - m_last >= std::chrono::milliseconds(kSampleMs)) {
            Sample();
        }
    }

    void ReportRest() {
        Sample();
        m_peakAnon = m_current.anon;
        std::printf("rest %ld %ld\n", m_current.rss, m_current.anon);
    }

    void ReportPeak() {
        Sample();
        std::printf("memory %ld %ld\n", m_current.hwm, m_peakAnon);
    }

  private:
    void Sample() {
        m_last = Clock::now();
        if (const std::optional<MemorySample> sample = SampleMemory(m_pid)) {
            m_current = *sample;
            m_peakAnon = std::max(m_peakAnon, m_current.anon);
        }
    }

    long m_pid = 0;
    Clock::time_point m_last;
    MemorySample m_current;
    long m_peakAnon = 0;
};

std::string ChannelName(int channel, int channels) {
    return channels == 1 ? "#flood" : "#flood" + std::to_string(channel + 1);
}

// The connection's bytes, in clear or through TLS; a call that would block fails with EAGAIN,
// as a non-blocking socket's does.
class Transport {
  public:
    Transport() = default;
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;
    ~Transport() {
        if (m_ssl != nullptr) {
            SSL_free(m_ssl);
        }
        if (m_context != nullptr) {
            SSL_CTX_free(m_context);
        }
    }

    bool LoadCertificate(const std::string& cert, const std::string& key) {
        m_context = SSL_CTX_new(TLS_server_method());
        return m_context != nullptr &&
               SSL_CTX_use_certificate_chain_file(m_context, cert.c_str()) == 1 &&
               SSL_CTX_use_PrivateKey_file(m_context, key.c_str(), SSL_FILETYPE_PEM) == 1;
    }

    // The handshake, on the still blocking socket (bounded by its timeouts).
    bool Accept(int socket) {
        m_socket = socket;
        if (m_context == nullptr) {
            return true;
        }
        m_ssl = SSL_new(m_context);
        SSL_set_fd(m_ssl, socket);
        SSL_set_mode(m_ssl, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
        return SSL_accept(m_ssl) == 1;
    }

    // Bytes already decrypted and waiting: poll cannot see them.
    bool Buffered() const { return m_ssl != nullptr && SSL_pending(m_ssl) > 0; }

    ssize_t Send(const char* data, std::size_t size) {
        if (m_ssl == nullptr) {
            return send(m_socket, data, size, MSG_NOSIGNAL);
        }
        return Result(
            SSL_write(m_ssl, data, static_cast<int>(std::min<std::size_t>(size, 1 << 20))));
    }

    ssize_t Receive(char* buffer, std::size_t size) {
        if (m_ssl == nullptr) {
            return recv(m_socket, buffer, size, 0);
        }
        return Result(SSL_read(m_ssl, buffer, static_cast<int>(size)));
    }

  private:
    ssize_t Result(int done) {
        if (done > 0) {
            return done;
        }
        const int error = SSL_get_error(m_ssl, done);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            errno = EAGAIN;
            return -1;
        }
        if (error == SSL_ERROR_ZERO_RETURN) {
            return 0;
        }
        errno = EPIPE;
        return -1;
    }

    SSL_CTX* m_context = nullptr;
    SSL* m_ssl = nullptr;
    int m_socket = -1;
};

class FloodServer {
  public:
    explicit FloodServer(Options options) : m_options(std::move(options)) {}

    int Run() {
        if (!Listen()) {
            return 1;
        }
        m_deadline = Clock::now() + std::chrono::seconds(m_options.timeoutSeconds);
        if (!Accept() || !Register() || !WatchClient() || !Setup()) {
            return 1;
        }
        return Flood() ? 0 : 1;
    }

  private:
    bool Listen() {
        if (!m_options.certFile.empty() &&
            !m_transport.LoadCertificate(m_options.certFile, m_options.keyFile)) {
            ERR_print_errors_fp(stderr);
            return Fail("the certificate or its key cannot be used");
        }
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t size = sizeof address;
        if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            listen(m_listener, 1) != 0 ||
            getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            std::perror("flood_server: listen");
            return false;
        }
        std::printf("port %d\n", ntohs(address.sin_port));
        std::fflush(stdout);
        return true;
    }

    bool Accept() {
        pollfd wait{m_listener, POLLIN, 0};
        if (poll(&wait, 1, RemainingMs()) != 1) {
            return Fail("no client connected");
        }
        m_client = accept(m_listener, nullptr, nullptr);
        close(m_listener);
        if (m_client < 0) {
            return Fail("accept failed");
        }
        const timeval handshakeLimit{10, 0};
        setsockopt(m_client, SOL_SOCKET, SO_RCVTIMEO, &handshakeLimit, sizeof handshakeLimit);
        setsockopt(m_client, SOL_SOCKET, SO_SNDTIMEO, &handshakeLimit, sizeof handshakeLimit);
        if (!m_transport.Accept(m_client)) {
            return Fail("TLS handshake failed");
        }
        fcntl(m_client, F_SETFL, fcntl(m_client, F_GETFL) | O_NONBLOCK);
        const int on = 1;
        setsockopt(m_client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        return true;
    }

    // Waits for NICK and USER, answering a capability query with an empty list.
    bool Register() {
        bool user = false;
        while (m_nick.empty() || !user) {
            std::string line;
            if (!NextLine(line)) {
                return false;
            }
            if (line.rfind("CAP LS", 0) == 0) {
                Queue(":irc.flood CAP * LS :\r\n");
            } else if (line.rfind("NICK ", 0) == 0) {
                m_nick = line.substr(5);
                if (!m_nick.empty() && m_nick.front() == ':') {
                    m_nick.erase(0, 1);
                }
            } else if (line.rfind("USER ", 0) == 0) {
                user = true;
            }
        }
        std::printf("registered %s\n", m_nick.c_str());
        std::fflush(stdout);
        return true;
    }

    bool WatchClient() {
        long pid = m_options.pid;
        while (pid <= 0 && !m_options.pidFile.empty()) {
            if (std::FILE* file = std::fopen(m_options.pidFile.c_str(), "r")) {
                if (std::fscanf(file, "%ld", &pid) != 1) {
                    pid = 0;
                }
                std::fclose(file);
            }
            if (pid <= 0 && !Pump(true, 10)) {
                return false;
            }
        }
        if (pid > 0 && !SampleMemory(pid)) {
            return Fail("no such client process");
        }
        m_memory.Attach(pid);
        return true;
    }

    bool Setup() {
        Queue(":irc.flood 001 " + m_nick + " :Welcome to the flood " + m_nick + "\r\n");
        Queue(":irc.flood 376 " + m_nick + " :End of MOTD command\r\n");
        std::string names;
        for (int user = 0; user < kChannelUsers; ++user) {
            names += " user" + std::to_string(user);
        }
        for (int channel = 0; channel < m_options.channels; ++channel) {
            const std::string name = ChannelName(channel, m_options.channels);
            Queue(":" + m_nick + "!u@127.0.0.1 JOIN :" + name + "\r\n");
            Queue(":irc.flood 353 " + m_nick + " = " + name + " :@" + m_nick + names + "\r\n");
            Queue(":irc.flood 366 " + m_nick + " " + name + " :End of /NAMES list.\r\n");
        }
        return PingAndWait("floodready");
    }

    bool Flood() {
        if (m_memory.Active()) {
            m_memory.ReportRest();
        }
        std::printf("flood\n");
        std::fflush(stdout);
        const Clock::time_point start = Clock::now();
        std::size_t nextMark = 0;
        long written = 0;
        while (written < m_options.lines) {
            long stop = m_options.lines;
            if (nextMark < m_options.marks.size() && m_options.marks[nextMark] < stop) {
                stop = m_options.marks[nextMark];
            }
            while (written < stop) {
                while (written < stop && Pending() < kRefillBelow) {
                    for (int n = 0; n < kLinesPerRefill && written < stop; ++n, ++written) {
                        QueueFloodLine(written);
                    }
                }
                if (!Pump(false)) {
                    return false;
                }
            }
            if (written < m_options.lines) {
                const std::string token = "mark" + std::to_string(written);
                if (!PingAndWait(token)) {
                    return false;
                }
                ReportMemory();
                std::printf("mark %ld %.3f\n", written, Seconds(start));
                std::fflush(stdout);
                WaitForGo();
                ++nextMark;
            }
        }
        if (!PingAndWait("flooddone")) {
            return false;
        }
        ReportMemory();
        std::printf("done %ld %.3f\n", m_options.lines, Seconds(start));
        std::fflush(stdout);
        // The connection stays until the caller has looked at the client: a close now would
        // let the client clear its panes first.
        WaitForGo();
        close(m_client);
        return true;
    }

    // Targets take turns: the channels, then the private conversation when there is one.
    void QueueFloodLine(long index) {
        const int targets = m_options.channels + (m_options.privatePane ? 1 : 0);
        const int target = static_cast<int>(index % targets);
        const std::string to =
            target < m_options.channels ? ChannelName(target, m_options.channels) : m_nick;
        const std::string from = target < m_options.channels
                                     ? "user" + std::to_string(index % kChannelUsers)
                                     : std::string("friend");
        m_out += ":" + from + "!u@127.0.0.1 PRIVMSG " + to + " :" +
                 MessageText(index, m_options.length) + "\r\n";
    }

    bool PingAndWait(const std::string& token) {
        Queue("PING :" + token + "\r\n");
        m_in.clear();
        while (m_in.find(token) == std::string::npos) {
            if (!Pump(true)) {
                return false;
            }
            // Only the token's length of history is needed to find it across two reads.
            if (m_in.size() > 4096) {
                m_in.erase(0, m_in.size() - token.size());
            }
        }
        return true;
    }

    void ReportMemory() {
        if (m_memory.Active()) {
            m_memory.ReportPeak();
        }
    }

    // Waits for a line (or the end) of the standard input, at most until the deadline.
    void WaitForGo() const {
        pollfd wait{STDIN_FILENO, POLLIN, 0};
        if (poll(&wait, 1, RemainingMs()) == 1) {
            char line[64];
            if (read(STDIN_FILENO, line, sizeof line) < 0) {
                return; // nobody to wait for
            }
        }
    }

    std::size_t Pending() const { return m_out.size() - m_sent; }

    void Queue(const std::string& bytes) { m_out += bytes; }

    // One round of writing what is queued and reading what the client sent. With block set it
    // waits for input even when nothing is left to write, at most waitMs (-1: until the
    // deadline); a watched client's memory is sampled meanwhile.
    bool Pump(bool block, int waitMs = -1) {
        pollfd wait{m_client, static_cast<short>(POLLIN | (Pending() > 0 ? POLLOUT : 0)), 0};
        if (Pending() == 0 && !block) {
            return true;
        }
        int timeout = m_transport.Buffered() ? 0 : RemainingMs();
        if (timeout == 0 && !m_transport.Buffered()) {
            return Fail("timed out");
        }
        if (waitMs >= 0) {
            timeout = std::min(timeout, waitMs);
        }
        if (m_memory.Active()) {
            timeout = std::min(timeout, MemoryWatch::kSampleMs);
        }
        const int ready = poll(&wait, 1, timeout);
        m_memory.SampleWhenDue();
        if (m_transport.Buffered()) {
            wait.revents |= POLLIN;
        } else if (ready == 0) {
            return true;
        }
        if (ready < 0 && !m_transport.Buffered()) {
            return errno == EINTR || Fail("poll failed");
        }
        if ((wait.revents & POLLOUT) != 0) {
            const ssize_t sent = m_transport.Send(m_out.data() + m_sent, Pending());
            if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                return Fail("the client closed the connection");
            }
            m_sent += sent > 0 ? static_cast<std::size_t>(sent) : 0;
            if (m_sent == m_out.size()) {
                m_out.clear();
                m_sent = 0;
            } else if (m_sent > kRefillBelow * 4) {
                m_out.erase(0, m_sent);
                m_sent = 0;
            }
        }
        if ((wait.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            char buffer[16384];
            const ssize_t got = m_transport.Receive(buffer, sizeof buffer);
            if (got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) {
                return Fail("the client closed the connection");
            }
            if (got > 0) {
                m_in.append(buffer, static_cast<std::size_t>(got));
            }
        }
        return true;
    }

    // Reads one line of the client's registration (any line end).
    bool NextLine(std::string& line) {
        for (;;) {
            const std::size_t end = m_in.find_first_of("\r\n");
            if (end != std::string::npos) {
                line = m_in.substr(0, end);
                m_in.erase(0, end + 1);
                if (!line.empty()) {
                    return true;
                }
                continue;
            }
            if (!Pump(true)) {
                return false;
            }
        }
    }

    int RemainingMs() const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - Clock::now());
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }

    static double Seconds(Clock::time_point start) {
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    static bool Fail(const char* why) {
        std::printf("failed %s\n", why);
        std::fflush(stdout);
        return false;
    }

    Options m_options;
    Clock::time_point m_deadline;
    int m_listener = -1;
    int m_client = -1;
    std::string m_nick;
    std::string m_out;
    std::size_t m_sent = 0;
    std::string m_in;
    MemoryWatch m_memory;
    Transport m_transport;
};

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: flood_server [--lines N] [--length 20..450] "
                             "[--channels 1..14] [--private] [--marks N,N...] "
                             "[--timeout SECONDS] [--cert PEM --key PEM]\n");
        return 1;
    }
    return FloodServer(*options).Run();
}
