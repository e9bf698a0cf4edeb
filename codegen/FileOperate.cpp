#include "FileOperate.h"

#include "TextCodec.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string SystemError()
{
    return std::strerror(errno);
}

void MakeDirectory(const std::string& directory)
{
    std::error_code ec;
    if (fs::is_directory(directory, ec))
        return;
    fs::create_directories(directory, ec);
    if (ec || !fs::is_directory(directory))
        throw TFileError("无法创建目录 " + directory + "：" + (ec ? ec.message() : "同名文件已存在"));
}

} // namespace

std::string TFileOperate::NormalizeLines(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16 + 2);
    bool lineOpen = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\x1A')
            break;
        if (c == '\n') {
            out += "\r\n";
            lineOpen = false;
        } else if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                out += "\r\n";
                lineOpen = false;
                ++i;
            }
            // a lone CR is dropped and the line goes on
        } else {
            out += c;
            lineOpen = true;
        }
    }
    if (lineOpen)
        out += "\r\n";
    return out;
}

std::string TFileOperate::ReadText(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return "";
    std::ifstream in(path, std::ios::binary);
    if (!in || S_ISDIR(info.st_mode))
        throw TFileError("无法读取模板文件 " + path);
    std::string bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (in.bad())
        throw TFileError("读取模板文件 " + path + " 时出错");
    try {
        return GbkToUtf8(NormalizeLines(bytes));
    } catch (const TEncodingError&) {
        throw TFileError("模板文件 " + path + " 不是 GBK 编码的文本");
    }
}

void TFileOperate::WriteBytes(const std::string& path, const std::string& bytes)
{
    // A name of our own beside the target, created exclusively with the
    // usual permissions, then renamed over the target.
    static std::atomic<unsigned> counter { 0 };
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw TFileError("无法创建文件 " + path + "：" + SystemError());
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            std::string why = SystemError();
            ::close(fd);
            ::unlink(temp.c_str());
            throw TFileError("无法写入文件 " + path + "：" + why);
        }
        written += static_cast<size_t>(n);
    }
    if (::close(fd) != 0 || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::string why = SystemError();
        ::unlink(temp.c_str());
        throw TFileError("无法写入文件 " + path + "：" + why);
    }
}

void TFileOperate::WriteText(const std::string& directory, const std::string& path, const std::string& text)
{
    MakeDirectory(directory);
    std::string gbk;
    try {
        gbk = Utf8ToGbk(text);
    } catch (const TEncodingError&) {
        throw TFileError("文件 " + path + " 的内容含有无法用 GBK 编码表示的字符");
    }
    WriteBytes(path, gbk);
}

void TFileOperate::WriteUtf8Text(const std::string& directory, const std::string& path, const std::string& text)
{
    MakeDirectory(directory);
    SaveUtf8(path, text);
}

void TFileOperate::SaveUtf8(const std::string& path, const std::string& text)
{
    WriteBytes(path, "\xEF\xBB\xBF" + text);
}

bool TFileOperate::CopyFile(const std::string& source, const std::string& target)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return false;
    std::string bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    try {
        WriteBytes(target, bytes);
        return true;
    } catch (const TFileError&) {
        return false;
    }
}
