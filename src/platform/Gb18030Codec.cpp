#include "Gb18030Codec.h"

#include "PlatformError.h"

#include <cerrno>
#include <iconv.h>

namespace kx::platform {
namespace {

/// Owns one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw PlatformError(errnum::InvalidText,
                                std::string("无法建立字符转换 ") + from + " -> " + to);
    }
    ~IconvHandle() { iconv_close(cd_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    std::string Convert(std::string_view in, const char* what) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.resize(in.size() * 2 + 16);
        // iconv's interface is not const-correct on its input pointer.
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::size_t produced = 0;
        for (;;) {
            char* dst = out.data() + produced;
            std::size_t dstLeft = out.size() - produced;
            const std::size_t rc = srcLeft == 0 ? iconv(cd_, nullptr, nullptr, &dst, &dstLeft)
                                                : iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            produced = out.size() - dstLeft;
            if (rc != static_cast<std::size_t>(-1)) {
                if (srcLeft == 0) {
                    // Flush any shift state, then stop.
                    char* fdst = out.data() + produced;
                    std::size_t fleft = out.size() - produced;
                    iconv(cd_, nullptr, nullptr, &fdst, &fleft);
                    produced = out.size() - fleft;
                    break;
                }
                continue;
            }
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            const std::size_t offset = in.size() - srcLeft;
            throw PlatformError(errnum::InvalidText,
                                std::string(what) + "：第 " + std::to_string(offset + 1) +
                                    " 字节处的字符无法转换");
        }
        out.resize(produced);
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace

struct Gb18030Codec::Handles {
    IconvHandle toUtf8{"UTF-8", "GB18030"};
    IconvHandle fromUtf8{"GB18030", "UTF-8"};
};

Gb18030Codec::Gb18030Codec() : handles_(std::make_unique<Handles>()) {}
Gb18030Codec::~Gb18030Codec() = default;
Gb18030Codec::Gb18030Codec(Gb18030Codec&&) noexcept = default;
Gb18030Codec& Gb18030Codec::operator=(Gb18030Codec&&) noexcept = default;

std::string Gb18030Codec::ToUtf8(std::string_view gb18030) const {
    return handles_->toUtf8.Convert(gb18030, "文本不是有效的 GB18030 编码");
}

std::string Gb18030Codec::FromUtf8(std::string_view utf8) const {
    return handles_->fromUtf8.Convert(utf8, "文本不是有效的 UTF-8 编码");
}

} // namespace kx::platform
