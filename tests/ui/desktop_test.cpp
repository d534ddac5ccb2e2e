// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a desktop user meets it: the real file, print and message
// dialogs (found while they are modal, then answered), the window titles, a
// paste into the key field, and saves that are refused.
#include <functional>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include "app/principal.h"
#include "app/start.h"
#include "app/forms.h"
#include "framework/ui/platform.h"
#include "models/all_windows.h"
#include "modal_safety.h"
#include "scripted_platform.h"
#include "test_windows.h"

using namespace tarvel;
using namespace tarvel::ui;
using tarvel::test::ScriptedPlatform;
using tarvel::test::window;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// Runs `inspect` on the first modal dialog of type T that `run` opens, while
// it is modal; `inspect` answers it. A dialog never found is closed by the
// safety timer, so the suite never hangs.
template <typename T>
bool whileModal(const std::function<void()>& run, const std::function<void(T*)>& inspect)
{
    bool found = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll.stop();
            found = true;
            inspect(dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    const test::ModalSafety safety;
    poll.start();
    run();
    return found;
}

// The names the file dialog's list shows, in its current folder.
QStringList listed(QFileDialog* dialog)
{
    QStringList names;
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    if (!view)
        return names;
    const QModelIndex root = view->rootIndex();
    for (int r = 0; r < view->model()->rowCount(root); ++r) {
        const QModelIndex i = view->model()->index(r, 0, root);
        if (i.flags() & Qt::ItemIsEnabled)
            names << i.data().toString();
    }
    names.sort();
    return names;
}

TEST(FileFilters, EveryWindowsProjectsAndEveryFile)
{
    for (const WindowDescription* d : allWindows()) {
        const QString ext = q(d->project.extension);
        const struct {
            QString filter, everything;
        } dialogs[] = {{openFilter(*d), QString::fromUtf8("Todos os  arquivos [*.*]")},
                       {saveFilter(*d), QString::fromUtf8("Todos os arquivos [*.*]")}};
        for (const auto& dialog : dialogs) {
            const NameFilters f = nameFilters(dialog.filter);
            EXPECT_EQ(f.names, (QStringList{QString::fromUtf8("Projetos de análise"), dialog.everything}))
                << d->className;
            EXPECT_EQ(f.qt, (QStringList{QString::fromUtf8("Projetos de análise (*.%1)").arg(ext),
                                         dialog.everything + QStringLiteral(" (*)")}))
                << d->className;
        }
    }
    // Several patterns of one filter; a name without its pattern is dropped.
    const NameFilters f = nameFilters(QStringLiteral("Textos|*.txt;*.TXT|Sobra"));
    EXPECT_EQ(f.qt, QStringList{QStringLiteral("Textos (*.txt *.TXT)")});
    EXPECT_EQ(f.names, QStringList{QStringLiteral("Textos")});
}

// The real open dialog of a two-wire window, in a folder with a project and
// a text file.
TEST(RealDialogs, OpenListsTheProjectsThenEveryFile)
{
    setPlatform(nullptr); // the real dialogs; the program asks for the toolkit's own file dialog
    QTemporaryDir dir;
    for (const char* name : {"a.bfl", "b.txt"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path()); // the dialog starts in the current folder
    auto w = window(2);
    const QString caption = w->windowTitle();

    QStringList types, projects, everything;
    int selected = -1;
    QString cancel, title;
    const bool found = whileModal<QFileDialog>([&] { w->Abrir1Click(); }, [&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        auto* box = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (!box)
            return;
        for (int i = 0; i < box->count(); ++i)
            types << box->itemText(i);
        selected = box->currentIndex();
        (void)QTest::qWaitFor([&] { return listed(dialog).contains("a.bfl"); }, 5000);
        projects = listed(dialog);
        // The user picks the second type in the box.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        (void)QTest::qWaitFor([&] { return listed(dialog).contains("b.txt"); }, 5000);
        everything = listed(dialog);
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            if (QPushButton* b = buttons->button(QDialogButtonBox::Cancel)) {
                cancel = b->text();
                b->click();
            }
    });
    QDir::setCurrent(before);

    ASSERT_TRUE(found);
    EXPECT_EQ(title, "Abrir");
    EXPECT_EQ(types, (QStringList{QString::fromUtf8("Projetos de análise"), QString::fromUtf8("Todos os  arquivos [*.*]")}));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(projects, QStringList{"a.bfl"});
    EXPECT_EQ(everything, (QStringList{"a.bfl", "b.txt"}));
    EXPECT_EQ(cancel, "Cancelar"); // the toolkit's own texts in Portuguese
    EXPECT_EQ(w->windowTitle(), caption); // cancelled: nothing changed
}

// A message box and the print dialog, the real ones.
TEST(RealDialogs, MessageBoxAndPrintDialogSpeakPortuguese)
{
    setPlatform(nullptr);
    auto w = window(2);
    QString boxTitle, boxText;
    ASSERT_TRUE(whileModal<QMessageBox>([&] { platform().warning(w.get(), QString::fromUtf8("Este programa não pode abrir este arquivo")); },
                                        [&](QMessageBox* box) {
                                            boxTitle = box->windowTitle();
                                            boxText = box->text();
                                            box->accept();
                                        }));
    EXPECT_EQ(boxTitle, "Projeto Tarvel 98");
    EXPECT_EQ(boxText, QString::fromUtf8("Este programa não pode abrir este arquivo"));

    std::unique_ptr<QPrinter> printer = platform().makePrinter();
    int copies = 0;
    QString cancel;
    bool chosen = true;
    ASSERT_TRUE(whileModal<QPrintDialog>([&] { chosen = platform().choosePrinter(w.get(), *printer, copies); },
                                         [&](QPrintDialog* dialog) {
                                             for (QPushButton* b : dialog->findChildren<QPushButton*>())
                                                 if (b->text().contains("Cancel"))
                                                     cancel = b->text();
                                         }));
    EXPECT_FALSE(chosen);
    EXPECT_EQ(cancel, "Cancelar");
}

// The real save dialog: a name typed without extension is saved with the
// window's own.
TEST(RealDialogs, SaveAddsTheExtensionToANameTypedWithout)
{
    setPlatform(nullptr);
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto w = window(2);
    w->setControlText("Frequencia", "1");
    const bool found = whileModal<QFileDialog>([&] { w->SalvarComo1Click(); }, [&](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name)
            return;
        // The whole path (the dialog may start in the folder of an earlier
        // one), set at once so that no completion list takes the Return.
        name->setText(dir.filePath("semext"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QDir::setCurrent(before);
    ASSERT_TRUE(found);
    EXPECT_TRUE(QFile::exists(dir.filePath("semext.bfl")));
    EXPECT_FALSE(QFile::exists(dir.filePath("semext")));
}

TEST(Titles, EveryWindowShowsItsCaptionAlone)
{
    ScriptedPlatform platform;
    // No display name of its own: it follows the application's name, and
    // the platform then appends nothing to a window's title.
    EXPECT_EQ(QApplication::applicationName(), QString::fromUtf8(applicationName));
    QApplication::setApplicationName(QStringLiteral("outro"));
    EXPECT_EQ(QApplication::applicationDisplayName(), "outro");
    QApplication::setApplicationName(QString::fromUtf8(applicationName));

    TForm1 main;
    main.show();
    EXPECT_EQ(main.windowHandle()->title(),
              QString::fromUtf8("Tarvel - Ambiente computacional para análise e síntese de linha de transmissão"));
    for (const WindowDescription* d : allWindows()) {
        QWidget* w = main.openWindow(d->number);
        ASSERT_TRUE(w && w->windowHandle()) << d->className;
        EXPECT_EQ(w->windowHandle()->title(), q(d->caption)) << d->className;
        w->close();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("linha.bfl");
    auto w = window(2);
    w->show();
    platform.saveAnswers = {path};
    w->SalvarComo1Click();
    EXPECT_EQ(w->windowHandle()->title(), "Antena[ " + path + " ]");
}

// What a paste does to the key field, by each way a user pastes.
TEST(KeyField, PasteActivatesAsTyping)
{
    ScriptedPlatform platform;
    enum Way { CtrlV, ShiftInsert, ContextMenu };
    struct Case {
        int window;
        const char* field;
    } cases[] = {{2, "Frequencia"}, {11, "ComboBox2"}, {16, "impedan"}};
    for (const auto& c : cases)
        for (Way way : {CtrlV, ShiftInsert, ContextMenu}) {
            SCOPED_TRACE(testing::Message() << c.window << " " << c.field << " way " << int(way));
            QApplication::clipboard()->setText(QStringLiteral("1.5"));
            auto w = window(c.window);
            w->show();
            CalculatorWindow::setCurrentFileName(c.window, QStringLiteral("/tmp/x.bfl"));
            QLineEdit* line = w->findChild<QLineEdit*>(c.field);
            if (auto* combo = w->findChild<QComboBox*>(c.field))
                line = combo->lineEdit();
            ASSERT_TRUE(line);
            line->setFocus();
            if (way == CtrlV)
                QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
            else if (way == ShiftInsert)
                QTest::keyClick(line, Qt::Key_Insert, Qt::ShiftModifier);
            else {
                std::unique_ptr<QMenu> menu(line->createStandardContextMenu());
                // The entry that names the paste key beside its text.
                const QString key = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
                QAction* paste = nullptr;
                for (QAction* a : menu->actions())
                    if (a->text().endsWith(QLatin1Char('\t') + key))
                        paste = a;
                ASSERT_TRUE(paste);
                EXPECT_EQ(paste->text(), "C&olar\t" + key); // in Portuguese
                paste->trigger();
            }
            EXPECT_EQ(line->text(), "1.5");
            EXPECT_TRUE(w->findChild<QAction*>("Calcular1")->isEnabled());
            EXPECT_TRUE(w->findChild<QToolButton*>("SpeedButton4")->isEnabled());
            EXPECT_EQ(CalculatorWindow::currentFileName(c.window), " ");
        }
}

// A save that is refused leaves the caption and the kind's file name as
// they were, both in a fresh window and after a save that worked.
TEST(ProjectFiles, ARefusedSaveChangesNothing)
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    const QString good = dir.filePath("bom.bfl");
    struct Case {
        const char* what;
        const char* frequency;
        QString path;
        const char* box;
    } cases[] = {
        {"not a number", "2,5", dir.filePath("a.bfl"), "information"},
        {"2^127 or more", "1.8e38", dir.filePath("b.bfl"), "error"},
        {"write fails", "1", dir.filePath("falta/c.bfl"), "error"},
    };
    for (const auto& c : cases)
        for (bool fresh : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.what << (fresh ? " fresh" : " after a save"));
            auto w = window(2);
            const QString caption = w->windowTitle();
            w->setControlText("Frequencia", "1");
            if (!fresh) {
                platform.saveAnswers = {good};
                w->SalvarComo1Click();
                ASSERT_EQ(CalculatorWindow::currentFileName(2), good);
            }
            const QString title = w->windowTitle(), name = CalculatorWindow::currentFileName(2);
            w->setControlText("Frequencia", c.frequency);
            platform.boxes.clear();
            platform.saveAnswers = {c.path};
            w->SalvarComo1Click();
            ASSERT_EQ(platform.boxes.size(), 1u);
            EXPECT_EQ(platform.boxes[0].kind, c.box);
            EXPECT_EQ(w->windowTitle(), title);
            EXPECT_EQ(CalculatorWindow::currentFileName(2), name);
            EXPECT_FALSE(QFile::exists(c.path));
            if (fresh) {
                EXPECT_EQ(title, caption);
                EXPECT_EQ(name, " ");
            }
        }
}

} // namespace
