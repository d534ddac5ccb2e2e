// SPDX-License-Identifier: GPL-3.0-or-later
// Forty computed calculator windows ask the gallery for their cross-sections
// at once: the longest stall of the GUI thread while the solves are queued
// (the largest gap between ticks of a 10 ms timer that repaints the
// gallery), and the time quitting takes with the solves still queued, up to
// the very end of the process. Not a test: run it by hand (QT_QPA_PLATFORM
// defaults to offscreen).
//   gallery_queue [windows]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "app/forms.h"
#include "app/principal.h"
#include "framework/ui/calculator_window.h"
#include "framework/ui/navigation.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point quitAsked;

void reportQuit()
{
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - quitAsked).count();
    std::printf("quit: %.0f ms from the request to the end of the process\n", ms);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace tarvel::ui;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::atexit(reportQuit); // runs after every other exit-time destructor
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 40;
    installAuxiliaryWindows();
    TForm1 main;
    main.show();
    // Microstrip and CPW analyses of forty widths.
    std::vector<CalculatorWindow*> windows;
    for (int k = 0; k < count; ++k) {
        const bool cpw = k % 2;
        CalculatorWindow* w = createCalculatorWindow(cpw ? 11 : 4);
        const QString width = QString::number(0.3 + 0.05 * k);
        const std::vector<std::pair<const char*, QString>> texts =
            cpw ? std::vector<std::pair<const char*, QString>>{{"Frequencia", "10"}, {"ComboBox2", "9.8"},
                                                                {"ComboBox1", "57600000"}, {"Tanperda", "0.001"},
                                                                {"Largura", width}, {"Sep", "0.2"},
                                                                {"ComboBox4", "0.635"}, {"ComboBox3", "0.0175"}}
                : std::vector<std::pair<const char*, QString>>{{"frequencia", "1"}, {"Combobox2", "4.4"},
                                                                {"Combobox1", "57600000"}, {"Tanperda", "0.02"},
                                                                {"largura", width}, {"ComboBox4", "1.6"},
                                                                {"ComboBox3", "0.035"}};
        for (const auto& [control, text] : texts)
            w->setControlText(control, text);
        w->Calcular1Click();
        windows.push_back(w);
    }
    windows[0]->Geometria1Click();
    QWidget* gallery = Navigation::findOpen(Aux::Gallery);
    QElapsedTimer queued;
    queued.start();
    for (std::size_t k = 1; k < windows.size(); ++k)
        CalculatorWindow::galleryOpened(gallery, *windows[k]);
    const qint64 queuing = queued.elapsed();
    QElapsedTimer tick;
    tick.start();
    qint64 worst = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        worst = std::max(worst, tick.restart());
        if (gallery)
            gallery->repaint();
    });
    timer.start(10);
    QTimer::singleShot(3000, [&] {
        std::printf("%d requests queued in %lld ms; longest GUI stall over 3 s: %lld ms\n", count,
                    (long long)queuing, (long long)worst);
        std::fflush(stdout);
        quitAsked = Clock::now();
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    return app.exec();
}
