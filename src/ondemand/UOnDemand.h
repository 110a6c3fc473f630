#pragma once
// What the program loads only when it is first used, from libtaskwren-ondemand.so in the
// program folder: the libraries behind it (Qt Network, Qt Print Support, libjpeg) would
// otherwise be loaded by every start, for pictures, printouts and pages most starts never
// show. The library reaches nothing of the program: everything it needs is handed to it.

#include <QImage>

#include <functional>
#include <string_view>

class QPrinter;
class QTextDocument;
class QUrl;
class QWidget;

// The one way the program asks for a printer (or a PDF file), so that tests can answer
// without a print dialog.
class TPrintChooser {
public:
    virtual ~TPrintChooser() = default;
    // Sets `printer` up as the user chooses; false when the user cancelled.
    virtual bool ChoosePrinter(QPrinter& printer) = 0;
};

// Fetches web pictures in the background; each arrives through the callback it was made
// with, a picture that cannot be had as a null image. Destroying it abandons the rest.
class TWebPictures {
public:
    virtual ~TWebPictures() = default;
    virtual void Fetch(const QUrl& address) = 0;
};

enum class TPrintOutcome { Printed, Cancelled, Failed };

struct TOnDemand {
    // Raised with every change of the members, so that a library left from another build is
    // refused instead of called wrongly.
    static constexpr int CurrentVersion = 1;
    int Version = CurrentVersion;

    // The picture, or a null image when it is no JPEG picture libjpeg can read or is wider or
    // higher than 4096 pixels.
    QImage (*DecodeJpeg)(std::string_view data) = nullptr;
    // Lets the user choose a printer (or a PDF file) in Qt's print dialog over `parent`;
    // false when cancelled.
    bool (*ChoosePrinter)(QPrinter& printer, QWidget* parent) = nullptr;
    // Prints `document` on the printer `printers` chooses.
    TPrintOutcome (*PrintDocument)(QTextDocument& document, TPrintChooser& printers) = nullptr;
    // A fetcher owned by the caller; `arrived` is called on the caller's thread.
    TWebPictures* (*NewWebPictures)(std::function<void(const QUrl&, const QImage&)> arrived) = nullptr;
};

// The library's one entry.
extern "C" const TOnDemand* TaskwrenOnDemand();
