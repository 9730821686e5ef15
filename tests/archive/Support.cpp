#include "Support.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace kv::archive::test {

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<uint8_t>(rng());
    return b;
}

Bytes EnglishText(size_t n, uint32_t seed) {
    static const char* const Words[] = {
        "the",    "flow",     "computer", "totals",      "alarm",   "rate",   "of",    "and",
        "steam",  "gas",      "pressure", "temperature", "density", "volume", "mass",  "is",
        "reset",  "when",     "batch",    "a",           "printer", "header", "unit",  "serial",
        "port",   "download", "image",    "version",     "input",   "output", "relay", "pulse",
        "analog", "tag",      "limit",    "high",        "low",     "value"};
    std::mt19937 rng(seed);
    Bytes b;
    b.reserve(n + 16);
    size_t line = 0;
    while (b.size() < n) {
        const char* w = Words[rng() % std::size(Words)];
        for (const char* p = w; *p; ++p) b.push_back(static_cast<uint8_t>(*p));
        if (rng() % 11 == 0) b.push_back(',');
        line += 1;
        b.push_back(line % 12 == 0 ? '\n' : ' ');
        if (rng() % 29 == 0) {
            for (char c : std::to_string(rng() % 100000)) b.push_back(static_cast<uint8_t>(c));
            b.push_back(' ');
        }
    }
    b.resize(n);
    return b;
}

Bytes FirmwareImage(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b;
    b.reserve(n);
    // Code: instruction-like big-endian words drawn from a small vocabulary with varying operands.
    std::vector<uint16_t> opcodes(48);
    for (auto& op : opcodes) op = static_cast<uint16_t>(rng());
    size_t code = n * 5 / 8;
    while (b.size() < code) {
        uint16_t op = opcodes[rng() % opcodes.size()];
        b.push_back(static_cast<uint8_t>(op >> 8));
        b.push_back(static_cast<uint8_t>(op));
        if (rng() % 3 == 0) {
            uint16_t operand = static_cast<uint16_t>(rng() % 512);
            b.push_back(static_cast<uint8_t>(operand >> 8));
            b.push_back(static_cast<uint8_t>(operand));
        }
    }
    // Tables: floats and short strings, then erased flash.
    size_t tables = n * 7 / 8;
    while (b.size() < tables) {
        uint32_t v = 0x3F800000u + (rng() % 4096) * 1024;
        for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
        if (rng() % 8 == 0)
            for (char c : std::string("AppPack_758_FC01\0", 17))
                b.push_back(static_cast<uint8_t>(c));
    }
    b.resize(tables);
    b.resize(n, 0xFF);
    return b;
}

TCoded EncodeBytes(const Bytes& input, TCompressMethod method) {
    TCompThreadSafety codec;
    TMemoryStream source(input);
    TCoded coded;
    TMemoryStream out;
    try {
        coded.Checksum =
            codec.EncodeMember(method, source, out, static_cast<int32_t>(input.size())).Checksum;
    } catch (const EUnableToCompress&) {
        coded.Stored = true;
        return coded;
    }
    coded.Data = out.Data();
    return coded;
}

Bytes DecodeBytes(const Bytes& coded, int32_t size, TCompressMethod method, bool* truncated,
                  bool* overlong) {
    TCompThreadSafety codec;
    TMemoryStream source(coded);
    TMemoryStream out;
    TDecodeResult r =
        codec.DecodeMember(method, source, out, size, static_cast<int32_t>(coded.size()));
    if (truncated) *truncated = r.Truncated;
    if (overlong) *overlong = r.Overlong;
    return out.Data();
}

