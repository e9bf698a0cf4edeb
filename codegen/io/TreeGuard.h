#pragma once
#include <shared_mutex>
#include <string>
#include <unordered_set>

// The merging generation reads, writes and deletes only below the output
// root projects/<project>/, and trusts nothing it finds there: a file, a
// base in .javagen/ or a directory on the way may have been planted (a
// shared tree, an unpacked archive).

// Why the path relative to root cannot be used, or empty: it leads out of
// the tree (absolute, "..", empty parts), a part of it is a symbolic link
// (never followed), a part on the way is no directory, or the entry itself
// exists and is no regular file.
// With directory, the entry itself must be a directory instead.
std::string UnsafeInTree(const std::string& root, const std::string& relative, bool directory = false);

// The same check for the many paths of one run below one root: a directory
// on the way found to be a real directory is not looked at again (a run
// looks up every file and its base several times). Safe to share between
// the run's threads.
class TTreeGuard {
public:
    // remember false: every call checks every part (for the writes and
    // deletes of an apply, each checked just before it acts).
    explicit TTreeGuard(std::string root, bool remember = true)
        : root_(std::move(root))
        , remember_(remember)
    {
    }
    TTreeGuard(const TTreeGuard& other)
        : root_(other.root_)
        , remember_(other.remember_)
    {
    }
    TTreeGuard& operator=(const TTreeGuard&) = delete;

    std::string Unsafe(const std::string& relative, bool directory = false) const;
    const std::string& Root() const { return root_; }

private:
    bool Trusted(const std::string& directory) const;
    void Trust(const std::string& directory) const;

    std::string root_;
    bool remember_;
    mutable std::shared_mutex mutex_;
    mutable std::unordered_set<std::string> directories_; // relative to root, found to be real directories
};

// True when the bytes cannot be merged as text: a NUL byte, a UTF-16
// byte-order mark, or a line valid in none of the output encodings (UTF-8
// with or without a byte-order mark, GBK).
bool IsBinaryText(const std::string& bytes);
// True when the bytes are valid UTF-8.
bool IsUtf8Text(const std::string& bytes);
// True when the text is valid neither as a whole UTF-8 nor as a whole GBK
// text, but each of its lines is one or the other.
bool MixesEncodings(const std::string& bytes);
