#include "files/CBufferedFile.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/CTemporaryFiles.h"

namespace {
// The kernel moves at most about 2 GB per call.
constexpr std::size_t MaxTransfer = std::size_t{1} << 30;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

void CBufferedFile::RemoveTemporaries() noexcept { CTemporaryFiles::RemoveAll(); }

bool CBufferedFile::FollowLinks(const std::string& path, std::string& target, std::string& error) {
    target = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        char link[PATH_MAX + 1];
        const ssize_t n = ::readlink(target.c_str(), link, PATH_MAX);
        if (n < 0) {
            error = std::string("cannot read the symbolic link: ") + std::strerror(errno);
            return false;
        }
        const std::string named(link, static_cast<std::size_t>(n));
        target = !named.empty() && named[0] == '/' ? named : FolderOf(target) + "/" + named;
    }
    error = "too many levels of symbolic links";
    return false;
}

CBufferedFile::~CBufferedFile() { Abandon(); }

bool CBufferedFile::Fail(const char* what) {
    m_error = std::string(what) + ": " + std::strerror(errno);
    return false;
}

void CBufferedFile::Allocate(std::size_t bytes) {
    if (!m_buffer || m_capacity < bytes) {
        m_buffer.reset(new char[bytes]);
        m_capacity = bytes;
    }
}

void CBufferedFile::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

// ---------------------------------------------------------------- reading

bool CBufferedFile::OpenRead(const std::string& path) {
    Abandon();
    m_error.clear();
    const auto notRegular = [this](const struct stat& info) {
        if (S_ISREG(info.st_mode)) {
            return false;
        }
        m_error = S_ISDIR(info.st_mode) ? "is a folder" : "is not a regular file";
        return true;
    };
    // A FIFO or a device would block or never end: look before opening.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return Fail("cannot open");
    }
    if (notRegular(info)) {
        return false;
    }
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        return Fail("cannot open");
    }
    if (::fstat(m_fd, &info) != 0) {
        return Fail("cannot read the file length");
    }
    if (notRegular(info)) {
        Close();
        return false;
    }
    (void)::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_fileSize = static_cast<uint64_t>(info.st_size);
    m_writing = false;
    m_begin = m_end = 0;
    m_consumedBeforeBuffer = 0;
    m_endOfFile = false;
    m_lineNumber = 0;
    // A small file needs no large buffer; a long line grows it when read.
    Allocate(static_cast<std::size_t>(std::clamp<uint64_t>(m_fileSize + 1, MinReadBufferBytes, BufferBytes)));
    return true;
}

uint64_t CBufferedFile::Position() const { return m_consumedBeforeBuffer + m_begin; }

bool CBufferedFile::ReadSome(char* data, std::size_t n, std::size_t& got) {
    for (;;) {
        const std::size_t piece = m_progress ? std::min(n, m_progressStep) : std::min(n, MaxTransfer);
        const ssize_t r = ::read(m_fd, data, piece);
        if (r >= 0) {
            got = static_cast<std::size_t>(r);
            ReportRead(got);
            return true;
        }
        if (errno != EINTR) {
            return Fail("read error");
        }
    }
}

void CBufferedFile::ReportRead(std::size_t got) {
    if (!m_progress) {
        return;
    }
    m_bytesRead += got;
    if (m_bytesRead - m_lastReported >= m_progressStep || (got > 0 && m_bytesRead >= m_fileSize)) {
        m_lastReported = m_bytesRead;
        m_progress(m_bytesRead, m_fileSize);
    }
}

// Moves the unread bytes to the front (growing the buffer when a single line
// fills it) and reads more behind them. False at the end of the file.
bool CBufferedFile::Fill() {
    if (m_fd < 0 || m_endOfFile) {
        return false;
    }
    if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_consumedBeforeBuffer += m_begin;
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_capacity) {
        std::unique_ptr<char[]> grown(new char[m_capacity * 2]);
        std::memcpy(grown.get(), m_buffer.get(), m_end);
        m_buffer = std::move(grown);
        m_capacity *= 2;
    }
    std::size_t got = 0;
    if (!ReadSome(m_buffer.get() + m_end, m_capacity - m_end, got)) {
        m_endOfFile = true;
        return false;
    }
    if (got == 0) {
        m_endOfFile = true;
        return false;
    }
    m_end += got;
    return true;
}

