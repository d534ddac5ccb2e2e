// Program start: title, main window, event loop. No options, nothing stored.
#include <QApplication>

#include "principal.h"
#include "start.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tarvel::ui::startApplication();
    tarvel::ui::TForm1 main;
    main.show();
    return app.exec();
}
