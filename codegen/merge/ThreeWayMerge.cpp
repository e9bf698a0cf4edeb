#include "codegen/merge/ThreeWayMerge.h"

#include <git2.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// libgit2 keeps process-wide state; it is set up once and never torn down
// (a run of the window may still be merging when the program leaves).
void InitLibgit2()
{
    static const int initialised = git_libgit2_init();
    (void)initialised;
}

git_merge_file_input Input(const std::string& bytes)
{
    git_merge_file_input input = GIT_MERGE_FILE_INPUT_INIT;
    input.ptr = bytes.data();
    input.size = bytes.size();
    return input;
}

// The lines of a text that are not blank, each without its line end and
// trailing blanks.
std::vector<std::string> InkedLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// Conflicts whose two sides differ only in blank lines (a method both
// sides placed at the end, a blank line apart) are no conflicts: the
// user's side stays. Whether any conflict is left.
bool DropBlankLineConflicts(std::string& bytes, const TMergeLabels& labels)
{
    const std::string open = "<<<<<<< " + labels.ours, middle = "=======", close = ">>>>>>> " + labels.theirs;
    std::string out;
    bool left = false;
    size_t at = 0;
    for (;;) {
        size_t start = bytes.find(open, at);
        bool lineStart = start != std::string::npos && (start == 0 || bytes[start - 1] == '\n');
        size_t afterOpen = lineStart ? bytes.find('\n', start) : std::string::npos;
        size_t mid = afterOpen == std::string::npos ? std::string::npos : bytes.find("\n" + middle, afterOpen);
        size_t end = mid == std::string::npos ? std::string::npos : bytes.find("\n" + close, mid + 1);
        size_t endLine = end == std::string::npos ? std::string::npos : bytes.find('\n', end + 1);
        if (endLine == std::string::npos) {
            out += bytes.substr(at);
            break;
        }
        std::string ours = bytes.substr(afterOpen + 1, mid + 1 - (afterOpen + 1));
        size_t theirsStart = bytes.find('\n', mid + 1) + 1;
        std::string theirs = bytes.substr(theirsStart, end + 1 - theirsStart);
        out += bytes.substr(at, start - at);
        if (InkedLines(ours) == InkedLines(theirs)) {
            out += ours;
        } else {
            out += bytes.substr(start, endLine + 1 - start);
            left = true;
        }
        at = endLine + 1;
    }
    bytes = std::move(out);
    return left;
}

} // namespace

TMergedText MergeThreeWays(
    const std::string& base, const std::string& ours, const std::string& theirs, const TMergeLabels& labels)
{
    InitLibgit2();
    git_merge_file_input ancestorInput = Input(base);
    git_merge_file_input ourInput = Input(ours);
    git_merge_file_input theirInput = Input(theirs);
    git_merge_file_options options = GIT_MERGE_FILE_OPTIONS_INIT;
    options.ancestor_label = labels.base.c_str();
    options.our_label = labels.ours.c_str();
    options.their_label = labels.theirs.c_str();
    options.flags = GIT_MERGE_FILE_STYLE_MERGE;
    git_merge_file_result result = {};
    if (git_merge_file(&result, &ancestorInput, &ourInput, &theirInput, &options) != 0) {
        const git_error* error = git_error_last();
        throw std::runtime_error(std::string("三方合并失败：") + (error && error->message ? error->message : ""));
    }
    TMergedText merged { std::string(result.ptr ? result.ptr : "", result.len), result.automergeable != 0 };
    git_merge_file_result_free(&result);
    if (!merged.clean)
        merged.clean = !DropBlankLineConflicts(merged.bytes, labels);
    return merged;
}
