// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QString>

// The program's version and copyright line, embedded when it is built (from
// the project's version number and its LegalCopyright text). The about
// window shows them and the update checker is told the version.
class VersionInfo {
public:
    VersionInfo(int major, int minor, const QString &legalCopyright);

    // The version of this program.
    static const VersionInfo &Program();

    int Major() const { return MajorNumber; }
    int Minor() const { return MinorNumber; }
    const QString &LegalCopyright() const { return Copyright; }
    // Major in the high 16 bits, minor in the low 16 bits.
    uint32_t PackedVersion() const;

private:
    int MajorNumber;
    int MinorNumber;
    QString Copyright;
};
