#include "start.h"

#include <clocale>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "principal.h"

// The program's built-in files live in a static library: they are linked
// in by name, from outside any namespace.
static void loadBuiltInFiles() { Q_INIT_RESOURCE(resources); }

namespace tarvel::ui {

QIcon applicationIcon()
{
    static const bool loaded = (loadBuiltInFiles(), true);
    (void)loaded;
    const QIcon builtIn(QStringLiteral(":/tarvel.svg"));
#ifdef TARVEL_APP_ID
    return QIcon::fromTheme(QStringLiteral(TARVEL_APP_ID), builtIn);
#else
    return builtIn;
#endif
}

bool startApplication()
{
    std::setlocale(LC_NUMERIC, "C"); // numbers are always read and written with a point
    QApplication::setApplicationName(QString::fromUtf8(applicationName));
    QApplication::setWindowIcon(applicationIcon());
    // The file, print and page dialogs and the message box buttons.
    static QTranslator toolkit;
    const bool loaded = toolkit.load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QApplication::installTranslator(&toolkit);
    installAuxiliaryWindows();
    return loaded;
}

} // namespace tarvel::ui
