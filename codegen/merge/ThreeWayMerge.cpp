#include "ThreeWayMerge.h"

#include <git2.h>

#include <stdexcept>

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
    return merged;
}
