#include "MergeSink.h"

#include "FileOperate.h"
#include "TextCodec.h"
#include "ThreeWayMerge.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* const kOursLabel = "手工修改(磁盘上的文件)";
const char* const kTheirsLabel = "模型生成的新代码";
const char* const kBaseLabel = "上次生成的代码";

bool IsUtf8WithBom(const std::string& bytes)
{
    return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// Labels in the encoding of the file they land in.
TMergeLabels LabelsFor(const std::string& bytes)
{
    if (IsUtf8WithBom(bytes))
        return { kBaseLabel, kOursLabel, kTheirsLabel };
    return { Utf8ToGbk(kBaseLabel), Utf8ToGbk(kOursLabel), Utf8ToGbk(kTheirsLabel) };
}

// A conflict of ours the user has not resolved yet.
bool HasConflictMarkers(const std::string& bytes)
{
    return bytes.find("\n<<<<<<< ") != std::string::npos || bytes.compare(0, 8, "<<<<<<< ") == 0;
}

std::optional<std::string> ReadIfPresent(const std::string& path)
{
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return std::nullopt;
    return TFileOperate::ReadFileBytes(path);
}

} // namespace

const char* MergeActionWord(TMergeAction action)
{
    switch (action) {
    case TMergeAction::New:
        return "new";
    case TMergeAction::Replace:
        return "replace";
    case TMergeAction::Unchanged:
        return "unchanged";
    case TMergeAction::Keep:
        return "keep";
    case TMergeAction::Merge:
        return "merge";
    case TMergeAction::Conflict:
        return "conflict";
    case TMergeAction::Beside:
        return "beside";
    case TMergeAction::Obsolete:
        return "obsolete";
    }
    return "";
}

int TMergeSummary::Count(TMergeAction action) const
{
    int n = 0;
    for (const auto& entry : entries)
        n += entry.action == action ? 1 : 0;
    return n;
}

std::vector<std::string> TMergeSummary::Conflicts() const
{
    std::vector<std::string> paths;
    for (const auto& entry : entries)
        if (entry.action == TMergeAction::Conflict)
            paths.push_back(entry.displayPath);
    return paths;
}

std::string TMergeSummary::Counts() const
{
    auto n = [this](TMergeAction action) { return std::to_string(Count(action)); };
    return "写入 " + std::to_string(Count(TMergeAction::New) + Count(TMergeAction::Replace)) + " 个文件，合并 " +
        n(TMergeAction::Merge) + " 个，保留手工修改 " + n(TMergeAction::Keep) + " 个，冲突 " +
        n(TMergeAction::Conflict) + " 个，另存为 .new " + n(TMergeAction::Beside) + " 个，未改动 " +
        n(TMergeAction::Unchanged) + " 个，过时 " + n(TMergeAction::Obsolete) + " 个。";
}

TMergeSink::TMergeSink(
    IGenerationListener& listener, const std::string& outputRoot, const std::string& projectName, bool dryRun)
    : listener_(listener)
    , bases_(outputRoot)
    , displayRoot_("projects/" + projectName + "/")
    , dryRun_(dryRun)
{
}

void TMergeSink::Report(TMergeAction action, const std::string& displayPath, const std::string& text)
{
    summary_.entries.push_back({ action, displayPath, false });
    listener_.Progress(dryRun_ ? std::string(MergeActionWord(action)) + " " + displayPath : displayPath + text);
}

void TMergeSink::WriteFile(const std::string& path, const std::string& bytes)
{
    TFileOperate::MakeDirectory(fs::path(path).parent_path().string());
    TFileOperate::WriteBytes(path, bytes);
}

void TMergeSink::Put(const TOutputFile& file, const std::string& suffix)
{
    std::string relative = bases_.Relative(file.path);
    produced_.insert(relative);
    std::optional<std::string> base = bases_.Read(relative);
    std::optional<std::string> disk = ReadIfPresent(file.path);
    const std::string& next = file.bytes;

    TMergeAction action;
    bool write = false;
    std::string written; // what goes to the file when write is set
    std::string besidePath;
    if (!disk) {
        action = TMergeAction::New;
        write = true;
        written = next;
    } else if (*disk == next) {
        action = TMergeAction::Unchanged;
    } else if (!base) {
        action = TMergeAction::Beside;
        besidePath = file.path + ".new";
    } else if (*disk == *base) {
        action = TMergeAction::Replace;
        write = true;
        written = next;
    } else if (next == *base) {
        action = HasConflictMarkers(*disk) ? TMergeAction::Conflict : TMergeAction::Keep;
    } else {
        TMergedText merged = MergeThreeWays(*base, *disk, next, LabelsFor(next));
        action = merged.clean ? TMergeAction::Merge : TMergeAction::Conflict;
        write = true;
        written = merged.bytes;
    }

    if (!dryRun_) {
        // The file first, then its base: interrupted between the two, the
        // next merge sees the new text on both sides and merges cleanly.
        if (write)
            WriteFile(file.path, written);
        // The base is what the program last wrote to the path: for a file
        // it left alone and wrote beside, there is none yet, and the next
        // merge offers NAME.new again until the user's file matches.
        if (action == TMergeAction::Beside)
            WriteFile(besidePath, next);
        else
            bases_.Write(relative, next);
    }

    switch (action) {
    case TMergeAction::New:
    case TMergeAction::Replace:
        return Report(action, file.displayPath, suffix);
    case TMergeAction::Unchanged:
        return Report(action, file.displayPath, "未改动!");
    case TMergeAction::Keep:
        return Report(action, file.displayPath, "已保留手工修改!");
    case TMergeAction::Merge:
        return Report(action, file.displayPath, "已合并!");
    case TMergeAction::Conflict:
        return Report(action, file.displayPath, "有冲突，请手工解决!");
    case TMergeAction::Beside:
        return Report(action, file.displayPath,
            "与生成的代码不同且没有基准，已保留，新代码写入" + fs::path(besidePath).filename().string() + "!");
    case TMergeAction::Obsolete:
        break;
    }
}

void TMergeSink::FinishObsolete()
{
    for (const auto& relative : bases_.List()) {
        if (produced_.count(relative))
            continue;
        std::string path = bases_.FilePath(relative);
        std::string display = displayRoot_ + relative;
        std::optional<std::string> disk = ReadIfPresent(path);
        if (!disk) {
            if (!dryRun_)
                bases_.Remove(relative);
            continue;
        }
        bool unedited = *disk == bases_.Read(relative);
        summary_.entries.push_back({ TMergeAction::Obsolete, display, unedited });
        if (dryRun_) {
            listener_.Progress(std::string(MergeActionWord(TMergeAction::Obsolete)) + " " + display);
            continue;
        }
        if (unedited) {
            std::error_code ec;
            fs::remove(path, ec);
            bases_.Remove(relative);
            listener_.Progress(display + "已过时，已删除!");
        } else {
            listener_.Progress(display + "已过时，有手工修改，已保留!");
        }
    }
    if (!dryRun_)
        bases_.WriteManifest();
}
