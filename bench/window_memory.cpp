// SPDX-License-Identifier: GPL-3.0-or-later
// Memory of opening and closing calculator windows: cycles of 50 windows
// (every kind in turn) opened, shown and closed, each closed window
// destroyed as the event loop destroys it. Prints the resident set and the
// heap in use after each cycle; what a closed window left behind shows as
// growth from cycle to cycle. Not a test: run it by hand (QT_QPA_PLATFORM
// defaults to offscreen).
//   window_memory [cycles] [windows per cycle]
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <QApplication>
#include <QPointer>

#include "app/principal.h"
#include "app/forms.h"
#include "models/all_windows.h"

namespace {

long residentKb()
{
    std::ifstream f("/proc/self/status");
    for (std::string line; std::getline(f, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

long heapKb()
{
    const struct mallinfo2 m = mallinfo2();
    return long((m.uordblks + m.hblkhd) / 1024);
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 16;
    const int perCycle = argc > 2 ? std::atoi(argv[2]) : 50;
    tarvel::ui::installAuxiliaryWindows();
    tarvel::ui::TForm1 main;
    main.show();
    std::vector<int> numbers;
    for (const auto* d : tarvel::allWindows())
        numbers.push_back(d->number);
    long firstRss = 0, firstHeap = 0;
    std::printf("cycle  windows  RSS kB  heap kB\n");
    for (int c = 1; c <= cycles; ++c) {
        std::vector<QPointer<QWidget>> open;
        for (int i = 0; i < perCycle; ++i) {
            QWidget* w = main.openWindow(numbers[std::size_t(i) % numbers.size()]);
            open.push_back(w);
            QApplication::processEvents();
        }
        for (auto& w : open)
            if (w)
                w->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        int left = 0;
        for (auto& w : open)
            left += !w.isNull();
        malloc_trim(0);
        const long rss = residentKb(), heap = heapKb();
        if (c == 1) {
            firstRss = rss;
            firstHeap = heap;
        }
        std::printf("%5d  %7d  %6ld  %7ld%s\n", c, c * perCycle, rss, heap,
                    left ? "  (windows not destroyed!)" : "");
    }
    std::printf("growth after cycle 1: RSS %+ld kB, heap %+ld kB (%.1f kB of heap per window)\n",
                residentKb() - firstRss, heapKb() - firstHeap,
                double(heapKb() - firstHeap) / double((cycles - 1) * perCycle));
    return 0;
}
