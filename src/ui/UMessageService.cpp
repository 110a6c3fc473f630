#include "ui/UMessageService.h"

#include <QMessageBox>
#include <QPushButton>

bool TQtMessageService::Show(TMsgKind kind, const QString& text, TMsgButtons buttons)
{
    const bool warning = kind == TMsgKind::Warning;
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information,
                    warning ? QStringLiteral("Warning") : QStringLiteral("Information"), text, QMessageBox::NoButton,
                    Parent);
    QAbstractButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    if (buttons == TMsgButtons::OkCancel)
        box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == ok;
}
