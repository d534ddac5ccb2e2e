// Program start: title, main window, event loop. No options, nothing stored.
#include <clocale>

#include <QApplication>

#include "principal.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers are always read and written with a point
    QApplication::setApplicationName(QStringLiteral("Tarvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Projeto Tarvel 98"));
#ifdef TARVEL_APP_ID
    QApplication::setDesktopFileName(QStringLiteral(TARVEL_APP_ID));
#endif
    tarvel::ui::installAuxiliaryWindows();
    tarvel::ui::TForm1 main;
    main.show();
    return app.exec();
}
