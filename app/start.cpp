#include "start.h"

#include <clocale>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "principal.h"

namespace tarvel::ui {

bool startApplication()
{
    std::setlocale(LC_NUMERIC, "C"); // numbers are always read and written with a point
    QApplication::setApplicationName(QString::fromUtf8(applicationName));
    // The file, print and page dialogs and the message box buttons.
    static QTranslator toolkit;
    const bool loaded = toolkit.load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QApplication::installTranslator(&toolkit);
    installAuxiliaryWindows();
    return loaded;
}

} // namespace tarvel::ui
