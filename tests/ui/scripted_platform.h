// SPDX-License-Identifier: GPL-3.0-or-later
// A platform for the tests: records every box, answers dialogs from queues,
// prints to PDF files.
#pragma once
#include <deque>
#include <memory>

#include <QPrinter>
#include <QString>
#include <QStringList>

#include "framework/ui/platform.h"

namespace tarvel::test {

class ScriptedPlatform : public ui::Platform {
public:
    struct Box {
        QString kind; // "information", "warning", "error"
        QString text;
    };
    std::vector<Box> boxes;
    std::deque<QString> openAnswers, saveAnswers; // empty string: cancel
    QStringList saveProposals, openFilters, saveFilters;
    int printCopies = 1;
    bool printAccepted = true;
    QStringList printedFiles; // one PDF per job
    QString printDir;

    ScriptedPlatform() { ui::setPlatform(this); }
    ~ScriptedPlatform() override { ui::setPlatform(nullptr); }

    void information(QWidget*, const QString& t) override { boxes.push_back({"information", t}); }
    void warning(QWidget*, const QString& t) override { boxes.push_back({"warning", t}); }
    void error(QWidget*, const QString& t) override { boxes.push_back({"error", t}); }
    QString openFileName(QWidget*, const QString& filter) override
    {
        openFilters << filter;
        return take(openAnswers);
    }
    QString saveFileName(QWidget*, const QString& filter, const QString& proposed) override
    {
        saveFilters << filter;
        saveProposals << proposed;
        return take(saveAnswers);
    }
    bool choosePrinter(QWidget*, QPrinter&, int& copies) override
    {
        copies = printCopies;
        return printAccepted;
    }
    std::unique_ptr<QPrinter> makePrinter() override;

    QStringList texts() const
    {
        QStringList out;
        for (const auto& b : boxes)
            out << b.text;
        return out;
    }

private:
    static QString take(std::deque<QString>& q)
    {
        if (q.empty())
            return QString();
        QString s = q.front();
        q.pop_front();
        return s;
    }
};

} // namespace tarvel::test
