#pragma once
// The save dialog and the print dialog for tests: each answers at once as scripted, and one
// that no test scripted fails the running test and counts as cancelled.

#include "ui/UFileChooser.h"
#include "ui/UPrintChooser.h"

#include <QPrinter>
#include <QStringList>
#include <QTest>

#include <deque>

class TScriptedFiles : public TFileChooser {
public:
    QString ChooseSaveFile(const QString&, const QString& suggested, const QString&, const QString&) override
    {
        Suggested << suggested;
        if (Answers.empty()) {
            QTest::qFail("unscripted save dialog", __FILE__, __LINE__);
            return {};
        }
        QString answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::deque<QString> Answers; // the files chosen, in turn; an empty one cancels
    QStringList Suggested;
};

// Prints into the PDF files it is given, in turn.
class TPdfPrinter : public TPrintChooser {
public:
    bool ChoosePrinter(QPrinter& printer) override
    {
        if (Files.empty()) {
            QTest::qFail("unscripted print dialog", __FILE__, __LINE__);
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Files.front());
        Files.pop_front();
        return true;
    }

    std::deque<QString> Files;
};
