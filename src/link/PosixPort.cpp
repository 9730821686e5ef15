#include "PosixPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "PortMap.h"

namespace kv::link {

namespace {

struct BaudEntry {
    uint32_t rate;
    speed_t code;
};
constexpr BaudEntry Bauds[] = {{300, B300},       {600, B600},      {1200, B1200},
                               {2400, B2400},     {4800, B4800},    {9600, B9600},
                               {19200, B19200},   {38400, B38400},  {57600, B57600},
                               {115200, B115200}, {230400, B230400}};

bool SpeedCode(uint32_t rate, speed_t& code) {
    for (const auto& b : Bauds) {
        if (b.rate == rate) {
            code = b.code;
            return true;
        }
    }
    return false;
}

uint32_t SpeedRate(speed_t code) {
    for (const auto& b : Bauds)
        if (b.code == code) return b.rate;
    return 0;
}

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

PosixPort::~PosixPort() {
    Close();
}

bool PosixPort::Open(const std::string& name) {
    Close();
    std::string device = PortDevice(name);
    if (device.empty()) return false;
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // No sharing: the terminal's exclusive mode keeps other users out, the lock other root users.
    if (!isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return false;
    }
    Fd = fd;
    HaveCounts = ::ioctl(Fd, TIOCGICOUNT, &Counts) == 0;
    return true;
}

void PosixPort::Close() {
    if (Fd < 0) return;
    // The exclusive mode outlives the descriptor on a pseudo-terminal; clear it for the next user.
    ::ioctl(Fd, TIOCNXCL);
    ::close(Fd);
    Fd = -1;
}

LineSettings PosixPort::GetState() {
    LineSettings s;
    termios t{};
    if (Fd < 0 || tcgetattr(Fd, &t) != 0) return s;
    s.BaudRate = SpeedRate(cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
        case CS5:
            s.ByteSize = 5;
            break;
        case CS6:
            s.ByteSize = 6;
            break;
        case CS7:
            s.ByteSize = 7;
            break;
        default:
            s.ByteSize = 8;
            break;
    }
    s.StopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
    bool odd = t.c_cflag & PARODD;
    if (t.c_cflag & CMSPAR)
        s.Parity = odd ? MARKPARITY : SPACEPARITY;
    else if (t.c_cflag & PARENB)
        s.Parity = odd ? ODDPARITY : EVENPARITY;
    else
        s.Parity = NOPARITY;
    s.Flags = Flags;
    return s;
}

bool PosixPort::SetState(const LineSettings& s) {
    if (Fd < 0) return false;
    termios t{};
    if (tcgetattr(Fd, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD | HUPCL;
    switch (s.ByteSize) {
        case 5:
            t.c_cflag |= CS5;
            break;
        case 6:
            t.c_cflag |= CS6;
            break;
        case 7:
            t.c_cflag |= CS7;
            break;
        default:
            t.c_cflag |= CS8;
            break;
    }
    if (s.StopBits != 0) t.c_cflag |= CSTOPB;
    switch (s.Parity) {
        case ODDPARITY:
            t.c_cflag |= PARENB | PARODD;
            break;
        case EVENPARITY:
            t.c_cflag |= PARENB;
            break;
        case MARKPARITY:
            t.c_cflag |= PARENB | CMSPAR | PARODD;
            break;
        case SPACEPARITY:
            t.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            break;
    }
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | PARMRK | IGNPAR);
    if (s.Flags & FLAG_PARITY) t.c_iflag |= INPCK;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    speed_t code;
    bool known = SpeedCode(s.BaudRate, code);
    if (known) {
        cfsetispeed(&t, code);
        cfsetospeed(&t, code);
    }
    bool ok = tcsetattr(Fd, TCSANOW, &t) == 0 && known;
    int lines = 0;
    if (s.Flags & FLAG_DTR_ENABLE) lines |= TIOCM_DTR;
    if (s.Flags & FLAG_RTS_ENABLE) lines |= TIOCM_RTS;
    if (lines) ::ioctl(Fd, TIOCMBIS, &lines);
    Flags = s.Flags;
    return ok;
}

bool PosixPort::SetTimeouts(const Timeouts& timeouts) {
    Times = timeouts;
    return Fd >= 0;
}

void PosixPort::Purge(unsigned flags) {
    if (Fd < 0) return;
    if (flags & PURGE_TXCLEAR) tcflush(Fd, TCOFLUSH);
    if (flags & PURGE_RXCLEAR) tcflush(Fd, TCIFLUSH);
}

LineStatus PosixPort::ClearError() {
    LineStatus status;
    if (Fd < 0) return status;
    int queued = 0;
    if (::ioctl(Fd, FIONREAD, &queued) != 0) {
        status.Errors |= CE_IOE;
        queued = 0;
    }
    status.Queued = static_cast<uint32_t>(queued);
    serial_icounter_struct now{};
    if (HaveCounts && ::ioctl(Fd, TIOCGICOUNT, &now) == 0) {
        if (now.frame != Counts.frame) status.Errors |= CE_FRAME;
        if (now.overrun != Counts.overrun) status.Errors |= CE_OVERRUN;
        if (now.buf_overrun != Counts.buf_overrun) status.Errors |= CE_RXOVER;
        if (now.parity != Counts.parity) status.Errors |= CE_RXPARITY;
        Counts = now;
    }
    return status;
}

uint32_t PosixPort::Read(uint8_t* buffer, uint32_t max) {
    if (Fd < 0 || max == 0) return 0;
    ssize_t n = ::read(Fd, buffer, max);
    return n > 0 ? static_cast<uint32_t>(n) : 0;
}

uint32_t PosixPort::Write(const uint8_t* data, uint32_t count) {
    if (Fd < 0) return 0;
    const long long deadline = NowMs() +
                               static_cast<long long>(Times.WriteTotalMultiplier) * count +
                               Times.WriteTotalConstant;
    uint32_t written = 0;
    while (written < count) {
        ssize_t n = ::write(Fd, data + written, count - written);
        if (n > 0) {
            written += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) break;
        long long left = deadline - NowMs();
        if (left <= 0) break;
        pollfd p{Fd, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
    // Like a port with write time-outs, return once the bytes have left (or the time is up).
    int pending = 0;
    while (::ioctl(Fd, TIOCOUTQ, &pending) == 0 && pending > 0 && NowMs() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return written;
}

}  // namespace kv::link
