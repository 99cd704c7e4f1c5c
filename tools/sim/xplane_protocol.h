#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// X-Plane's UDP messages, little-endian on the wire whatever the machine.

// "RREF\0", int32 frequency, int32 index, char[400] dataref name.
inline constexpr std::size_t kRrefRequestSize = 413;
inline constexpr std::size_t kMaxDatarefLength = 399; // leaves the name its terminating zero
// "RREF" and one byte of any value, then the pairs.
inline constexpr std::size_t kRrefReplyHeaderSize = 5;
inline constexpr std::size_t kRrefPairSize = 8;

inline constexpr std::uint16_t kXPlanePort = 49000;
inline constexpr std::uint32_t kBeaconGroup = 0xEFFF0101; // 239.255.1.1
inline constexpr std::uint16_t kBeaconPort = 49707;

// Asks for dataref frequency times a second, its values tagged with index;
// frequency 0 ends the subscription. dataref must not exceed kMaxDatarefLength.
std::array<std::byte, kRrefRequestSize> rrefRequest(std::int32_t frequency, std::int32_t index,
    std::string_view dataref);

struct RrefValue {
    std::int32_t index;
    float value;
};

enum class RrefReply { Values, Garbage, Truncated };

// The index and value pairs of a reply, appended to values when the reply is
// whole. Only the first four bytes of the header are checked: X-Plane
// versions differ in the fifth.
RrefReply parseRrefReply(std::span<std::byte const> datagram, std::vector<RrefValue>& values);

// What X-Plane announces once a second on its multicast group.
struct XPlaneBeacon {
    std::uint8_t majorVersion;
    std::uint8_t minorVersion;
    std::int32_t application; // 1 X-Plane, 2 PlaneMaker
    std::int32_t version; // 120400 for 12.04
    std::uint32_t role; // 1 master, 2 external visual, 3 instructor station
    std::uint16_t port; // where it takes requests
    std::string computerName;

    // The machine that flies and answers subscriptions.
    bool isMasterXPlane() const { return application == 1 && role == 1; }
};

std::optional<XPlaneBeacon> parseBeacon(std::span<std::byte const> datagram);
