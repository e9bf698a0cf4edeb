#pragma once
#include <string>

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

// True when the bytes cannot be merged as text: a NUL byte, a UTF-16
// byte-order mark, or bytes that are not valid in the file's encoding
// (UTF-8 after a byte-order mark, GBK otherwise).
bool IsBinaryText(const std::string& bytes);
