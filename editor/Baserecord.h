// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QByteArray>

class QIODevice;

// The string encoding of deck project files: a little-endian uint32 n, then n
// bytes holding the text and a terminating zero byte (an empty text is the
// single zero byte, n = 1). Texts are bytes as the file system uses them.
class BaseRecord {
public:
    // Longest string a project file may hold, terminator included; a path is
    // never near this, so a larger count marks a damaged file.
    static constexpr uint32_t MaxStringBytes = 64 * 1024;

    static bool WriteString(QIODevice &out, const QByteArray &text);
    // Reads one string: n = 0 gives the empty text, otherwise the text is
    // what precedes the first zero byte among the n bytes. False, with text
    // untouched, when n is above MaxStringBytes or runs past the end of the
    // stream.
    static bool ReadString(QIODevice &in, QByteArray &text);
};
