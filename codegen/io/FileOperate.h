#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

// A file or directory that cannot be read, created or written; ends a run.
class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Which file a read saw: its inode, size and times, taken as it was opened.
// A later look tells by one lstat that the file is untouched since, without
// reading it again: any write or time change moves its ctime. Only a file
// on a local file system whose ctime was well before the read can be told
// that way (a write in the same clock tick may keep the times, a network
// file system may answer from a cache); for others, Unchanged is false and
// the caller compares contents.
struct TFileStamp {
    bool settled = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t mtimeNs = 0;
    int64_t ctimeNs = 0;

    // True when path is still the same regular file, untouched since.
    bool Unchanged(const std::string& path) const;
};

// Text-file operations of a generation run. Text in memory is UTF-8;
// templates are GBK on disk, outputs GBK or BOM + UTF-8.
class TFileOperate {
public:
    // Over a file-size limit (ulimit -f) a write then fails with a message
    // and the file it was writing is removed, instead of the program being
    // killed by SIGXFSZ half-way: called once when the program starts.
    static void FailWritesOverTheSizeLimit();
    // The whole template as UTF-8, each line followed by CR LF (LF or CR LF
    // end a line, a lone CR is dropped, Ctrl-Z ends the file). A missing
    // file gives the empty text.
    static std::string ReadText(const std::string& path);
    // Creates directory with its parents, then writes text as GBK bytes.
    static void WriteText(const std::string& directory, const std::string& path, const std::string& text);
    // Creates directory with its parents, then SaveUtf8.
    static void WriteUtf8Text(const std::string& directory, const std::string& path, const std::string& text);
    // EF BB BF followed by the UTF-8 bytes of text.
    static void SaveUtf8(const std::string& path, const std::string& text);

    // The GBK bytes of text; TFileError naming path when a character has
    // no GBK form.
    static std::string EncodeGbk(const std::string& path, const std::string& text);
    // Creates directory with all missing parents; TFileError when it cannot.
    static void MakeDirectory(const std::string& directory);

    // The line rules of ReadText on raw bytes (no conversion).
    static std::string NormalizeLines(const std::string& bytes);
    // Writes bytes through a temporary file in the same directory renamed
    // over path, so a failure never leaves a half-written file.
    static void WriteBytes(const std::string& path, const std::string& bytes);

    // Writes a document the user names (an exported model): path must be a
    // regular file or not exist yet, in a directory that exists; the text
    // goes through a temporary file renamed over it. TFileError otherwise,
    // naming what path is.
    static void WriteDocument(const std::string& path, const std::string& bytes);

    // The whole file, read only when it is a regular file (a named pipe
    // would block, a device could act): TFileError otherwise, or when it is
    // missing and missingIsEmpty is false.
    // With stamp, also which file was read (missing: an unsettled stamp).
    static std::string ReadFileBytes(const std::string& path, bool missingIsEmpty = false, TFileStamp* stamp = nullptr);
    // The same for a file of an output tree that its guard found to be a
    // regular file or missing: nothing when it is missing, and a symbolic
    // link put in its place since is refused, never followed.
    static std::optional<std::string> ReadIfRegular(const std::string& path, TFileStamp* stamp = nullptr);

    // Temporary files are named <file>.javagen-<pid>-<n>.tmp; the longest
    // output file name that leaves room for that, and for the ".new" a
    // merging generation may add, within 255 bytes.
    static constexpr size_t kMaxOutputNameBytes = 255 - 34 - 4;
    // Removes from directory the temporary files that a run killed while
    // writing left behind (those of processes that no longer run), and
    // nothing else. Returns how many it removed.
    static int RemoveLeftovers(const std::string& directory);
};

// Writes the files of a run directory after directory, keeping the current
// directory open so that each file costs a lookup of its own name only.
// Every file goes through a temporary file as in TFileOperate::WriteBytes.
class TDirectoryWriter {
public:
    TDirectoryWriter() = default;
    ~TDirectoryWriter();
    TDirectoryWriter(const TDirectoryWriter&) = delete;
    TDirectoryWriter& operator=(const TDirectoryWriter&) = delete;

    // path is directory + "/" + file name; the directory is made when missing.
    void Write(const std::string& directory, const std::string& path, const std::string& bytes);

private:
    std::string directory_;
    int fd_ = -1;
};
