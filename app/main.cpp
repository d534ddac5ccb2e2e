// Program start: title, main window, event loop. No options, nothing stored.
#include <QApplication>

#include "principal.h"
#include "start.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tarvel::ui::startApplication();
#ifdef TARVEL_APP_ID
    QApplication::setDesktopFileName(QStringLiteral(TARVEL_APP_ID));
#endif
    tarvel::ui::TForm1 main;
    main.show();
    return app.exec();
}
