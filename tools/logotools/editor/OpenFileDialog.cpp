#include "tools/logotools/editor/OpenFileDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace brivello::logotools {

QString QtOpenFileDialog::ask(const OpenFileRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.startFolder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace brivello::logotools
