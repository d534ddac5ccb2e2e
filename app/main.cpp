// SPDX-License-Identifier: GPL-3.0-or-later
// Program start: title, main window, the project files named on the command
// line, event loop. No options, nothing stored.
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
    tarvel::ui::openProjectFiles(main, app.arguments().mid(1));
    return app.exec();
}
