#include "ui/UFileChooser.h"

#include <QFileDialog>

QString TQtFileChooser::ChooseSaveFile(const QString& caption, const QString& suggested, const QString& filter,
                                       const QString& suffix)
{
    QFileDialog dialog(Parent, caption, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The suffix is added before the dialog checks for an existing file, so that the file
    // the question names is the one that is replaced.
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
