// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded into an installed tarvel by the install test (LD_PRELOAD). When the
// event loop starts it does what a user does to read the tutorial, the main
// window's "&Tutorial", then prints what the tutorial window shows and ends
// the program. Finding the page is left entirely to the program.
#include <cstdio>

#include <QAction>
#include <QApplication>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

namespace {

template <class T>
T* findInTopLevels(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            if (T* found = w->findChild<T*>(name))
                return found;
    return nullptr;
}

void report()
{
    auto* page = findInTopLevels<QTextBrowser>("WebBrowser1");
    if (!page) {
        std::fputs("probe: no tutorial window\n", stderr);
        QCoreApplication::exit(3);
        return;
    }
    std::printf("title=%s\nsource=%s\ntext=%s\n", page->window()->windowTitle().toUtf8().constData(),
                page->source().toLocalFile().toUtf8().constData(),
                page->toPlainText().left(200).simplified().toUtf8().constData());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

void probe()
{
    QTimer::singleShot(0, [] {
        QAction* tutorial = findInTopLevels<QAction>("Tutorial1");
        if (!tutorial) {
            std::fputs("probe: no Tutorial1 command in the main window\n", stderr);
            QCoreApplication::exit(2);
            return;
        }
        tutorial->trigger();
        QTimer::singleShot(0, report);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(probe)
