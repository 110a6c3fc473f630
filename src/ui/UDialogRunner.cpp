#include "ui/UDialogRunner.h"

#include <QDialog>

bool TQtDialogRunner::Run(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}
