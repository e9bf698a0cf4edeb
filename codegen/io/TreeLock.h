#pragma once
#include <stdexcept>
#include <string>

// Another run holds the output tree.
class TTreeBusy : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One generation or merge per output tree at a time: an exclusive flock on
// projects/<project>/.javagen/lock, which records the holder's process id.
// The lock goes with the process, however it ends (a killed run leaves no
// stale lock).
class TTreeLock {
public:
    // Takes the lock or throws TTreeBusy naming the holder (TFileError when
    // .javagen cannot be made or is a link).
    explicit TTreeLock(const std::string& outputRoot);
    ~TTreeLock();
    TTreeLock(const TTreeLock&) = delete;
    TTreeLock& operator=(const TTreeLock&) = delete;

private:
    void TakeLockFile(const std::string& outputRoot, const std::string& path);
    int fd_ = -1;
    std::string lockFile_; // where flock is not supported
};