bool CBufferedFile::LineTooLong() {
    m_error = "line " + std::to_string(m_lineNumber + 1) + " is longer than " + std::to_string(MaxLineBytes) +
              " bytes";
    m_endOfFile = true;
    return false;
}

bool CBufferedFile::ReadLine(std::string_view& line) {
    std::size_t searched = m_begin;
    for (;;) {
        const char* start = m_buffer.get() + searched;
        const void* found = std::memchr(start, '\n', m_end - searched);
        if (found != nullptr) {
            const char* first = m_buffer.get() + m_begin;
            const char* stop = static_cast<const char*>(found);
            std::size_t length = static_cast<std::size_t>(stop - first);
            if (length > 0 && first[length - 1] == '\r') {
                --length;
            }
            if (length > MaxLineBytes) {
                return LineTooLong();
            }
            m_begin = static_cast<std::size_t>(stop - m_buffer.get()) + 1;
            ++m_lineNumber;
            line = std::string_view(first, length);
            return true;
        }
        const std::size_t unread = m_end - m_begin;
        if (unread > MaxLineBytes + 1) {
            // Never grow the buffer for a line the formats cannot hold.
            return LineTooLong();
        }
        if (!Fill()) {
            if (!m_error.empty() || m_end == m_begin) {
                return false;
            }
            // The last line has no line end.
            const char* first = m_buffer.get() + m_begin;
            std::size_t length = m_end - m_begin;
            if (length > 0 && first[length - 1] == '\r') {
                --length;
            }
            if (length > MaxLineBytes) {
                return LineTooLong();
            }
            m_begin = m_end;
            ++m_lineNumber;
            line = std::string_view(first, length);
            return true;
        }
        searched = m_begin + unread;
    }
}

bool CBufferedFile::ReadExact(void* destination, std::size_t n) {
    char* out = static_cast<char*>(destination);
    const std::size_t buffered = std::min(n, m_end - m_begin);
    if (buffered > 0) {
        std::memcpy(out, m_buffer.get() + m_begin, buffered);
        m_begin += buffered;
        out += buffered;
        n -= buffered;
    }
    if (n == 0) {
        return true;
    }
    if (n >= m_capacity / 2) {
        // Large reads bypass the buffer: straight from the file into place.
        m_consumedBeforeBuffer += m_end;
        m_begin = m_end = 0;
        while (n > 0) {
            std::size_t got = 0;
            if (m_fd < 0 || !ReadSome(out, n, got) || got == 0) {
                return false;
            }
            m_consumedBeforeBuffer += got;
            out += got;
            n -= got;
        }
        return true;
    }
    while (n > 0) {
        if (m_begin == m_end && !Fill()) {
            return false;
        }
        const std::size_t part = std::min(n, m_end - m_begin);
        std::memcpy(out, m_buffer.get() + m_begin, part);
        m_begin += part;
        out += part;
        n -= part;
    }
    return true;
}

// ---------------------------------------------------------------- writing

void CBufferedFile::StartWriting() {
    m_writing = true;
    m_begin = m_end = 0;
    m_written = 0;
    Allocate(BufferBytes);
}

