#pragma once
#include <string>

// Held while one program migrates a model file, so that programs opening
// the same old file migrate it one after the other. The lock is a file of
// its own beside the database (never a descriptor on the database itself:
// closing one would drop SQLite's POSIX locks): flock on <path>.migrate-lock,
// or, where the file system has no flock (ENOLCK, as on some network
// mounts), <path>.migrate-lock.pid created exclusively and holding the
// holder's process id; one left by a program that died is taken over.
class TMigrationLock {
public:
    enum class TKind { Flock, PidFile };
    explicit TMigrationLock(const std::string& databasePath, TKind kind = TKind::Flock);
    ~TMigrationLock();
    TMigrationLock(const TMigrationLock&) = delete;
    TMigrationLock& operator=(const TMigrationLock&) = delete;

    // Empty, or a line for the user when the pid file had to stand in.
    const std::string& Notice() const { return notice_; }

private:
    void TakePidFile();

    std::string path_;
    int fd_ = -1;
    std::string pidFile_;
    std::string notice_;
};
