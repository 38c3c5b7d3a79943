#include "line_errors.h"

#if defined(Q_OS_LINUX) || defined(__linux__)
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace zevo3 {

std::optional<LineErrorCounts> readLineErrorCounts(int fd) {
#if defined(__linux__)
    if (fd < 0) return std::nullopt;
    serial_icounter_struct counts{};
    if (::ioctl(fd, TIOCGICOUNT, &counts) != 0) return std::nullopt;
    LineErrorCounts out;
    out.frame = uint32_t(counts.frame);
    out.parity = uint32_t(counts.parity);
    out.overrun = uint32_t(counts.overrun);
    out.bufOverrun = uint32_t(counts.buf_overrun);
    out.brk = uint32_t(counts.brk);
    return out;
#else
    (void)fd;
    return std::nullopt;
#endif
}

bool LineErrorWatch::rose(const std::optional<LineErrorCounts> &now) const {
    if (!base_ || !now) return false;
    return now->frame != base_->frame || now->parity != base_->parity ||
           now->overrun != base_->overrun || now->bufOverrun != base_->bufOverrun ||
           now->brk != base_->brk;
}

} // namespace zevo3
