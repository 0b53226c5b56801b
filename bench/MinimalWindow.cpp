// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window. It writes "frame" once the window has painted
// and ends.
#include <cstdio>

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace {

class FirstFrame : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !Reported) {
            Reported = true;
            QTimer::singleShot(0, [] {
                std::fputs("frame\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool Reported = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *centre = new QWidget(&window);
    window.setCentralWidget(centre);
    window.resize(673, 470);
    FirstFrame reporter;
    centre->installEventFilter(&reporter);
    window.show();
    return app.exec();
}
