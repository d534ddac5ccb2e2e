// SPDX-License-Identifier: GPL-3.0-or-later
#include "start.h"

#include <clocale>

#include <QApplication>
#include <QFileInfo>
#include <QUrl>
#include <QLibraryInfo>
#include <QTranslator>

#include "framework/core/project_file.h"
#include "framework/ui/calculator_window.h"
#include "framework/ui/platform.h"
#include "models/all_windows.h"
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

const WindowDescription* projectKind(const QString& path)
{
    std::vector<const WindowDescription*> kinds;
    for (const WindowDescription* d : mainMenuWindows())
        if (extensionAccepted(path.toStdString(), d->project.extension))
            kinds.push_back(d);
    if (kinds.size() > 1) {
        const QFileInfo file(path);
        for (const WindowDescription* d : kinds)
            if (file.size() == qint64(projectSize(*d)))
                return d;
    }
    return kinds.empty() ? nullptr : kinds.front();
}

void openProjectFiles(TForm1& main, const QStringList& paths)
{
    for (const QString& given : paths) {
        // A file manager may hand over an address instead of a path.
        const QUrl url(given);
        const QString path = QFileInfo(url.isLocalFile() ? url.toLocalFile() : given).absoluteFilePath();
        const WindowDescription* kind = projectKind(path);
        if (!kind) {
            platform().warning(&main, cannotOpenMessage());
            continue;
        }
        if (auto* w = qobject_cast<CalculatorWindow*>(main.openWindow(kind->number)))
            w->openProjectFile(path);
    }
}

} // namespace tarvel::ui
