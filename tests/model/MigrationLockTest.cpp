// The pid-file lock that stands in where the file system has no flock.
#include "model/store/MigrationLock.h"

#include "TempModel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A process id that no longer runs: a child that has exited and been reaped.
pid_t DeadPid()
{
    pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST(MigrationLockTest, PidFileIsHeldTakenOverFromTheDeadAndWaitedForFromTheLiving)
{
    TTempModel model;
    std::string db = model.DbPath();
    std::string pidFile = db + ".migrate-lock.pid";
    {
        TMigrationLock lock(db, TMigrationLock::TKind::PidFile);
        EXPECT_EQ(Slurp(pidFile), std::to_string(getpid()) + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(pidFile));

    std::ofstream(pidFile) << DeadPid() << "\n";
    {
        TMigrationLock lock(db, TMigrationLock::TKind::PidFile);
        EXPECT_EQ(Slurp(pidFile), std::to_string(getpid()) + "\n");
    }

    std::atomic<bool> released { false }, second { false };
    auto first = std::make_unique<TMigrationLock>(db, TMigrationLock::TKind::PidFile);
    std::thread other([&] {
        TMigrationLock lock(db, TMigrationLock::TKind::PidFile);
        second = released.load();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    released = true;
    first.reset();
    other.join();
    EXPECT_TRUE(second) << "the second holder did not wait for the first";
}
