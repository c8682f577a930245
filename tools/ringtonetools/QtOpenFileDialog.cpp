#include "tools/ringtonetools/OpenFileDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace brivello::ringtonetools {

namespace {

class QtOpenFileDialog final : public OpenFileDialog
{
public:
    QString ask(const OpenFileRequest &request) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title, request.startFolder,
                                            request.filter);
    }
};

} // namespace

std::shared_ptr<OpenFileDialog> makeQtOpenFileDialog()
{
    return std::make_shared<QtOpenFileDialog>();
}

} // namespace brivello::ringtonetools
