#include "xplane_protocol.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr char kRref[] = "RREF";
constexpr char kBecn[] = "BECN";
constexpr std::size_t kTagSize = 4;
constexpr std::size_t kBeaconFieldsEnd = 5 + 1 + 1 + 4 + 4 + 4 + 2;
constexpr std::size_t kMaxComputerName = 500;

std::uint32_t littleEndian(std::span<std::byte const> bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= std::to_integer<std::uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

void putLittleEndian(std::span<std::byte> bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::byte>(value >> (8 * i) & 0xFF);
}

// Whether the first count bytes are those of tag; bytes holds at least count.
bool startsWith(std::span<std::byte const> bytes, char const* tag, std::size_t count)
{
    return std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count), tag,
        [](std::byte byte, char c) { return byte == static_cast<std::byte>(c); });
}

} // namespace

std::array<std::byte, kRrefRequestSize> rrefRequest(std::int32_t frequency, std::int32_t index,
    std::string_view dataref)
{
    std::array<std::byte, kRrefRequestSize> request {};
    std::memcpy(request.data(), kRref, kTagSize + 1);
    putLittleEndian(request, 5, static_cast<std::uint32_t>(frequency));
    putLittleEndian(request, 9, static_cast<std::uint32_t>(index));
    std::string_view const name = dataref.substr(0, kMaxDatarefLength);
    std::transform(name.begin(), name.end(), request.begin() + 13, [](char c) { return static_cast<std::byte>(c); });
    return request;
}

RrefReply parseRrefReply(std::span<std::byte const> datagram, std::vector<RrefValue>& values)
{
    if (!startsWith(datagram, kRref, std::min(datagram.size(), kTagSize)))
        return RrefReply::Garbage;
    if (datagram.size() < kRrefReplyHeaderSize || (datagram.size() - kRrefReplyHeaderSize) % kRrefPairSize != 0)
        return RrefReply::Truncated;
    for (std::size_t at = kRrefReplyHeaderSize; at < datagram.size(); at += kRrefPairSize) {
        values.push_back({ static_cast<std::int32_t>(littleEndian(datagram, at, 4)),
            std::bit_cast<float>(littleEndian(datagram, at + 4, 4)) });
    }
    return RrefReply::Values;
}

std::optional<XPlaneBeacon> parseBeacon(std::span<std::byte const> datagram)
{
    if (datagram.size() < kBeaconFieldsEnd || !startsWith(datagram, kBecn, kTagSize))
        return std::nullopt;
    XPlaneBeacon beacon;
    beacon.majorVersion = std::to_integer<std::uint8_t>(datagram[5]);
    beacon.minorVersion = std::to_integer<std::uint8_t>(datagram[6]);
    beacon.application = static_cast<std::int32_t>(littleEndian(datagram, 7, 4));
    beacon.version = static_cast<std::int32_t>(littleEndian(datagram, 11, 4));
    beacon.role = littleEndian(datagram, 15, 4);
    beacon.port = static_cast<std::uint16_t>(littleEndian(datagram, 19, 2));
    // The name ends at its zero, at the end of its 500 bytes or at the end of
    // the datagram, whichever comes first.
    std::span<std::byte const> const name
        = datagram.subspan(kBeaconFieldsEnd, std::min(datagram.size() - kBeaconFieldsEnd, kMaxComputerName));
    auto const end = std::find(name.begin(), name.end(), std::byte { 0 });
    beacon.computerName.assign(
        reinterpret_cast<char const*>(name.data()), static_cast<std::size_t>(end - name.begin()));
    return beacon;
}
