#include "model/store/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace {

// An iconv handle per thread and direction, opened on first use: opening
// one costs more than converting a generated file.
class THandle {
public:
    THandle(const char* from, const char* to)
        : cd_(iconv_open(to, from))
    {
    }
    ~THandle()
    {
        if (Valid())
            iconv_close(cd_);
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

// One conversion of a whole string.
std::string Convert(iconv_t cd, const std::string& input, const char* what)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    std::string out;
    out.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    size_t done = 0;
    for (;;) {
        char* outPtr = out.data() + done;
        size_t outLeft = out.size() - done;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        throw TEncodingError(what);
    }
    out.resize(done);
    return out;
}

iconv_t Handle(const char* from, const char* to)
{
    thread_local THandle toGbk("UTF-8", "GBK");
    thread_local THandle toUtf8("GBK", "UTF-8");
    THandle& handle = std::string(to) == "GBK" ? toGbk : toUtf8;
    if (!handle.Valid())
        throw TEncodingError(std::string("无法进行编码转换: ") + from + " -> " + to);
    return handle.Get();
}

} // namespace

std::string Utf8ToGbk(const std::string& utf8)
{
    // ASCII is the same in both encodings; only the runs between are given
    // to iconv, which is slow per character (generated code is mostly ASCII).
    iconv_t cd = Handle("UTF-8", "GBK");
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        size_t ascii = i;
        while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80)
            ++ascii;
        out.append(utf8, i, ascii - i);
        if (ascii == utf8.size())
            break;
        size_t end = ascii;
        while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) >= 0x80)
            ++end;
        out += Convert(cd, utf8.substr(ascii, end - ascii), "文本含有无法用 GBK 编码表示的字符");
        i = end;
    }
    return out;
}

std::string GbkToUtf8(const std::string& gbk)
{
    return Convert(Handle("GBK", "UTF-8"), gbk, "文件含有不是 GBK 编码的字节");
}

bool IsGbkEncodable(const std::string& utf8)
{
    try {
        Utf8ToGbk(utf8);
        return true;
    } catch (const TEncodingError&) {
        return false;
    }
}
