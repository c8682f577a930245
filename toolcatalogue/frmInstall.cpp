#include "toolcatalogue/frmInstall.h"

#include "app/Twips.h"
#include "app/WindowSet.h"
#include "toolcatalogue/frmTools.h"

#include <QLineEdit>
#include <QPushButton>

namespace brivello::toolcatalogue {

using app::twips;
using app::twipsRect;

frmInstall::frmInstall(const app::Context &context)
    : Window(QStringLiteral("frmInstall")), m_context(context), m_folder(new QLineEdit(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Installare Tool"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setFixedSize(twips(4485), twips(975));
    m_folder->setObjectName(QStringLiteral("txtGetDir"));
    m_folder->setGeometry(twips(240), twips(120), twips(3975), m_folder->sizeHint().height());
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(twipsRect(3600, 480, 615, 375));
}

void frmInstall::formLoad()
{
    app::centreOnScreen(*this);
    // The dialog reads the tools window's current tool, so referring to the
    // tools window loads it here, before this step ends.
    m_context.windows.tools();
}

} // namespace brivello::toolcatalogue
