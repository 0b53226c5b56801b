// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Baserecord.h"

#include <QIODevice>

#include "Utils.h"

bool BaseRecord::WriteString(QIODevice &out, const QByteArray &text)
{
    // A path holds no zero byte; should one slip in, the text ends there, as
    // a reader would take it anyway.
    const qsizetype zero = text.indexOf('\0');
    const QByteArray bytes = zero < 0 ? text : text.left(zero);
    const qsizetype n = bytes.size() + 1;
    if (uint64_t(n) > MaxStringBytes)
        return false;
    return VekIO::WriteLE32(out, uint32_t(n)) && out.write(bytes.constData(), n) == n;
}

bool BaseRecord::ReadString(QIODevice &in, QByteArray &text)
{
    uint32_t n;
    if (!VekIO::ReadLE32(in, n))
        return false;
    if (n == 0) {
        text.clear();
        return true;
    }
    if (n > MaxStringBytes || int64_t(n) > VekIO::Remaining(in))
        return false;
    const QByteArray bytes = in.read(n);
    if (bytes.size() != qsizetype(n))
        return false;
    const qsizetype end = bytes.indexOf('\0');
    text = end < 0 ? bytes : bytes.left(end);
    return true;
}