bool CBufferedFile::CreateBeside(const std::string& path) {
    Abandon();
    m_error.clear();
    m_exists = false;
    std::string target;
    if (!FollowLinks(path, target, m_error)) {
        return false;
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        m_error = S_ISDIR(existing.st_mode) ? "cannot replace a folder" : "cannot replace what is not a regular file";
        return false;
    }
    const std::string folder = FolderOf(target);
    for (unsigned attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const std::string temporary = folder + "/" + CTemporaryFiles::Name(attempt);
        // No signal comes between the creation and the registration that
        // lets a signal handler remove the file.
        sigset_t all;
        sigset_t previous;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &previous);
        m_fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const int openError = errno;
        if (m_fd >= 0) {
            m_temporary = temporary;
            m_temporarySlot = CTemporaryFiles::Register(temporary);
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        errno = openError;
        if (m_fd < 0 && errno != EEXIST) {
            return Fail("cannot create");
        }
    }
    if (m_fd < 0) {
        return Fail("cannot create");
    }
    if (exists) {
        // The replacement keeps what the old file was: its permissions and owner.
        (void)::fchmod(m_fd, existing.st_mode & 07777);
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
            (void)::fchown(m_fd, existing.st_uid, existing.st_gid);
        }
    }
    m_target = target;
    StartWriting();
    return true;
}

bool CBufferedFile::CreateExclusive(const std::string& path) {
    Abandon();
    m_error.clear();
    m_exists = false;
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        m_exists = errno == EEXIST;
        return Fail("cannot create");
    }
    m_target = path;
    StartWriting();
    return true;
}

bool CBufferedFile::WriteAll(const char* data, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(m_fd, data, std::min(n, MaxTransfer));
        if (w < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail("write error");
        }
        data += w;
        n -= static_cast<std::size_t>(w);
        m_written += static_cast<uint64_t>(w);
    }
    return true;
}

bool CBufferedFile::Flush() {
    if (m_end == 0) {
        return true;
    }
    const std::size_t pending = m_end;
    m_end = 0;
    return WriteAll(m_buffer.get(), pending);
}

bool CBufferedFile::Write(const void* data, std::size_t n) {
    if (m_fd < 0 || !m_writing) {
        return false;
    }
    if (n >= m_capacity / 2) {
        return Flush() && WriteAll(static_cast<const char*>(data), n);
    }
    if (m_capacity - m_end < n && !Flush()) {
        return false;
    }
    std::memcpy(m_buffer.get() + m_end, data, n);
    m_end += n;
    return true;
}

char* CBufferedFile::Reserve(std::size_t n) {
    if (m_fd < 0 || !m_writing || n > m_capacity) {
        return nullptr;
    }
    if (m_capacity - m_end < n && !Flush()) {
        return nullptr;
    }
    return m_buffer.get() + m_end;
}

bool CBufferedFile::TruncateTo(uint64_t size) {
    if (m_fd < 0 || !m_writing) {
        return false;
    }
    m_end = 0;
    if (size > m_written || ::ftruncate(m_fd, static_cast<off_t>(size)) != 0 ||
        ::lseek(m_fd, static_cast<off_t>(size), SEEK_SET) < 0) {
        return Fail("cannot cut the file");
    }
    m_written = size;
    return true;
}

bool CBufferedFile::PatchAt(uint64_t offset, const void* data, std::size_t n) {
    if (m_fd < 0 || !m_writing || !Flush()) {
        return false;
    }
    if (offset + n > m_written) {
        errno = EINVAL;
        return Fail("patch outside the written bytes");
    }
    const ssize_t w = ::pwrite(m_fd, data, n, static_cast<off_t>(offset));
    if (w != static_cast<ssize_t>(n)) {
        return Fail("write error");
    }
    return true;
}

bool CBufferedFile::Finish() {
    if (m_fd < 0 || !m_writing) {
        return false;
    }
    if (!Flush()) {
        Abandon();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        const bool ok = Fail("write error");
        Abandon();
        return ok;
    }
    if (!m_temporary.empty()) {
        if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
            const bool ok = Fail("cannot replace the file");
            Abandon();
            return ok;
        }
        ForgetTemporary();
    }
    m_writing = false;
    return true;
}

void CBufferedFile::Abandon() {
    Close();
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        ForgetTemporary();
    }
    m_writing = false;
}

void CBufferedFile::ForgetTemporary() {
    CTemporaryFiles::Release(m_temporarySlot);
    m_temporarySlot = -1;
    m_temporary.clear();
}
