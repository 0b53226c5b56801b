// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VersionInfo.h"

#include "VekVersion.h"

VersionInfo::VersionInfo(int major, int minor, const QString &legalCopyright)
    : MajorNumber(major)
    , MinorNumber(minor)
    , Copyright(legalCopyright)
{
}

const VersionInfo &VersionInfo::Program()
{
    static const VersionInfo version(VEK_VERSION_MAJOR, VEK_VERSION_MINOR, QStringLiteral(VEK_LEGAL_COPYRIGHT));
    return version;
}

uint32_t VersionInfo::PackedVersion() const
{
    return (uint32_t(MajorNumber) & 0xFFFFu) << 16 | (uint32_t(MinorNumber) & 0xFFFFu);
}
