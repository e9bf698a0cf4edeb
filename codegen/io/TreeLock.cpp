#include "codegen/io/TreeLock.h"

#include "codegen/io/FileOperate.h"
#include "codegen/io/TreeGuard.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TTreeLock::TTreeLock(const std::string& outputRoot)
{
    std::string unsafe = UnsafeInTree(outputRoot, ".javagen", true);
    if (!unsafe.empty())
        throw TFileError("无法使用 " + outputRoot + "/.javagen：" + unsafe);
    TFileOperate::MakeDirectory(outputRoot + "/.javagen");
    std::string path = outputRoot + "/.javagen/lock";
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw TFileError("无法打开 " + path + "：" + std::strerror(errno));
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        if (error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS) {
            // A file system without flock (NFS without its lock service): an
            // exclusively created file holding this process's id instead.
            ::close(fd_);
            fd_ = -1;
            TakeLockFile(outputRoot, outputRoot + "/.javagen/lock.pid");
            return;
        }
        char holder[32] = {};
        ssize_t n = pread(fd_, holder, sizeof holder - 1, 0);
        std::string pid = n > 0 ? std::string(holder, static_cast<size_t>(n)) : "?";
        while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' '))
            pid.pop_back();
        ::close(fd_);
        fd_ = -1;
        throw TTreeBusy("生成目录 " + outputRoot + " 正被另一个生成过程(进程 " + pid + ")使用，请等它结束后再试。");
    }
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd_, 0) == 0 && pwrite(fd_, pid.data(), pid.size(), 0) < 0) {
        // The id is only for the message of a second run.
    }
}

void TTreeLock::TakeLockFile(const std::string& outputRoot, const std::string& path)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) {
            std::string pid = std::to_string(getpid()) + "\n";
            bool written = ::write(fd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
            ::close(fd);
            if (!written) {
                ::unlink(path.c_str());
                throw TFileError("无法写入 " + path);
            }
            lockFile_ = path;
            return;
        }
        if (errno != EEXIST)
            throw TFileError("无法创建 " + path + "：" + std::strerror(errno));
        std::string holder = TFileOperate::ReadFileBytes(path);
        long pid = std::atol(holder.c_str());
        // A holder that no longer runs left its file behind: taken over once.
        if (pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM))
            throw TTreeBusy("生成目录 " + outputRoot + " 正被另一个生成过程(进程 " + std::to_string(pid) +
                ")使用，请等它结束后再试。(这个文件系统不支持 flock，改用锁文件 " + path + ")");
        ::unlink(path.c_str());
    }
    throw TTreeBusy("生成目录 " + outputRoot + " 的锁文件 " + path + " 无法取得，请稍后再试。");
}

TTreeLock::~TTreeLock()
{
    if (fd_ >= 0)
        ::close(fd_); // releases the flock
    if (!lockFile_.empty())
        ::unlink(lockFile_.c_str());
}
