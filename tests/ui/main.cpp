// SPDX-License-Identifier: GPL-3.0-or-later
// GUI tests run offscreen on the real widgets.
#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include "app/principal.h"
#include "app/start.h"
#include "scripted_platform.h"

namespace tarvel::test {

std::unique_ptr<QPrinter> ScriptedPlatform::makePrinter()
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    const QString dir = printDir.isEmpty() ? QDir::tempPath() : printDir;
    static int serial = 0;
    const QString file = QDir(dir).filePath(QStringLiteral("tarvel-report-%1.pdf").arg(++serial));
    p->setOutputFileName(file);
    printedFiles << file;
    return p;
}

} // namespace tarvel::test

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    tarvel::ui::startApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
