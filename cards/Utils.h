// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QIODevice;
class QString;

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

// False, with "<name> is not a file", for a path that exists but is not a
// regular file (a folder, a device, a named pipe, a socket): every reader
// asks before it opens a path, so that nothing is read forever or waited for
// in open(). A missing file passes: opening it then says why.
bool CheckIsFile(const QString &fileName, QString *error = nullptr);

} // namespace VekIO

// The big-endian readers of the Amiga card-set format. They return 0 for the
// missing bytes of a short stream.
int32_t ReadBEInt32(QIODevice &in);
int16_t ReadBEInt16(QIODevice &in);
