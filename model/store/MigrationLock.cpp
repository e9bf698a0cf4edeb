#include "model/store/MigrationLock.h"

#include "model/store/DbError.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

// Another program migrating a file of many projects takes seconds; one
// that holds the pid file longer than this is taken to hang.
const auto kWaitAtMost = std::chrono::minutes(2);

bool Alive(pid_t pid)
{
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

} // namespace

TMigrationLock::TMigrationLock(const std::string& databasePath, TKind kind)
    : path_(databasePath + ".migrate-lock")
{
    if (kind == TKind::Flock) {
        fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd_ >= 0 && flock(fd_, LOCK_EX) == 0)
            return;
        bool unsupported = fd_ >= 0 && (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL);
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
        if (!unsupported)
            return; // no lock file can be made here: SQLite's own lock alone
        notice_ = "文件系统不支持 flock，升级模型数据库时改用锁文件 " + path_ + ".pid。";
    }
    TakePidFile();
}

void TMigrationLock::TakePidFile()
{
    std::string file = path_ + ".pid";
    auto until = std::chrono::steady_clock::now() + kWaitAtMost;
    for (;;) {
        int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            std::string pid = std::to_string(getpid()) + "\n";
            bool written = write(fd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
            close(fd);
            if (!written) {
                unlink(file.c_str());
                throw TDbError("无法写锁文件 " + file + "，模型数据库未升级。");
            }
            pidFile_ = file;
            return;
        }
        if (errno != EEXIST)
            return; // the folder takes no files: SQLite's own lock alone
        pid_t holder = 0;
        std::ifstream(file) >> holder;
        // A holder still writing its pid reads as 0: wait for it.
        if (holder > 0 && !Alive(holder)) {
            unlink(file.c_str());
            continue;
        }
        if (std::chrono::steady_clock::now() > until)
            throw TDbError(
                "另一个程序(进程 " + std::to_string(holder) + ")正在升级模型数据库，等待超时；锁文件 " + file + "。");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

TMigrationLock::~TMigrationLock()
{
    if (fd_ >= 0)
        close(fd_);
    if (!pidFile_.empty())
        unlink(pidFile_.c_str());
}
