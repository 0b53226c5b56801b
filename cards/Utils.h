// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QIODevice;

// Explicit little- and big-endian readers and writers for the file formats.
// A reader returns false (and leaves the value at 0) when the stream ends
// before the value is complete; nothing is ever read into a struct.
namespace VekIO {

bool ReadU8(QIODevice &in, uint8_t &value);
bool ReadLE16(QIODevice &in, uint16_t &value);
bool ReadLE32(QIODevice &in, uint32_t &value);
bool ReadLE32(QIODevice &in, int32_t &value);
bool ReadBE16(QIODevice &in, uint16_t &value);
bool ReadBE32(QIODevice &in, uint32_t &value);

bool WriteU8(QIODevice &out, uint8_t value);
bool WriteLE16(QIODevice &out, uint16_t value);
bool WriteLE32(QIODevice &out, uint32_t value);
bool WriteLE32(QIODevice &out, int32_t value);

// Bytes left between the stream position and its end.
int64_t Remaining(const QIODevice &in);

} // namespace VekIO

// The big-endian readers of the Amiga card-set format. They return 0 for the
// missing bytes of a short stream.
int32_t ReadBEInt32(QIODevice &in);
int16_t ReadBEInt16(QIODevice &in);
