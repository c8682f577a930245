#include "ui/HandlerGuard.h"

#include "data/CatalogueError.h"

using namespace Qt::StringLiterals;

namespace brivello::ui {

QString failureText(const std::exception &error)
{
    if (const auto *catalogue = dynamic_cast<const data::CatalogueError *>(&error))
        return catalogue->message();
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return u"Memoria insufficiente: l'operazione è stata interrotta."_s;
    return u"Si è verificato un errore imprevisto: %1"_s.arg(QString::fromUtf8(error.what()));
}

bool runHandler(platform::MessageBox &messageBox, const std::function<void()> &work)
{
    QString text;
    try {
        work();
        return true;
    } catch (const std::exception &error) {
        text = failureText(error);
    }
    // Shown outside the catch: the box runs an event loop of its own.
    platform::MessageRequest request;
    request.text = text;
    request.icon = platform::MessageIcon::Warning;
    messageBox.show(request);
    return false;
}

} // namespace brivello::ui
