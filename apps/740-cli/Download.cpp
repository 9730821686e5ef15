#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>

#include "Args.h"
#include "Commands.h"
#include "link/Messages.h"
#include "link/PosixPort.h"
#include "link/TComms.h"

namespace cli {

int RunDownload(const Words& words) {
    Args args(words, {"port", "baud", "parity", "model-mask", "min-class"}, {});
    if (args.Positional().size() != 1) throw UsageError("one IMAGE file expected");
    auto port = args.Value("port");
    if (!port) throw UsageError("--port COMn is required");
    const std::string path = args.Positional()[0];
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "740-cli download: cannot read \"" << path << "\"\n";
        return 1;
    }
    std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    auto timer = std::make_unique<kv::link::LoopTimer>();
    kv::link::LoopTimer& loop = *timer;
    kv::link::TComms comms(std::make_unique<kv::link::PosixPort>(), std::move(timer));
    std::string last;
    comms.OnProgress = [&last](const std::string& text) {
        std::cout << text << std::endl;
        last = text;
    };
    comms.SetBaud(static_cast<uint32_t>(args.Number("baud", 38400)));
    comms.SetParity(args.Value("parity", "ODD"));
    comms.SetPort(*port);
    comms.SetInterval(80);
    comms.StartDownload(image.data(), static_cast<int32_t>(image.size()),
                        static_cast<uint32_t>(args.Number("model-mask", 0)),
                        static_cast<int32_t>(args.Number("min-class", 0)));
    loop.Run();
    return last == kv::link::msg::Complete ? 0 : 1;
}

}  // namespace cli
