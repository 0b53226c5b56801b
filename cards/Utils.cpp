// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utils.h"

#include <QFileInfo>
#include <QIODevice>
#include <QString>

namespace VekIO {

bool CheckIsFile(const QString &fileName, QString *error)
{
    // Asked of the file system without opening the path; a link counts as
    // what it points to.
    const QFileInfo info(fileName);
    if (!info.exists() || info.isFile())
        return true;
    if (error)
        *error = QStringLiteral("%1 is not a file").arg(fileName);
    return false;
}

namespace {

template <int N>
bool readBytes(QIODevice &in, uint8_t (&bytes)[N])
{
    return in.read(reinterpret_cast<char *>(bytes), N) == N;
}

template <int N>
bool writeBytes(QIODevice &out, const uint8_t (&bytes)[N])
{
    return out.write(reinterpret_cast<const char *>(bytes), N) == N;
}

} // namespace

bool ReadU8(QIODevice &in, uint8_t &value)
{
    uint8_t b[1];
    value = 0;
    if (!readBytes(in, b))
        return false;
    value = b[0];
    return true;
}

bool ReadLE16(QIODevice &in, uint16_t &value)
{
    uint8_t b[2];
    value = 0;
    if (!readBytes(in, b))
        return false;
    value = uint16_t(b[0] | b[1] << 8);
    return true;
}

bool ReadLE32(QIODevice &in, uint32_t &value)
{
    uint8_t b[4];
    value = 0;
    if (!readBytes(in, b))
        return false;
    value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
}

bool ReadLE32(QIODevice &in, int32_t &value)
{
    uint32_t u;
    bool ok = ReadLE32(in, u);
    value = int32_t(u);
    return ok;
}

bool ReadBE16(QIODevice &in, uint16_t &value)
{
    uint8_t b[2];
    value = 0;
    if (!readBytes(in, b))
        return false;
    value = uint16_t(b[0] << 8 | b[1]);
    return true;
}

bool ReadBE32(QIODevice &in, uint32_t &value)
{
    uint8_t b[4];
    value = 0;
    if (!readBytes(in, b))
        return false;
    value = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | uint32_t(b[3]);
    return true;
}

bool WriteU8(QIODevice &out, uint8_t value)
{
    const uint8_t b[1] = {value};
    return writeBytes(out, b);
}

bool WriteLE16(QIODevice &out, uint16_t value)
{
    const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    return writeBytes(out, b);
}

bool WriteLE32(QIODevice &out, uint32_t value)
{
    const uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    return writeBytes(out, b);
}

bool WriteLE32(QIODevice &out, int32_t value)
{
    return WriteLE32(out, uint32_t(value));
}

int64_t Remaining(const QIODevice &in)
{
    if (in.isSequential())
        return in.bytesAvailable();
    return in.size() - in.pos();
}

} // namespace VekIO

int32_t ReadBEInt32(QIODevice &in)
{
    uint32_t v;
    VekIO::ReadBE32(in, v);
    return int32_t(v);
}

int16_t ReadBEInt16(QIODevice &in)
{
    uint16_t v;
    VekIO::ReadBE16(in, v);
    return int16_t(v);
}
