#include "codegen/io/FileOperate.h"

#include "model/store/TextCodec.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Why a call failed, in Chinese where the user can do something about it.
std::string SystemError()
{
    switch (errno) {
    case EFBIG:
        return "文件超过了允许的大小(例如 ulimit -f 的限制)";
    case ENOSPC:
        return "磁盘空间不足";
    case EDQUOT:
        return "超出了磁盘配额";
    case EACCES:
    case EPERM:
        return "没有权限";
    case EROFS:
        return "文件系统是只读的";
    default:
        return std::strerror(errno);
    }
}

} // namespace

void TFileOperate::FailWritesOverTheSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

void TFileOperate::MakeDirectory(const std::string& directory)
{
    std::error_code ec;
    if (fs::is_directory(directory, ec))
        return;
    fs::create_directories(directory, ec);
    if (ec || !fs::is_directory(directory))
        throw TFileError("无法创建目录 " + directory + "：" + (ec ? ec.message() : "同名文件已存在"));
}

std::string TFileOperate::NormalizeLines(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16 + 2);
    bool lineOpen = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\x1A')
            break;
        if (c == '\n') {
            out += "\r\n";
            lineOpen = false;
        } else if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                out += "\r\n";
                lineOpen = false;
                ++i;
            }
            // a lone CR is dropped and the line goes on
        } else {
            out += c;
            lineOpen = true;
        }
    }
    if (lineOpen)
        out += "\r\n";
    return out;
}

