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

TSaveAnswer TQtMessageService::AskToSave(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::NoButton, Parent);
    QPushButton* save = box.addButton(QStringLiteral("Save"), QMessageBox::AcceptRole);
    QPushButton* dontSave = box.addButton(QStringLiteral("Don't Save"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return TSaveAnswer::Save;
    return box.clickedButton() == dontSave ? TSaveAnswer::DontSave : TSaveAnswer::Cancel;
}
