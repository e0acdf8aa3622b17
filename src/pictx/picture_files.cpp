#include "pictx/picture_files.h"

#include "pictx/exchange_rules.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korbi::pictx {
namespace fs = std::filesystem;

namespace {

constexpr mode_t kPictureMode = S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;

void CloseDescriptor(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Reads up to size bytes at offset; fewer at the end of the file or on an error.
std::size_t ReadAt(int fd, char* into, std::size_t size, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd, into + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace

std::unique_ptr<ServedFile> ServedFile::Open(const fs::path& path) {
    // O_NOFOLLOW refuses a symbolic link as the file itself; O_NONBLOCK keeps a FIFO planted
    // under a picture's name from holding the program until someone writes to it.
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    // A second hard link makes a file outside PICTS readable through PICTS as well.
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1 ||
        static_cast<std::uint64_t>(status.st_size) > MaxServeBytes) {
        CloseDescriptor(fd);
        return nullptr;
    }
    return std::unique_ptr<ServedFile>(
        new ServedFile(fd, static_cast<std::uint64_t>(status.st_size)));
}

ServedFile::ServedFile(int fd, std::uint64_t size)
    : m_fd(fd), m_size(size), m_recordCount(RecordCount(size)) {}

ServedFile::~ServedFile() {
    CloseDescriptor(m_fd);
}

std::string ServedFile::NextRecords(std::size_t maxBytes) {
    if (Finished()) {
        return {};
    }
    const std::uint64_t wanted = std::max<std::uint64_t>(1, maxBytes / RecordSize);
    const std::uint64_t count = std::min(wanted, m_recordCount - m_nextRecord);
    std::string records(static_cast<std::size_t>(count * RecordSize), '\0');
    const std::uint64_t offset = m_nextRecord * RecordSize;
    if (offset < m_size) {
        // Bytes added after the opening stay out: the last record is padded, as sizes promised.
        const auto readable =
            static_cast<std::size_t>(std::min<std::uint64_t>(records.size(), m_size - offset));
        ReadAt(m_fd, records.data(), readable, offset);
    }
    m_nextRecord += count;
    return records;
}

std::unique_ptr<FetchedFile> FetchedFile::Create(const fs::path& folder) {
    std::string name = (folder / ".fetch-XXXXXX").string();
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    ::fchmod(fd, kPictureMode);
    return std::unique_ptr<FetchedFile>(new FetchedFile(fd, name));
}

FetchedFile::FetchedFile(int fd, fs::path path) : m_fd(fd), m_path(std::move(path)) {}

FetchedFile::~FetchedFile() {
    CloseDescriptor(m_fd);
    if (!m_path.empty()) {
        ::unlink(m_path.c_str());
    }
}

bool FetchedFile::Write(std::string_view bytes) {
    while (!bytes.empty() && !m_failed) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_failed = true;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return !m_failed;
}

bool FetchedFile::CommitAs(const fs::path& target) {
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (m_failed || !closed) {
        return false;
    }
    // rename() would replace a link itself rather than write through it, but a planted link
    // is refused outright: the name stays what the user (or someone else) made it.
    struct stat status {};
    if (::lstat(target.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return false;
    }
    if (::rename(m_path.c_str(), target.c_str()) != 0) {
        return false;
    }
    m_path.clear();
    return true;
}

} // namespace korbi::pictx