namespace {

int64_t Nanoseconds(const timespec& t)
{
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Longer than any clock tick of file times on a local file system that
// keeps nanoseconds (1/HZ, at most 10 ms); file systems that keep whole
// seconds or two (FAT, old ext) show a zero nanosecond part and need a
// wider margin.
constexpr int64_t kSettledNs = 100 * 1000000LL;
constexpr int64_t kSettledCoarseNs = 3 * 1000000000LL;

// Network and user-space file systems may answer lstat from a cache that
// opening the file would refresh: their files are always read again.
bool TimesAreTrusted(int fd)
{
    struct statfs fs;
    if (fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969: // NFS
    case 0x517B: // SMB
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x65735546: // FUSE
    case 0x01021997: // 9P
        return false;
    default:
        return true;
    }
}

TFileStamp StampOf(const struct stat& info, int64_t readAtNs, bool trusted)
{
    TFileStamp stamp;
    stamp.device = static_cast<uint64_t>(info.st_dev);
    stamp.inode = static_cast<uint64_t>(info.st_ino);
    stamp.size = static_cast<int64_t>(info.st_size);
    stamp.mtimeNs = Nanoseconds(info.st_mtim);
    stamp.ctimeNs = Nanoseconds(info.st_ctim);
    int64_t margin = info.st_ctim.tv_nsec == 0 ? kSettledCoarseNs : kSettledNs;
    stamp.settled = trusted && stamp.ctimeNs < readAtNs - margin;
    return stamp;
}

} // namespace

bool TFileStamp::Unchanged(const std::string& path) const
{
    struct stat info;
    if (!settled || lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    TFileStamp now = StampOf(info, 0, false);
    return now.device == device && now.inode == inode && now.size == size && now.mtimeNs == mtimeNs &&
        now.ctimeNs == ctimeNs;
}

namespace {

// The file system's kind per device, asked once: the same for every file of it.
bool TimesAreTrustedOn(int fd, dev_t device)
{
    static std::mutex lock;
    static std::map<dev_t, bool> known;
    std::lock_guard<std::mutex> guard(lock);
    auto found = known.find(device);
    if (found == known.end())
        found = known.emplace(device, TimesAreTrusted(fd)).first;
    return found->second;
}

// The bytes of an opened file, which must be a regular one (the open was
// non-blocking, so that a file swapped for a named pipe cannot hang it).
std::string ReadOpened(int fd, const std::string& path, TFileStamp* stamp)
{
    // The clock before the stamp, the stamp before the bytes: a write
    // between them leaves a stamp that no longer matches.
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    struct stat opened;
    if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        throw TFileError("文件 " + path + " 不是普通文件，无法读取");
    }
    if (stamp)
        *stamp = StampOf(opened, Nanoseconds(now), TimesAreTrustedOn(fd, opened.st_dev));
    std::string bytes;
    bytes.reserve(static_cast<size_t>(opened.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            std::string why = SystemError();
            ::close(fd);
            throw TFileError("读取文件 " + path + " 时出错：" + why);
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

} // namespace

std::string TFileOperate::ReadFileBytes(const std::string& path, bool missingIsEmpty, TFileStamp* stamp)
{
    if (stamp)
        *stamp = {};
    // Looked at before it is opened: opening a device can make it act.
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT && missingIsEmpty)
            return "";
        throw TFileError("找不到文件 " + path);
    }
    if (!S_ISREG(info.st_mode))
        throw TFileError("文件 " + path + " 不是普通文件，无法读取");
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw TFileError("无法读取文件 " + path + "：" + SystemError());
    return ReadOpened(fd, path, stamp);
}

std::optional<std::string> TFileOperate::ReadIfRegular(const std::string& path, TFileStamp* stamp)
{
    if (stamp)
        *stamp = {};
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        if (errno == ELOOP)
            throw TFileError("文件 " + path + " 是符号链接，无法读取");
        throw TFileError("无法读取文件 " + path + "：" + SystemError());
    }
    return ReadOpened(fd, path, stamp);
}

std::string TFileOperate::ReadText(const std::string& path)
{
    std::string bytes = ReadFileBytes(path, true);
    try {
        return GbkToUtf8(NormalizeLines(bytes));
    } catch (const TEncodingError&) {
        throw TFileError("模板文件 " + path + " 不是 GBK 编码的文本");
    }
}

namespace {

const char* const kTempMark = ".javagen-";
const char* const kTempEnd = ".tmp";

// The pid of a temporary file name of ours, or 0.
pid_t TempFileOwner(const std::string& name)
{
    size_t mark = name.rfind(kTempMark);
    size_t end = name.size() - std::strlen(kTempEnd);
    if (mark == std::string::npos || name.size() < std::strlen(kTempEnd) ||
        name.compare(end, std::string::npos, kTempEnd) != 0)
        return 0;
    std::string middle = name.substr(mark + std::strlen(kTempMark), end - mark - std::strlen(kTempMark));
    size_t dash = middle.find('-');
    if (dash == std::string::npos || dash == 0 || dash + 1 == middle.size())
        return 0;
    auto digits = [](const std::string& text) {
        return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string::npos;
    };
    std::string pid = middle.substr(0, dash);
    if (!digits(pid) || !digits(middle.substr(dash + 1)))
        return 0;
    long value = std::strtol(pid.c_str(), nullptr, 10);
    return value > 0 && value <= INT32_MAX ? static_cast<pid_t>(value) : 0;
}

} // namespace

int TFileOperate::RemoveLeftovers(const std::string& directory)
{
    std::error_code ec;
    if (!fs::is_directory(directory, ec))
        return 0;
    int removed = 0;
    for (const auto& entry : fs::directory_iterator(directory, ec)) {
        pid_t owner = TempFileOwner(entry.path().filename().string());
        if (owner == 0 || owner == getpid() || !entry.is_regular_file(ec))
            continue;
        // A process that still runs may be writing it.
        if (kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        if (fs::remove(entry.path(), ec))
            ++removed;
    }
    return removed;
}

namespace {

// Writes every byte; false (errno set) on a failure.
bool WriteAll(int fd, const std::string& bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

// Writes name inside the open directory dirfd through a temporary file of
// our naming, renamed over name; path names the file in messages.
void WriteInDirectory(int dirfd, const std::string& name, const std::string& path, const std::string& bytes)
{
    // A name of our own beside the target, created exclusively with the
    // usual permissions, then renamed over the target.
    static std::atomic<unsigned> counter { 0 };
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = name + kTempMark + std::to_string(getpid()) + "-" + std::to_string(counter++) + kTempEnd;
        fd = ::openat(dirfd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw TFileError("无法创建文件 " + path + "：" + SystemError());
    if (!WriteAll(fd, bytes)) {
        std::string why = SystemError();
        ::close(fd);
        ::unlinkat(dirfd, temp.c_str(), 0);
        throw TFileError("无法写入文件 " + path + "：" + why);
    }
    if (::close(fd) != 0 || ::renameat(dirfd, temp.c_str(), dirfd, name.c_str()) != 0) {
        std::string why = SystemError();
        ::unlinkat(dirfd, temp.c_str(), 0);
        throw TFileError("无法写入文件 " + path + "：" + why);
    }
}

int OpenDirectory(const std::string& directory)
{
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw TFileError("无法打开目录 " + directory + "：" + SystemError());
    return fd;
}

} // namespace

void TFileOperate::WriteBytes(const std::string& path, const std::string& bytes)
{
    fs::path target(path);
    std::string directory = target.has_parent_path() ? target.parent_path().string() : ".";
    int dirfd = OpenDirectory(directory);
    try {
        WriteInDirectory(dirfd, target.filename().string(), path, bytes);
    } catch (...) {
        ::close(dirfd);
        throw;
    }
    ::close(dirfd);
}

TDirectoryWriter::~TDirectoryWriter()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void TDirectoryWriter::Write(const std::string& directory, const std::string& path, const std::string& bytes)
{
    // A directory deleted meanwhile has no links left: make it again rather
    // than write into what no longer exists.
    struct stat info;
    if (fd_ >= 0 && (directory != directory_ || fstat(fd_, &info) != 0 || info.st_nlink == 0)) {
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ < 0) {
        TFileOperate::MakeDirectory(directory);
        fd_ = OpenDirectory(directory);
        directory_ = directory;
    }
    std::string name = path.compare(0, directory.size() + 1, directory + "/") == 0 ? path.substr(directory.size() + 1)
                                                                                   : fs::path(path).filename().string();
    WriteInDirectory(fd_, name, path, bytes);
}

std::string TFileOperate::EncodeGbk(const std::string& path, const std::string& text)
{
    try {
        return Utf8ToGbk(text);
    } catch (const TEncodingError&) {
        throw TFileError("文件 " + path + " 的内容含有无法用 GBK 编码表示的字符");
    }
}

void TFileOperate::WriteText(const std::string& directory, const std::string& path, const std::string& text)
{
    MakeDirectory(directory);
    WriteBytes(path, EncodeGbk(path, text));
}

void TFileOperate::WriteUtf8Text(const std::string& directory, const std::string& path, const std::string& text)
{
    MakeDirectory(directory);
    SaveUtf8(path, text);
}

void TFileOperate::SaveUtf8(const std::string& path, const std::string& text)
{
    WriteBytes(path, "\xEF\xBB\xBF" + text);
}

void TFileOperate::WriteDocument(const std::string& path, const std::string& bytes)
{
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        const char* kind = S_ISDIR(info.st_mode)             ? "是一个目录"
            : S_ISFIFO(info.st_mode)                         ? "是一个命名管道"
            : S_ISLNK(info.st_mode)                          ? "是一个符号链接"
            : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) ? "是一个设备"
                                                             : "不是普通文件";
        throw TFileError("无法写入 " + path + "：它" + std::string(kind) + "，只能写入普通文件或新文件");
    }
    std::string directory = path.find('/') == std::string::npos ? "." : path.substr(0, path.rfind('/'));
    if (directory.empty())
        directory = "/";
    if (stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw TFileError("无法写入 " + path + "：目录 " + directory + " 不存在");
    if (access(directory.c_str(), W_OK) != 0)
        throw TFileError("无法写入 " + path + "：目录 " + directory + " 不可写(" + SystemError() + ")");
    WriteBytes(path, bytes);
}
