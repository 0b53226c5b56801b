// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The project's addresses and names, kept in one place: the home page and
// the feedback address of the Help menu, and what the update checker is told.
namespace Addresses {

inline constexpr const char *ProductName = "Vek Solitaire";
inline constexpr const char *HomePage = "https://veksoftware.example/solitaire/";
inline constexpr const char *UpdateInfo = "https://veksoftware.example/solitaire/version.txt";
inline constexpr const char *FeedbackMail = "mailto:solitaire@veksoftware.example?subject=Vek%20Solitaire";
// The program's settings key in the registry.
inline constexpr const char *SettingsKey = "Software\\VekSoftware\\VekSolitaire";

} // namespace Addresses
