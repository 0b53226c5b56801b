// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#include <QApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "Questions.h"

// What every fuzz target shares: a headless application made once, and a
// private folder into which each input is written as the file the reader
// under test opens (the readers take file names).
namespace VekFuzz {

inline QTemporaryDir &Folder()
{
    static QTemporaryDir folder;
    return folder;
}

// Made once, before the first input: the offscreen platform, settings in the
// private folder, and a QApplication (the tables are widgets).
inline void Start()
{
    static int argc = 1;
    static char name[] = "vek_fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", Folder().filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", Folder().path().toLocal8Bit());
    static QApplication app(argc, argv);
}

// Writes the input to a file of that name in the private folder; its path.
inline QString WriteInput(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = Folder().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

// Answers every question of a game without a dialog: no, and the level it
// is at.
class QuietQuestions : public Questions {
public:
    bool AskYesNo(QWidget *, const QString &, const QString &) override { return false; }
    int AskSpiderLevel(QWidget *, int current) override { return current; }
    int AskDiplomatLevel(QWidget *, int current) override { return current; }
};

} // namespace VekFuzz