int RunCommand(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

uint16_t Crc16(const Bytes& data) {
    uint16_t crc = 0;
    for (uint8_t b : data) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

void PutLe(Bytes& b, uint32_t v, int width) {
    for (int i = 0; i < width; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t GetLe(const Bytes& b, size_t at, int width) {
    if (at + static_cast<size_t>(width) > b.size()) throw std::runtime_error("short LHA header");
    uint32_t v = 0;
    for (int i = 0; i < width; ++i) v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    return v;
}

}  // namespace

Bytes LhaArchive(const std::string& method, const std::string& name, const Bytes& coded,
                 const Bytes& original) {
    Bytes h;
    h.insert(h.end(), method.begin(), method.end());
    PutLe(h, static_cast<uint32_t>(coded.size()), 4);
    PutLe(h, static_cast<uint32_t>(original.size()), 4);
    PutLe(h, 0x5A210000, 4);  // a fixed date in 2025
    h.push_back(0x20);        // attribute
    h.push_back(0);           // header level
    h.push_back(static_cast<uint8_t>(name.size()));
    h.insert(h.end(), name.begin(), name.end());
    PutLe(h, Crc16(original), 2);
    uint8_t sum = 0;
    for (uint8_t b : h) sum = static_cast<uint8_t>(sum + b);
    Bytes archive;
    archive.reserve(h.size() + coded.size() + 3);
    archive.push_back(static_cast<uint8_t>(h.size()));
    archive.push_back(sum);
    archive.insert(archive.end(), h.begin(), h.end());
    archive.insert(archive.end(), coded.begin(), coded.end());
    archive.push_back(0);
    return archive;
}

std::vector<TLhaMember> LhaMembers(const Bytes& all) {
    std::vector<TLhaMember> members;
    size_t at = 0;
    while (at < all.size() && all[at] != 0) {
        Bytes a(all.begin() + static_cast<std::ptrdiff_t>(at), all.end());
        if (a.size() < 22 || a[20] > 1) throw std::runtime_error("unexpected LHA header");
        TLhaMember m;
        m.Method.assign(a.begin() + 2, a.begin() + 7);
        uint32_t packed = GetLe(a, 7, 4);
        m.OriginalSize = static_cast<int32_t>(GetLe(a, 11, 4));
        m.Name.assign(a.begin() + 22, a.begin() + 22 + a[21]);
        size_t data = static_cast<size_t>(a[0]) + 2;
        if (a[20] == 1) {
            // Extended headers follow the base header; the packed size includes them.
            for (uint32_t next = GetLe(a, data - 2, 2); next; next = GetLe(a, data - 2, 2)) {
                data += next;
                packed -= next;
            }
        }
        if (data + packed > a.size()) throw std::runtime_error("truncated LHA member");
        m.Coded.assign(a.begin() + static_cast<std::ptrdiff_t>(data),
                       a.begin() + static_cast<std::ptrdiff_t>(data + packed));
        members.push_back(m);
        at += data + packed;
    }
    return members;
}

}  // namespace kv::archive::test

#include "archive/Headers.h"

namespace kv::archive::test {

uint32_t Sum(const Bytes& data) {
    uint32_t sum = 0;
    for (uint8_t b : data) sum += b;
    return sum;
}

TRawMember StoredMember(const std::string& name, const Bytes& data) {
    TRawMember m;
    m.Name = name;
    m.Coded = data;
    m.UncompressedSize = static_cast<int32_t>(data.size());
    m.Checksum = Sum(data);
    return m;
}

Bytes BuildArchive(const std::vector<TRawMember>& members, int32_t total,
                   const std::string& method) {
    if (total < 0) {
        total = 0;
        for (const auto& m : members) total += m.UncompressedSize;
    }
    auto header = TArchiveHeader::Make(method.c_str(), total).Pack();
    Bytes out(header.begin(), header.end());
    for (const auto& m : members) {
        TMemberHeader h;
        h.NameLength = static_cast<int16_t>(m.Name.size());
        h.DateTime = m.DateTime;
        h.Attributes = m.Attributes;
        h.UncompressedSize = m.UncompressedSize;
        h.CompressedSize = static_cast<int32_t>(m.Coded.size());
        h.Method = m.Method;
        h.Checksum = m.Checksum;
        h.Locked = m.Locked;
        auto bytes = h.Pack();
        out.insert(out.end(), bytes.begin(), bytes.end());
        out.insert(out.end(), m.Name.begin(), m.Name.end());
        out.insert(out.end(), m.Coded.begin(), m.Coded.end());
    }
    return out;
}

}  // namespace kv::archive::test
