#pragma once
#include <filesystem>
#include <string>

// A fresh temporary directory whose projects.mdb the shared connection
// opens on first use; the connection is closed and the directory removed
// with it.
class TTempModel {
public:
    TTempModel();
    ~TTempModel();
    TTempModel(const TTempModel&) = delete;
    TTempModel& operator=(const TTempModel&) = delete;

    const std::filesystem::path& Dir() const { return dir_; }
    std::string DbPath() const { return (dir_ / "projects.mdb").string(); }
    std::filesystem::path Path(const std::string& relative) const { return dir_ / relative; }

private:
    std::filesystem::path dir_;
};
