#include "VirtualUnit.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "link/Frame.h"
#include "link/Packets.h"

namespace kv::vinst {

namespace pk = link::packet;

namespace {
bool Is(const std::vector<uint8_t>& body, const uint8_t* packet, size_t size) {
    return body.size() == size && std::equal(body.begin(), body.end(), packet);
}
}  // namespace

VirtualUnit::VirtualUnit(const UnitOptions& options) : Options(options), Random(options.Seed) {}

void VirtualUnit::Reset() {
    Fast = false;
    Delivered = false;
    NextBlock = 0;
    Image.clear();
    Pending.clear();
    InFrame = false;
}

bool VirtualUnit::Chance(double share) {
    return share > 0 && std::uniform_real_distribution<double>(0, 1)(Random) < share;
}

void VirtualUnit::Trace(const std::string& text) {
    if (OnTrace) OnTrace(text);
}

std::vector<uint8_t> VirtualUnit::Frame(std::initializer_list<uint8_t> body) {
    std::vector<uint8_t> out;
    std::uniform_int_distribution<int> byte(0, 0xBF);  // noise never holds a delimiter
    for (int i = 0; i < Options.NoiseBytes; ++i) out.push_back(static_cast<uint8_t>(byte(Random)));
    uint8_t frame[link::MaxFrameSize(8)];
    size_t n = link::EncodeFrame(body.begin(), body.size(), frame);
    out.insert(out.end(), frame, frame + n);
    return out;
}

std::vector<uint8_t> VirtualUnit::Receive(const uint8_t* data, size_t size,
                                          const link::LineSettings& line) {
    std::vector<uint8_t> replies;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != link::FRAME_END) {
            if (InFrame && Pending.size() < 2048) Pending.push_back(data[i]);
            continue;
        }
        if (InFrame && !Pending.empty()) {
            std::vector<uint8_t> body(Pending.size());
            body.resize(link::DecodeBody(Pending.data(), Pending.size(), body.data()));
            auto reply = Answer(body, line);
            replies.insert(replies.end(), reply.begin(), reply.end());
            Pending.clear();
        }
        InFrame = true;
    }
    return replies;
}

std::vector<uint8_t> VirtualUnit::Answer(const std::vector<uint8_t>& body,
                                         const link::LineSettings& line) {
    const bool presence = Is(body, pk::PresenceQuery, sizeof pk::PresenceQuery);
    const bool slowLine = line.BaudRate == Options.Baud && line.Parity == Options.Parity;
    const bool fastLine = line.BaudRate == 38400 && line.Parity == Options.Parity;
    if (Fast && presence && slowLine) Reset();  // the host starts over with the next unit
    if (!(Fast ? fastLine : slowLine)) {
        Trace("ignored: wrong line settings");
        return {};
    }
    if (Silent || body.empty() || body[0] != pk::ADDRESS) return {};

    const std::vector<uint8_t> ack = Frame({pk::ADDRESS, pk::ACK, pk::ADDRESS ^ pk::ACK});
    const std::vector<uint8_t> nak = Frame({pk::ADDRESS, pk::NAK, pk::ADDRESS ^ pk::NAK});
    std::vector<uint8_t> reply;
    if (presence) {
        Trace("presence");
        reply = Options.AckPresence ? ack : nak;
    } else if (Is(body, pk::IdentityQuery, sizeof pk::IdentityQuery)) {
        Trace("identity");
        reply = Frame(
            {pk::ADDRESS, pk::IDENTITY, Options.ModelBits, Options.UnitClass, pk::IDENTITY_END});
    } else if (Is(body, pk::SpeedCommand, sizeof pk::SpeedCommand)) {
        Trace("speed");
        Fast = true;
        Delivered = false;
        NextBlock = 0;
        Image.clear();
        reply = ack;
    } else if (Is(body, pk::FileEnd, sizeof pk::FileEnd) && Fast) {
        Trace("file end, " + std::to_string(Image.size()) + " bytes");
        // A repeated file end (its answer was lost) must not deliver the image twice.
        if (!Delivered && OnImage) OnImage(Image);
        Delivered = true;
        reply = ack;
    } else if (body.size() == pk::BLOCK_BODY &&
               std::equal(body.begin(), body.begin() + 5, pk::BlockHeader)) {
        int32_t number = 0;
        for (int i = 0; i < 4; ++i) number |= static_cast<int32_t>(body[5 + i]) << (8 * i);
        uint16_t sum = pk::Sum16(body.data(), 265);
        bool valid = body[265] == (sum & 0xFF) && body[266] == (sum >> 8) &&
                     (number == NextBlock || number == NextBlock - 1) && Fast;
        if (!valid || Chance(Options.RefuseShare)) {
            Trace("block " + std::to_string(number) + " refused");
            reply = nak;
        } else {
            Trace("block " + std::to_string(number));
            size_t at = static_cast<size_t>(number) * pk::BLOCK_DATA;
            Image.resize(std::max(Image.size(), at + pk::BLOCK_DATA));
            std::memcpy(Image.data() + at, body.data() + 9, pk::BLOCK_DATA);
            if (number == NextBlock) ++NextBlock;
            reply = ack;
            if (Options.SilentAfterBlock >= 0 && number >= Options.SilentAfterBlock) Silent = true;
        }
    } else {
        Trace("unknown packet refused");
        reply = nak;
    }
    if (Chance(Options.DropShare)) {
        Trace("reply dropped");
        return {};
    }
    return reply;
}

}  // namespace kv::vinst
