#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// How a value is stored at an FSUIPC offset: little-endian integers of one,
// two or four bytes, signed or not, and IEEE floats of four or eight bytes.
enum class FsuipcValueType : std::uint8_t { U8, S8, U16, S16, U32, S32, F32, F64 };

// Bytes the type occupies.
std::uint32_t fsuipcValueSize(FsuipcValueType type);

// "u8", "s8", "u16", "s16", "u32", "s32", "f32", "f64", as aircraft files
// and tarnex-sim's --set write them.
std::string_view fsuipcValueTypeName(FsuipcValueType type);
std::optional<FsuipcValueType> parseFsuipcValueType(std::string_view name);

// The number stored in bytes (at least fsuipcValueSize(type) of them).
double decodeFsuipcValue(FsuipcValueType type, std::span<std::uint8_t const> bytes);

// The inverse, for a server: value rounded and held within the type's range.
// Writes fsuipcValueSize(type) bytes.
void encodeFsuipcValue(FsuipcValueType type, double value, std::span<std::uint8_t> bytes);
