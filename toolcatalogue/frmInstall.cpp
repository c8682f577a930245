#include "toolcatalogue/frmInstall.h"

#include "data/DataSource.h"
#include "toolcatalogue/ToolRun.h"
#include "toolcatalogue/ToolWindows.h"
#include "toolcatalogue/frmTools.h"
#include "ui/Twips.h"
#include "ui/WindowStack.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace brivello::toolcatalogue {

using ui::twips;
using ui::twipsRect;

frmInstall::frmInstall(const ui::Context &context, ToolWindows &windows)
    : Window(u"frmInstall"_s), m_context(context), m_windows(windows), m_folder(new QLineEdit(this)),
      m_ok(new QPushButton(u"OK"_s, this))
{
    setWindowTitle(u"Installare Tool"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setFixedSize(twips(4485), twips(975));
    m_folder->setObjectName(u"txtGetDir"_s);
    m_folder->setAccessibleName(u"Cartella di installazione"_s);
    m_folder->setGeometry(twips(240), twips(120), twips(3975), m_folder->sizeHint().height());
    m_ok->setObjectName(u"cmdOK"_s);
    m_ok->setGeometry(twipsRect(3600, 480, 615, 375));
    connect(m_ok, &QPushButton::clicked, this, &frmInstall::cmdOK_Click);
    connect(m_folder, &QLineEdit::returnPressed, this, &frmInstall::cmdOK_Click);
}

void frmInstall::formLoad()
{
    ui::centreOnScreen(*this);
    // Referring to the tools window loads it first, with its data source.
    const frmTools &tools = m_windows.tools();
    m_folder->setText(proposedInstallDir(tools.datTools().field(u"dirname")));
}

void frmInstall::cmdOK_Click()
{
    const QString folder = m_folder->text();
    if (folder.isEmpty())
        return;
    m_windows.tools().setStrInstallDir(folder);
    m_context.stack.hide(*this);
}

void frmInstall::closeEvent(QCloseEvent *event)
{
    // The directory stays as it was; the next install loads the dialog anew.
    event->accept();
    m_context.stack.close(*this);
}

} // namespace brivello::toolcatalogue
