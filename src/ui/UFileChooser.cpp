#include "ui/UFileChooser.h"

#include <QFileDialog>

QString TQtFileChooser::ChooseSaveFile(const QString& caption, const QString& suggested, const QString& filter,
                                       const QString& suffix)
{
    QFileDialog dialog(Parent, caption, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog adds the suffix before it checks for an existing file, so that the file
    // its question names is the one that is replaced; a desktop's dialog would check the name
    // as typed and let "plan" replace "plan.ics" unasked.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
