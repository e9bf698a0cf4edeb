#include "TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One iconv conversion of a whole string; iconv handles are not shared
// between threads, so each call opens its own.
std::string Convert(const std::string& input, const char* from, const char* to, const char* what)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw TEncodingError(std::string("无法进行编码转换: ") + from + " -> " + to);
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
        iconv_close(cd);
        throw TEncodingError(what);
    }
    iconv_close(cd);
    out.resize(done);
    return out;
}

} // namespace

std::string Utf8ToGbk(const std::string& utf8)
{
    return Convert(utf8, "UTF-8", "GBK", "文本含有无法用 GBK 编码表示的字符");
}

std::string GbkToUtf8(const std::string& gbk)
{
    return Convert(gbk, "GBK", "UTF-8", "文件含有不是 GBK 编码的字节");
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
