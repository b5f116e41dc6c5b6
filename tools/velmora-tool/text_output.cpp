#include "tools/velmora-tool/text_output.h"

#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace velmora::tool {

bool ReadWholeFile(const char* path, std::string& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return false;
    out.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

std::string Utf8FromGbk(const std::string& gbk) {
    std::string out;
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return gbk;
    size_t i = 0;
    while (i < gbk.size()) {
        size_t take = static_cast<unsigned char>(gbk[i]) >= 0x80 && i + 1 < gbk.size() ? 2 : 1;
        char in[2] = {gbk[i], take == 2 ? gbk[i + 1] : '\0'};
        char buf[8];
        char* inp = in;
        size_t inLeft = take;
        char* outp = buf;
        size_t outLeft = sizeof buf;
        if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned char>(gbk[i]));
            out += esc;
            i += 1;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            continue;
        }
        out.append(buf, outp - buf);
        i += take;
    }
    iconv_close(cd);
    return out;
}

std::string HexBytes(const std::string& bytes) {
    std::string out;
    char hex[4];
    for (size_t i = 0; i < bytes.size() && i < 32; ++i) {
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(bytes[i]));
        if (i)
            out += ' ';
        out += hex;
    }
    if (bytes.size() > 32)
        out += " ...";
    if (bytes.empty())
        out = "(empty)";
    return out;
}

}  // namespace velmora::tool
