#include "TreeLock.h"

#include "FileOperate.h"
#include "TreeGuard.h"

#include <cerrno>
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

TTreeLock::~TTreeLock()
{
    if (fd_ >= 0)
        ::close(fd_); // releases the flock
}
