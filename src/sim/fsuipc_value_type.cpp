#include "sim/fsuipc_value_type.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct TypeRow {
    FsuipcValueType type;
    std::string_view name;
    std::uint32_t size;
};

constexpr std::array kTypes = {
    TypeRow { FsuipcValueType::U8, "u8", 1 },
    TypeRow { FsuipcValueType::S8, "s8", 1 },
    TypeRow { FsuipcValueType::U16, "u16", 2 },
    TypeRow { FsuipcValueType::S16, "s16", 2 },
    TypeRow { FsuipcValueType::U32, "u32", 4 },
    TypeRow { FsuipcValueType::S32, "s32", 4 },
    TypeRow { FsuipcValueType::F32, "f32", 4 },
    TypeRow { FsuipcValueType::F64, "f64", 8 },
};

TypeRow const& row(FsuipcValueType type)
{
    return kTypes[static_cast<std::size_t>(type)];
}

// The protocol's byte order is the x86 one, whatever the host's.
std::uint64_t loadLittleEndian(std::span<std::uint8_t const> bytes, std::uint32_t size)
{
    std::uint64_t value = 0;
    for (std::uint32_t i = 0; i < size; ++i)
        value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return value;
}

void storeLittleEndian(std::uint64_t value, std::span<std::uint8_t> bytes, std::uint32_t size)
{
    for (std::uint32_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

template <typename T>
T held(double value)
{
    if (std::isnan(value))
        return 0;
    double const rounded = std::round(value);
    return static_cast<T>(std::clamp(rounded, static_cast<double>(std::numeric_limits<T>::lowest()),
        static_cast<double>(std::numeric_limits<T>::max())));
}

} // namespace

std::uint32_t fsuipcValueSize(FsuipcValueType type)
{
    return row(type).size;
}

std::string_view fsuipcValueTypeName(FsuipcValueType type)
{
    return row(type).name;
}

std::optional<FsuipcValueType> parseFsuipcValueType(std::string_view name)
{
    for (TypeRow const& type : kTypes) {
        if (type.name == name)
            return type.type;
    }
    return std::nullopt;
}

double decodeFsuipcValue(FsuipcValueType type, std::span<std::uint8_t const> bytes)
{
    std::uint64_t const raw = loadLittleEndian(bytes, fsuipcValueSize(type));
    switch (type) {
    case FsuipcValueType::U8:
    case FsuipcValueType::U16:
    case FsuipcValueType::U32:
        return static_cast<double>(raw);
    case FsuipcValueType::S8:
        return static_cast<std::int8_t>(raw);
    case FsuipcValueType::S16:
        return static_cast<std::int16_t>(raw);
    case FsuipcValueType::S32:
        return static_cast<std::int32_t>(raw);
    case FsuipcValueType::F32:
        return std::bit_cast<float>(static_cast<std::uint32_t>(raw));
    case FsuipcValueType::F64:
        return std::bit_cast<double>(raw);
    }
    return 0;
}

void encodeFsuipcValue(FsuipcValueType type, double value, std::span<std::uint8_t> bytes)
{
    std::uint64_t raw = 0;
    switch (type) {
    case FsuipcValueType::U8:
        raw = held<std::uint8_t>(value);
        break;
    case FsuipcValueType::S8:
        raw = static_cast<std::uint8_t>(held<std::int8_t>(value));
        break;
    case FsuipcValueType::U16:
        raw = held<std::uint16_t>(value);
        break;
    case FsuipcValueType::S16:
        raw = static_cast<std::uint16_t>(held<std::int16_t>(value));
        break;
    case FsuipcValueType::U32:
        raw = held<std::uint32_t>(value);
        break;
    case FsuipcValueType::S32:
        raw = static_cast<std::uint32_t>(held<std::int32_t>(value));
        break;
    case FsuipcValueType::F32:
        raw = std::bit_cast<std::uint32_t>(static_cast<float>(value));
        break;
    case FsuipcValueType::F64:
        raw = std::bit_cast<std::uint64_t>(value);
        break;
    }
    storeLittleEndian(raw, bytes, fsuipcValueSize(type));
}
