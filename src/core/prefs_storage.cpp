#include "core/prefs_storage.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace korbi::core {
namespace fs = std::filesystem;

namespace {

std::string ErrnoText(std::string_view what, const fs::path& path) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

// Owns an open descriptor; closes it once, however the save ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    bool Close() {
        if (m_fd < 0) {
            return true;
        }
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

  private:
    int m_fd;
};

int OpenNewPrivateFile(const fs::path& path) {
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(path.c_str(), kFlags, S_IRUSR | S_IWUSR);
    if (fd < 0 && errno == EEXIST) {
        // A leftover of an interrupted save by an earlier process with the same id. Only a
        // plain file is taken away; anything else in its place makes the save fail.
        std::error_code ec;
        if (fs::symlink_status(path, ec).type() == fs::file_type::regular && fs::remove(path, ec)) {
            fd = ::open(path.c_str(), kFlags, S_IRUSR | S_IWUSR);
        }
    }
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes, flushes and closes the temporary file; on failure says why.
std::string WriteTemporary(const fs::path& temporary, std::string_view bytes) {
    Descriptor file(OpenNewPrivateFile(temporary));
    if (!file.Valid()) {
        return ErrnoText("cannot create", temporary);
    }
    // The umask may have taken the owner's bits; the mode must be exactly 0600.
    if (::fchmod(file.Get(), S_IRUSR | S_IWUSR) != 0) {
        return ErrnoText("cannot set the mode of", temporary);
    }
    if (!WriteAll(file.Get(), bytes)) {
        return ErrnoText("cannot write", temporary);
    }
    if (::fsync(file.Get()) != 0) {
        return ErrnoText("cannot flush", temporary);
    }
    if (!file.Close()) {
        return ErrnoText("cannot close", temporary);
    }
    return {};
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const fs::path& folder) {
    Descriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) {
        ::fsync(dir.Get());
    }
}

PrefsReadResult AccessFailure(const Settings& start, std::string failure) {
    PrefsReadResult result;
    result.settings = start;
    result.ErrorNumber = kErrPathFileAccess;
    result.Failure = std::move(failure);
    return result;
}

} // namespace

FileBytes ReadFileBytes(const fs::path& file, std::size_t maxBytes) {
    FileBytes result;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) {
        result.status = FileBytes::Status::Missing;
        result.failure = "no file " + file.string();
        return result;
    }
    if (ec || fs::is_directory(status)) {
        result.failure = "cannot read " + file.string();
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        result.failure = ErrnoText("cannot open", file);
        return result;
    }
    // One byte beyond the bound tells a file that is too large from one that just fits.
    result.bytes.resize(maxBytes + 1);
    in.read(result.bytes.data(), static_cast<std::streamsize>(result.bytes.size()));
    result.bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        result.bytes.clear();
        result.failure = "cannot read " + file.string();
        return result;
    }
    if (result.bytes.size() > maxBytes) {
        result.bytes.clear();
        result.status = FileBytes::Status::TooLarge;
        result.failure = file.string() + " is larger than " + std::to_string(maxBytes) + " bytes";
        return result;
    }
    result.status = FileBytes::Status::Read;
    return result;
}

fs::path TemporaryPathFor(const fs::path& target) {
    fs::path temporary = target;
    temporary += ".new-" + std::to_string(::getpid());
    return temporary;
}

SaveResult SaveFileAtomically(const fs::path& target, std::string_view bytes) {
    const fs::path temporary = TemporaryPathFor(target);
    std::string failure = WriteTemporary(temporary, bytes);
    if (failure.empty()) {
        std::error_code ec;
        fs::rename(temporary, target, ec);
        if (!ec) {
            SyncFolder(target.parent_path());
            return {true, {}};
        }
        failure = "cannot replace " + target.string() + ": " + ec.message();
    }
    std::error_code ignored;
    if (fs::symlink_status(temporary, ignored).type() == fs::file_type::regular) {
        fs::remove(temporary, ignored);
    }
    return {false, std::move(failure)};
}

PrefsLoad LoadPrefsFile(const fs::path& file, const Settings& start,
                        const std::string& createdTimeDate,
                        const std::function<void()>& beforeCreating) {
    PrefsLoad load;
    FileBytes bytes = ReadFileBytes(file);
    if (bytes.status == FileBytes::Status::Missing) {
        if (beforeCreating) {
            beforeCreating();
        }
        const SaveResult created = SaveFileAtomically(file, DefaultPrefsFile(createdTimeDate));
        if (!created.ok) {
            load.read = AccessFailure(start, created.failure);
            return load;
        }
        load.ShouldJoin = true;
        bytes = ReadFileBytes(file);
    }
    if (bytes.status == FileBytes::Status::Missing) {
        load.read = AccessFailure(start, bytes.failure);
        load.read.ErrorNumber = kErrFileNotFound;
        return load;
    }
    if (bytes.status != FileBytes::Status::Read) {
        load.read = AccessFailure(start, bytes.failure);
        if (bytes.status == FileBytes::Status::TooLarge) {
            load.read.ErrorNumber = kErrOutOfMemory;
        }
        return load;
    }
    load.read = ReadPrefsFile(bytes.bytes, start);
    return load;
}

SaveResult SavePrefsFile(const fs::path& file, const Settings& settings) {
    return SaveFileAtomically(file, RewrittenPrefsFile(settings));
}

} // namespace korbi::core
