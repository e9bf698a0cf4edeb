#include "codegen/io/TreeGuard.h"

#include "model/store/TextCodec.h"

#include <filesystem>
#include <mutex>

namespace fs = std::filesystem;

std::string UnsafeInTree(const std::string& root, const std::string& relative, bool directory)
{
    return TTreeGuard(root, false).Unsafe(relative, directory);
}

std::string TTreeGuard::Unsafe(const std::string& relative, bool directory) const
{
    fs::path rel(relative);
    if (relative.empty() || rel.is_absolute())
        return relative + " 不在工程目录中";
    fs::path at(root_);
    std::error_code ec;
    size_t parts = static_cast<size_t>(std::distance(rel.begin(), rel.end()));
    size_t index = 0;
    std::string prefix;
    for (const auto& part : rel) {
        ++index;
        std::string name = part.string();
        if (name.empty() || name == "." || name == "..")
            return relative + " 不在工程目录中";
        at /= part;
        prefix += prefix.empty() ? name : "/" + name;
        bool last = index == parts;
        if (!last && Trusted(prefix))
            continue;
        fs::file_status status = fs::symlink_status(at, ec);
        if (ec || !fs::exists(status))
            return ""; // what does not exist yet is made as a plain directory or file
        if (fs::is_symlink(status))
            return at.string() + " 是符号链接";
        if ((!last || directory) && !fs::is_directory(status))
            return at.string() + " 不是目录";
        if (last && !directory && !fs::is_regular_file(status))
            return at.string() + " 不是普通文件";
        if (!last)
            Trust(prefix);
    }
    return "";
}

bool TTreeGuard::Trusted(const std::string& directory) const
{
    if (!remember_)
        return false;
    std::shared_lock lock(mutex_);
    return directories_.count(directory) > 0;
}

void TTreeGuard::Trust(const std::string& directory) const
{
    if (!remember_)
        return;
    std::unique_lock lock(mutex_);
    directories_.insert(directory);
}

bool IsUtf8Text(const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

namespace {

bool IsGbk(const std::string& text)
{
    try {
        GbkToUtf8(text);
        return true;
    } catch (const TEncodingError&) {
        return false;
    }
}

} // namespace

bool IsBinaryText(const std::string& bytes)
{
    if (bytes.find('\0') != std::string::npos)
        return true;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)
        return true;
    const std::string text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
    // The pages and web.xml are UTF-8 without a BOM; the Java sources GBK.
    if (IsUtf8Text(text) || IsGbk(text))
        return false;
    // A GBK file with a line typed in UTF-8 (or the other way) is still
    // text, merged line by line as bytes: only a line in neither is not.
    return !MixesEncodings(text);
}

bool MixesEncodings(const std::string& bytes)
{
    if (IsUtf8Text(bytes) || IsGbk(bytes))
        return false;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!IsUtf8Text(line) && !IsGbk(line))
            return false;
        start = end == std::string::npos ? bytes.size() : end + 1;
    }
    return true;
}
