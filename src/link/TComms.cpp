#include "TComms.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <random>
#include <stdexcept>

#include "Frame.h"
#include "Messages.h"
#include "Packets.h"

namespace kv::link {

uint32_t ImageMarker = 0;

namespace {

std::mt19937& MarkerGenerator() {
    static std::mt19937 generator;
    return generator;
}

uint32_t NextMarker() {
    std::uniform_int_distribution<uint32_t> draw(0, 2147483646u);
    return draw(MarkerGenerator());
}

uint8_t ParityCodeOf(const std::string& name) {
    char c = name.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    switch (c) {
        case 'E': return EVENPARITY;
        case 'M': return MARKPARITY;
        case 'N': return NOPARITY;
        case 'O': return ODDPARITY;
        case 'S': return SPACEPARITY;
        default: throw std::invalid_argument("Unknown parity setting");
    }
}

}  // namespace

TComms::TComms(std::unique_ptr<Port> port, std::unique_ptr<PollTimer> timer)
    : PortObject(std::move(port)), TimerObject(std::move(timer)) {
    MarkerGenerator().seed(static_cast<uint32_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    TimerObject->SetEnabled(false);
    TimerObject->SetInterval(200);
    TimerObject->SetOnTimer([this](PollTimer* sender) { Tick(sender); });
}

TComms::~TComms() {
    TimerObject->SetEnabled(false);
    TimerObject->SetOnTimer(nullptr);
    if (PortObject->IsOpen()) PortObject->Close();
}

void TComms::Report(const char* message) {
    if (OnProgress) OnProgress(message);
}

// ---- port and line settings ----

void TComms::SetPort(const std::string& name) {
    if (IsOpen()) PortObject->Close();
    PortName = name;
    PortGiven = true;
    Open();
}

void TComms::SetBaud(uint32_t rate) {
    Baud = rate;
    BaudGiven = true;
    Open();
}

void TComms::SetParity(const std::string& parity) {
    ParityName = parity;
    ParityGiven = true;
    Open();
}

void TComms::SetInterval(int ms) {
    TimerObject->SetInterval(ms);
    Open();
}

bool TComms::IsOpen() const { return PortObject->IsOpen(); }

void TComms::Open() {
    if (IsOpen()) PortObject->Close();
    if (!(BaudGiven && DataBitsGiven && ParityGiven && PortGiven && StopBitsGiven)) return;
    if (!PortObject->Open(PortName)) return;
    try {
        PortObject->SetupQueues(1024, 1024);
        LineSettings line = PortObject->GetState();
        line.BaudRate = Baud;
        line.Parity = ParityCodeOf(ParityName);
        line.ByteSize = static_cast<uint8_t>(DataBits);
        line.StopBits = static_cast<uint8_t>(StopBitCode);
        line.Flags = FLAG_BINARY | FLAG_PARITY | FLAG_DTR_ENABLE | FLAG_RTS_ENABLE;
        PortObject->SetState(line);
        Timeouts t = PortObject->GetTimeouts();
        t.ReadInterval = MAXDWORD;
        t.ReadTotalMultiplier = 0;
        t.ReadTotalConstant = 0;
        t.WriteTotalMultiplier = 10;
        t.WriteTotalConstant = 10;
        PortObject->SetTimeouts(t);
        PortObject->Purge(PURGE_TXCLEAR);
        PortObject->Purge(PURGE_RXCLEAR);
    } catch (...) {
        PortObject->Close();
    }
}

// ---- frame layer ----

bool TComms::SendFrame(const uint8_t* frame, size_t size) {
    PortObject->Purge(PURGE_RXCLEAR);
    return PortObject->Write(frame, static_cast<uint32_t>(size)) == size;
}

void TComms::ReadLineStatus() {
    LineStatus status = PortObject->ClearError();
    LineErrors = status.Errors;
    QueuedBytes = status.Queued;
}

bool TComms::LineOk() {
    static constexpr struct {
        uint32_t bit;
        int32_t code;
    } checks[] = {{CE_FRAME, 5},    {CE_IOE, 6},      {CE_MODE, 7},   {CE_OVERRUN, 8},
                  {CE_RXOVER, 9},   {CE_RXPARITY, 10}, {CE_TXFULL, 11}};
    bool ok = true;
    for (const auto& check : checks) {
        if (LineErrors & check.bit) {
            ErrorCode = check.code;
            ok = false;
        }
    }
    if (QueuedBytes == 0) {
        ErrorCode = 12;
        ok = false;
    }
    return ok;
}

void TComms::ReadFrame() {
    uint8_t scratch[1024];
    uint32_t count = PortObject->Read(scratch, std::min<uint32_t>(QueuedBytes, sizeof scratch));
    std::memset(RawFrame, 0, sizeof RawFrame);
    RawLength = 0;
    const uint8_t* begin = scratch;
    const uint8_t* end = scratch + count;
    const uint8_t* open = std::find(begin, end, FRAME_END);
    if (open == end) return;
    const uint8_t* close = open + 2 <= end ? std::find(open + 2, end, FRAME_END) : end;
    const uint8_t* last = close == end ? end : close + 1;
    RawLength = static_cast<int32_t>(last - open);
    std::memcpy(RawFrame, open, static_cast<size_t>(RawLength));
}

bool TComms::FrameOk() {
    if (RawLength == 0) {
        ErrorCode = 13;
        return false;
    }
    if (RawLength < 5) {
        ErrorCode = 14;
        return false;
    }
    if (RawFrame[0] != FRAME_END) {
        ErrorCode = 15;
        return false;
    }
    if (RawFrame[RawLength - 1] != FRAME_END) {
        ErrorCode = 16;
        return false;
    }
    return true;
}

void TComms::DecodeFrame() {
    std::memset(DecodedFrame, 0, sizeof DecodedFrame);
    DecodedLength = static_cast<int32_t>(
        DecodeBody(RawFrame + 1, static_cast<size_t>(RawLength - 2), DecodedFrame));
}

bool TComms::ChecksumOk() {
    if (Phase == 1) return true;
    uint8_t x = 0;
    for (int32_t i = 0; i < DecodedLength; ++i) x ^= DecodedFrame[i];
    if (x != 0) {
        ErrorCode = 17;
        return false;
    }
    return true;
}

bool TComms::AddressOk() {
    if (DecodedFrame[0] != packet::ADDRESS) {
        ErrorCode = 18;
        return false;
    }
    return true;
}

bool TComms::ReplyOk() { return ChecksumOk() && AddressOk(); }

// ---- protocol ----

bool TComms::IsAck() const {
    if (Phase == 1) {
        return DecodedFrame[1] == packet::IDENTITY && (DecodedFrame[2] & ~ModelMask) == 0 &&
               static_cast<int32_t>(DecodedFrame[3]) >= MinClass &&
               DecodedFrame[4] == packet::IDENTITY_END;
    }
    return DecodedFrame[1] == packet::ACK;
}

bool TComms::IsNak() const {
    if (Phase == 1) return !IsAck();
    return DecodedFrame[1] == packet::NAK;
}

bool TComms::SendPacket(const uint8_t* body, size_t size) {
    uint8_t frame[MaxFrameSize(16)];
    size_t length = EncodeFrame(body, size, frame);
    if (SendFrame(frame, length)) return true;
    State = 2;
    ErrorCode = 3;
    Report(msg::NoPort);
    return false;
}

bool TComms::SendPresenceQuery() { return SendPacket(packet::PresenceQuery, sizeof packet::PresenceQuery); }
bool TComms::SendIdentityQuery() { return SendPacket(packet::IdentityQuery, sizeof packet::IdentityQuery); }
bool TComms::SendSpeedCommand() { return SendPacket(packet::SpeedCommand, sizeof packet::SpeedCommand); }
bool TComms::SendFileEnd() { return SendPacket(packet::FileEnd, sizeof packet::FileEnd); }

bool TComms::SendBlock() {
    uint8_t body[packet::BLOCK_BODY];
    packet::BuildBlockBody(BlockNumber, BlockBuffer, body);
    uint8_t frame[1024];
    size_t length = EncodeFrame(body, sizeof body, frame);
    if (!SendFrame(frame, length)) {
        State = 2;
        ErrorCode = 3;
        Report(msg::NoPort);
        return false;
    }
    Report(msg::InProgress);
    return true;
}

void TComms::StampMarker() {
    const int32_t first = IsLargeImage() ? 48 : 4;
    const int32_t last = IsLargeImage() ? 1023 : 511;
    uint8_t* at = nullptr;
    if (BlockNumber == first) at = BlockBuffer;
    if (BlockNumber == last) at = BlockBuffer + 252;
    if (!at) return;
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(ImageMarker >> (8 * i));
}

int TComms::SendNextBlock() {
    if (Offset >= Size) return 1;
    std::memset(BlockBuffer, 0xFF, sizeof BlockBuffer);
    int32_t count = std::min<int32_t>(256, Size - Offset);
    std::memcpy(BlockBuffer, Image + Offset, static_cast<size_t>(count));
    BlockNumber += 1;
    Offset += count;
    StampMarker();
    return SendBlock() ? 0 : 2;
}

void TComms::StartDownload(const uint8_t* image, int32_t size, uint32_t modelMask, int32_t minClass) {
    ImageMarker = NextMarker();
    Offset = 0;
    Size = size;
    Image = image;
    ModelMask = modelMask;
    MinClass = minClass;
    RetryCount = 1;
    State = 1;
    ErrorCode = 0;
    Report(msg::Wait);
    if (!IsOpen()) {
        State = 0;
        ErrorCode = 2;
        Report(msg::NoPort);
        return;
    }
    if (SendPresenceQuery()) {
        Phase = 0;
        TimerObject->SetEnabled(true);
    }
}

void TComms::Tick(PollTimer* sender) {
    if (sender != TimerObject.get()) return;
    TimerObject->SetEnabled(false);
    try {
        if (State == 1) {
            Poll();
        } else if (State == 2) {
            State = 0;
            BlockNumber = 0;
        } else {
            State = 0;
        }
    } catch (...) {
        TimerObject->SetEnabled(State != 0);
        throw;
    }
    TimerObject->SetEnabled(State != 0);
}

void TComms::Poll() {
    bool ack = false;
    bool nak = false;
    ReadLineStatus();
    if (LineOk()) {
        ReadFrame();
        if (FrameOk()) {
            DecodeFrame();
            if (ReplyOk()) {
                ack = IsAck();
                nak = IsNak();
            }
        }
    }

    if (ack) {
        RetryCount = 1;
        switch (Phase) {
            case 0:
                SendPresenceQuery();
                break;
            case 1:
                if (SendSpeedCommand()) Phase = 2;
                break;
            case 2: {
                SetBaud(38400);
                SetInterval(IsLargeImage() ? 80 : 200);
                BlockNumber = -1;
                int result = SendNextBlock();
                if (result == 0) {
                    Phase = 3;
                } else if (result == 1) {
                    Phase = 4;
                    SendFileEnd();
                }
                break;
            }
            case 3:
                if (SendNextBlock() == 1) {
                    Phase = 4;
                    SendFileEnd();
                }
                break;
            case 4:
                State = 2;
                ErrorCode = 0;
                Report(msg::Complete);
                break;
        }
        return;
    }

    RetryCount += 1;
    if (nak && Phase == 0) {
        if (SendIdentityQuery()) Phase = 1;
        return;
    }
    const bool budgetLeft = (Phase <= 1 && RetryCount <= 3) || (Phase >= 2 && RetryCount <= 8);
    if (budgetLeft) {
        switch (Phase) {
            case 0: SendPresenceQuery(); break;
            case 1: SendIdentityQuery(); break;
            case 2:
                if (SendSpeedCommand() && RetryCount == 3) SetBaud(38400);
                break;
            case 3: SendBlock(); break;
            case 4: SendFileEnd(); break;
        }
        return;
    }
    State = 2;
    ErrorCode = 3;
    if (nak && Phase == 1) {
        Report(msg::Incompatible);
    } else if (nak) {
        Report(msg::NakResponse);
    } else if (Phase == 0) {
        Report(msg::NoResponse);
    } else {
        Report(msg::TransferNoResponse);
    }
}

}  // namespace kv::link
