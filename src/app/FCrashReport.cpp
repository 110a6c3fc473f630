#include "app/FCrashReport.h"

#include "crash/UCrashLog.h"
#include "ui/UDialogRunner.h"
#include "ui/UWidgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCrashReport::TfrmCrashReport(QString report, QWidget* parent)
    : QDialog(parent)
    , Report(std::move(report))
{
    setObjectName(QStringLiteral("frmCrashReport"));
    setWindowTitle(QStringLiteral("Taskwren"));
    setFont(DesignFont());
    lblMessage = Named(new QLabel(QStringLiteral("Taskwren closed unexpectedly last time.")), "lblMessage");
    memReport = Named(new QPlainTextEdit, "memReport");
    memReport->setReadOnly(true);
    memReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    memReport->setPlainText(Report.section(u'\n', 1, ShownLines)); // the lines after the header
    btnCopy = TextButton("btnCopy", QStringLiteral("Copy Report"), 110, 24);
    btnCopy->setToolTip(QStringLiteral("Copies the whole report, to paste into a message to your provider"));
    btnClose = TextButton("btnClose", QStringLiteral("Close"), 97, 24);
    btnClose->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(memReport);
    layout->addLayout(buttons);
    resize(560, 240);

    connect(btnCopy, &QPushButton::clicked, this, &TfrmCrashReport::btnCopyClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCrashReport::btnCopyClick()
{
    QGuiApplication::clipboard()->setText(Report);
}

void OfferCrashReport(TProgramFolder& folder, TDialogRunner& dialogs, QWidget* parent)
{
    if (const auto report = TakeUnofferedCrashReport(folder)) {
        TfrmCrashReport window(QString::fromUtf8(report->data(), static_cast<qsizetype>(report->size())), parent);
        static_cast<void>(dialogs.Run(window));
    }
}
