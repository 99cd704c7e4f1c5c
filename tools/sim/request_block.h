#pragma once

#include "offset_space.h"

#include <cstddef>
#include <span>

// The server side of a request block: read records (marker 1: offset, size,
// the client's 4-byte destination key, data area; marker 4, from 64-bit
// clients: the same with an 8-byte key) and write records (marker 2: offset,
// size, data), back to back, ended by a zero marker. The block comes
// from another process, so every marker, size and offset is checked before it
// is used.

// Serves every request of block against space, in order: reads fill their
// data areas, writes are stored. Returns false, having changed nothing, when
// the block is malformed: an unknown marker, a record or a data area running
// past the block, an offset range outside the space, or no end marker.
bool serveRequestBlock(std::span<std::byte> block, OffsetSpace& space);

enum class Corruption { None, Marker, Size, Destination };

// Damages one field of the last read record of a well-formed block, as a
// misbehaving server would; does nothing when the block holds no read.
void corruptLastRead(std::span<std::byte> block, Corruption corruption);
