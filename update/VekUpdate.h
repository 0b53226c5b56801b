// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdint.h>

#if defined(VEKUPDATE_BUILDING)
#define VEKUPDATE_API __attribute__((visibility("default")))
#else
#define VEKUPDATE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// What a program tells the update checker about itself. The fields keep
// their order; the text fields are native pointers to zero-terminated UTF-8
// constants that outlive every call. The caller zeroes the whole record
// before filling it.
typedef struct VUPD_UpdateInfo {
    const char *ProductName;  // "Vek Solitaire"
    const char *UpdateInfoUrl; // the text file that names the newest version
    uint32_t Version;         // major << 16 | minor
    uint32_t Reserved1;       // 0
    const char *HomePage;     // where new versions are published
    const char *RegistryKey;  // the program's settings key; the checker keeps its own values below it
    uint32_t Reserved2;       // 0
} VUPD_UpdateInfo;

// A check for a newer version. manual = 0: the automatic check at start,
// which never reaches the network; manual = 1: the user asked, and is told
// what is installed and where new versions are published.
VEKUPDATE_API void VUPD_CheckUpdate(VUPD_UpdateInfo *info, int32_t manual);
// Whether automatic checks are on (they are unless the user turned them off).
VEKUPDATE_API bool VUPD_IsEnabled(VUPD_UpdateInfo *info);
// Turns automatic checks on or off.
VEKUPDATE_API void VUPD_EnableUpdate(VUPD_UpdateInfo *info, bool enable);
// Releases whatever the checker holds; called once before the program ends.
VEKUPDATE_API void VUPD_CleanUp(VUPD_UpdateInfo *info);

#ifdef __cplusplus
}
#endif
