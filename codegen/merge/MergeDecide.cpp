// What the merging generation does to one file: the decision from its base,
// the file on disk and the new text.
#include "codegen/merge/MergePlan.h"

#include "codegen/io/TreeGuard.h"
#include "codegen/merge/StructuralMerge.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The text with the line ends of the user's file: an editor that turned
// CRLF into LF (or back) changed no line.
std::string WithLineEnds(const std::string& bytes, bool crlf)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        if (bytes[i] == '\n' && crlf)
            out += '\r';
        out += bytes[i];
    }
    return out;
}

bool UsesCrLf(const std::string& bytes)
{
    size_t lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    size_t crlf = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++crlf;
    return lines == 0 || crlf * 2 >= lines;
}

// The three-way merge of an edited file, in the file's own line ends and
// with the markers' labels in its encoding; the note says what was unusual.
TStructuralMerge MergeEdited(
    const std::string& path, const std::string& base, const std::string& disk, const std::string& next)
{
    bool crlf = UsesCrLf(disk);
    bool converted = crlf != UsesCrLf(next);
    TStructuralMerge merged = converted
        ? MergeStructurally(path, WithLineEnds(base, crlf), disk, WithLineEnds(next, crlf), LabelsFor(path, next))
        : MergeStructurally(path, base, disk, next, LabelsFor(path, next));
    if (converted)
        merged.note += crlf ? "(按文件的 CRLF 换行合并)" : "(按文件的 LF 换行合并)";
    if (MixesEncodings(disk))
        merged.note += "(文件中混有 GBK 和 UTF-8 的文字，已按字节逐行合并，请检查)";
    return merged;
}

} // namespace

void TMergePlanner::Decide(TMergeStep& step, const std::string& next) const
{
    step.newText = next;
    const TTreeGuard& guard = bases_.Guard();
    // Nothing is read through a link, nor outside the tree.
    std::string unsafe = guard.Unsafe(step.relative);
    if (unsafe.empty())
        unsafe = guard.Unsafe(".javagen/base/" + step.relative);
    if (!unsafe.empty()) {
        step.action = TMergeAction::Refused;
        step.note = unsafe;
        return;
    }
    TFileStamp baseStamp, diskStamp;
    std::optional<std::string> base = bases_.Read(step.relative, &baseStamp);
    std::optional<std::string> disk = TFileOperate::ReadIfRegular(step.path, &diskStamp);
    step.disk = TFileState::Of(disk, diskStamp);
    step.base = TFileState::Of(base, baseStamp);
    step.baseCurrent = base && *base == next;

    // The user took NAME.new over: it is the base the file grew from.
    if (disk && !base && *disk != next && guard.Unsafe(step.relative + ".new").empty() &&
        TFileOperate::ReadIfRegular(step.path + ".new") == disk) {
        base = disk;
        step.adopted = step.relative + ".new";
    }

    // A renamed class's file, or a file of a package that changed, not yet
    // on disk: the old file's edits come along.
    auto renamed = renamed_.find(step.relative);
    std::string from = renamed != renamed_.end() ? renamed->second : std::string();
    bool packageChanged = from.empty() && !previousPackageDir_.empty() && step.relative.rfind(packageDir_, 0) == 0;
    if (packageChanged)
        from = previousPackageDir_ + step.relative.substr(packageDir_.size());
    if (!disk && !from.empty() && guard.Unsafe(from).empty() && guard.Unsafe(".javagen/base/" + from).empty()) {
        std::optional<std::string> oldBase = bases_.Read(from);
        std::optional<std::string> oldDisk = TFileOperate::ReadIfRegular(bases_.FilePath(from));
        if (oldBase && oldDisk && *oldBase != *oldDisk && !IsBinaryText(*oldDisk) && !IsBinaryText(*oldBase) &&
            !HasConflictMarkers(*oldDisk)) {
            TStructuralMerge merged = MergeEdited(step.path, *oldBase, *oldDisk, next);
            step.action = merged.merged.clean ? TMergeAction::Merge : TMergeAction::Conflict;
            step.writeFile = true;
            step.merged = std::move(merged.merged.bytes);
            step.carriedFrom = from;
            step.note = (packageChanged ? "(包名已改，手工修改从 " + from + " 带入)"
                                        : "(类已改名，手工修改从 " + fs::path(from).filename().string() + " 带入)") +
                merged.note;
            return;
        }
    }
    if (!disk) {
        step.action = TMergeAction::New;
        step.writeFile = true;
    } else if (*disk == next) {
        step.action = TMergeAction::Unchanged;
    } else if (HasConflictMarkers(*disk)) {
        // Merged again, its markers would nest inside new ones.
        step.action = TMergeAction::Unresolved;
    } else if (!base) {
        PlaceBeside(step, next);
    } else if (*disk == *base) {
        step.action = TMergeAction::Replace;
        step.writeFile = true;
    } else if (next == *base) {
        step.action = TMergeAction::Keep;
    } else if (IsBinaryText(*disk) || IsBinaryText(*base)) {
        // No line of it can be merged: the user's bytes stay as they are.
        PlaceBeside(step, next);
        step.note = IsBinaryText(*disk)
            ? "(磁盘上的文件含有 NUL 字节、UTF-16 或 GBK/UTF-8 以外的字节，不是可以逐行合并的文本)"
            : "(基准不是可以逐行合并的文本)";
    } else {
        TStructuralMerge merged = MergeEdited(step.path, *base, *disk, next);
        if (merged.merged.bytes.empty() && !disk->empty()) {
            PlaceBeside(step, next);
            step.note = "(合并结果为空，未合并)";
            return;
        }
        step.action = merged.merged.clean ? TMergeAction::Merge : TMergeAction::Conflict;
        step.writeFile = true;
        step.merged = std::move(merged.merged.bytes);
        step.note = merged.note;
    }
}

void TMergePlanner::PlaceBeside(TMergeStep& step, const std::string& next) const
{
    const std::string& root = bases_.OutputRoot();
    const TTreeGuard& guard = bases_.Guard();
    step.action = TMergeAction::Beside;
    for (int n = 1; n < 1000; ++n) {
        std::string name = step.relative + ".new" + (n == 1 ? "" : std::to_string(n));
        if (!guard.Unsafe(name).empty() || !guard.Unsafe(".javagen/beside/" + name).empty())
            continue;
        std::optional<std::string> there = TFileOperate::ReadIfRegular(root + "/" + name);
        // Free, or what the program put there last: it may be replaced.
        if (there && there != next && there != TFileOperate::ReadIfRegular(root + "/.javagen/beside/" + name))
            continue;
        step.besidePath = root + "/" + name;
        step.besideRecord = "beside/" + name;
        if (n > 1)
            step.note = "(" + fs::path(step.relative).filename().string() + ".new 不是本程序写的文件，未改动)";
        return;
    }
    step.action = TMergeAction::Refused;
    step.note = "没有可用的 .new 文件名";
}
