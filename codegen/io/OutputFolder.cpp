#include "codegen/io/OutputFolder.h"

#include "codegen/io/FileOperate.h"

#include <filesystem>

namespace fs = std::filesystem;

TFolderMove PlanFolderMove(const std::string& outputRoot, const std::string& oldName, const std::string& newName)
{
    fs::path root = fs::path(outputRoot.empty() ? "." : outputRoot) / "projects";
    TFolderMove move;
    move.from = (root / oldName).string();
    move.to = (root / newName).string();
    std::error_code ec;
    if (oldName == newName || !fs::is_directory(fs::symlink_status(move.from, ec)))
        return move;
    if (fs::exists(fs::symlink_status(move.to, ec))) {
        move.why = "新名称的目录 " + move.to + " 已经存在";
        return move;
    }
    move.possible = true;
    return move;
}

void MoveFolder(const TFolderMove& move)
{
    std::error_code ec;
    fs::rename(move.from, move.to, ec);
    if (ec)
        throw TFileError("无法把生成目录 " + move.from + " 改名为 " + move.to + "：" + ec.message());
}
