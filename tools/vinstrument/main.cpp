// vinstrument: plays one 740-Series instrument waiting for a download on a pseudo-terminal.
// Prints the path of the terminal device on its first output line.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "VirtualUnit.h"

using namespace kv;

namespace {

const char* Usage =
    "Usage: vinstrument [options]\n"
    "  --baud B            line speed it answers on before the speed command (38400)\n"
    "  --parity P          E, M, N, O or S (O); on a pseudo-terminal E and N look alike\n"
    "  --model BITS        model bits of its identity reply (0)\n"
    "  --class C           unit class of its identity reply (0)\n"
    "  --out FILE          where each received image is written\n"
    "  --once              exit after the first image\n"
    "  --drop SHARE        share of replies to lose (0..1)\n"
    "  --refuse SHARE      share of data blocks to refuse (0..1)\n"
    "  --noise N           random bytes before each reply\n"
    "  --silent-after N    stop answering once block N was acknowledged\n"
    "  --ack-presence      acknowledge the presence query (application running)\n"
    "  --seed N            seed of the fault draws\n"
    "  --link PATH         also make PATH a symbolic link to the device\n"
    "  --verbose           trace every packet on standard error\n";

volatile std::sig_atomic_t Stop = 0;

uint8_t ParityOf(const std::string& text) {
    switch (text.empty() ? '?' : std::toupper(static_cast<unsigned char>(text[0]))) {
        case 'E':
            return link::EVENPARITY;
        case 'M':
            return link::MARKPARITY;
        case 'N':
            return link::NOPARITY;
        case 'O':
            return link::ODDPARITY;
        case 'S':
            return link::SPACEPARITY;
    }
    std::cerr << "vinstrument: unknown parity \"" << text << "\"\n";
    std::exit(2);
}

uint32_t RateOf(speed_t code) {
    static const std::pair<speed_t, uint32_t> rates[] = {
        {B1200, 1200},   {B2400, 2400},   {B4800, 4800},   {B9600, 9600},
        {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    for (auto [c, r] : rates)
        if (c == code) return r;
    return 0;
}

// The host's settings as this terminal shows them. A pseudo-terminal drops the parity-enable bit,
// so even and no parity cannot be told apart: that case is read as the parity we answer on.
link::LineSettings SeenSettings(int slave, uint8_t ownParity) {
    link::LineSettings line;
    termios t{};
    if (tcgetattr(slave, &t) != 0) return line;
    line.BaudRate = RateOf(cfgetospeed(&t));
    bool odd = t.c_cflag & PARODD;
    if (t.c_cflag & CMSPAR)
        line.Parity = odd ? link::MARKPARITY : link::SPACEPARITY;
    else if (odd)
        line.Parity = link::ODDPARITY;
    else if (t.c_cflag & PARENB)
        line.Parity = link::EVENPARITY;
    else
        line.Parity = (ownParity == link::EVENPARITY) ? link::EVENPARITY : link::NOPARITY;
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    vinst::UnitOptions options;
    std::string out, linkPath;
    bool once = false, verbose = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "vinstrument: " << a << " needs a value\n" << Usage;
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--baud")
            options.Baud = static_cast<uint32_t>(std::stoul(value()));
        else if (a == "--parity")
            options.Parity = ParityOf(value());
        else if (a == "--model")
            options.ModelBits = static_cast<uint8_t>(std::stoul(value(), nullptr, 0));
        else if (a == "--class")
            options.UnitClass = static_cast<uint8_t>(std::stoul(value(), nullptr, 0));
        else if (a == "--out")
            out = value();
        else if (a == "--once")
            once = true;
        else if (a == "--drop")
            options.DropShare = std::stod(value());
        else if (a == "--refuse")
            options.RefuseShare = std::stod(value());
        else if (a == "--noise")
            options.NoiseBytes = std::stoi(value());
        else if (a == "--silent-after")
            options.SilentAfterBlock = std::stoi(value());
        else if (a == "--ack-presence")
            options.AckPresence = true;
        else if (a == "--seed")
            options.Seed = static_cast<uint32_t>(std::stoul(value()));
        else if (a == "--link")
            linkPath = value();
        else if (a == "--verbose")
            verbose = true;
        else if (a == "--help") {
            std::cout << Usage;
            return 0;
        } else {
            std::cerr << "vinstrument: unknown option " << a << "\n" << Usage;
            return 2;
        }
    }

    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("vinstrument: pseudo-terminal");
        return 1;
    }
    std::string device = ptsname(master);
    // Holding the device open keeps its settings readable between the host's opens.
    int slave = open(device.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        std::perror("vinstrument: open device");
        return 1;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    if (!linkPath.empty()) {
        unlink(linkPath.c_str());
        if (symlink(device.c_str(), linkPath.c_str()) != 0) std::perror("vinstrument: link");
    }
    std::signal(SIGPIPE, SIG_IGN);  // whoever started us may stop reading our output
    std::signal(SIGTERM, [](int) { Stop = 1; });
    std::signal(SIGINT, [](int) { Stop = 1; });
    std::cout << device << std::endl;

    vinst::VirtualUnit unit(options);
    bool received = false;
    unit.OnImage = [&](const std::vector<uint8_t>& image) {
        if (!out.empty()) {
            std::string temp = out + ".part";
            std::ofstream file(temp, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(image.data()),
                       static_cast<std::streamsize>(image.size()));
            file.close();
            std::rename(temp.c_str(), out.c_str());
        }
        std::cout << "image " << image.size() << " bytes" << std::endl;
        received = true;
    };
    if (verbose)
        unit.OnTrace = [](const std::string& t) { std::cerr << "vinstrument: " << t << "\n"; };

    auto lastTraffic = std::chrono::steady_clock::now();
    // With --once, stay a moment after the image so that the host can read the last answer.
    auto quietSince = [&] { return std::chrono::steady_clock::now() - lastTraffic; };
    while (!Stop && !(once && received && quietSince() > std::chrono::milliseconds(1000))) {
        pollfd p{master, POLLIN, 0};
        int ready = poll(&p, 1, 50);
        if (ready > 0 && (p.revents & POLLIN)) {
            uint8_t buffer[4096];
            ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0) {
                lastTraffic = std::chrono::steady_clock::now();
                auto reply = unit.Receive(buffer, static_cast<size_t>(n),
                                          SeenSettings(slave, options.Parity));
                if (!reply.empty() && write(master, reply.data(), reply.size()) < 0)
                    std::perror("vinstrument: write");
            }
        } else if (quietSince() > std::chrono::seconds(2)) {
            unit.Reset();  // a real unit drops back to its own settings when the host goes quiet
            lastTraffic = std::chrono::steady_clock::now();
        }
    }
    if (!linkPath.empty()) unlink(linkPath.c_str());
    return 0;
}
