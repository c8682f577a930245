#include "toolcatalogue/frmTools.h"

#include "data/Catalogue.h"
#include "data/Criteria.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "toolcatalogue/ScreenPictures.h"
#include "toolcatalogue/ToolCopy.h"
#include "toolcatalogue/ToolWindows.h"
#include "toolcatalogue/frmInstall.h"
#include "ui/HandlerGuard.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"
#include "ui/WindowStack.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace brivello::toolcatalogue {

using ui::PictureBox;
using ui::twips;
using ui::twipsRect;

namespace {

// Folders with more files than this show a progress dialog while copying.
constexpr int largeFolderFiles = 20;

const QString toolsTitle = u"Brivello-Tools:"_s;

template <typename W> W *placed(W *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel *pageLabel(QWidget *page, const QString &name, const QRect &geometry, const QString &text = {})
{
    auto *label = placed(new QLabel(text, page), name, geometry);
    label->setStyleSheet(u"color: #eaf1fa;"_s);
    return label;
}

// The leading number of the field's text; 0 when it has none.
int leadingNumber(const QString &text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    return text.left(digits).toInt();
}

} // namespace

frmTools::frmTools(const ui::Context &context, ToolWindows &windows)
    : MainWindow(u"frmTools"_s, context, resources::Page::Tools, ui::NavigationOwner::Tools),
      m_windows(windows)
{
    QFont small = pctBG().font();
    small.setPixelSize(11);
    pctBG().setFont(small);
    buildList();
    buildDetails();
}

frmTools::~frmTools() = default;

void frmTools::buildList()
{
    m_lstTools = placed(new QListWidget(&pctBG()), u"lstTools"_s, twipsRect(1730, 1200, 7750, 3540));
    m_lstTools->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstTools->setAccessibleName(u"Tools"_s);
    // Arrow keys move the selection, and every change of it is a click.
    connect(m_lstTools, &QListWidget::itemSelectionChanged, this, &frmTools::selectionChanged);
    m_pctInstall =
        placed(new PictureBox(u"pctInstall"_s, &pctBG()), u"pctInstall"_s, twipsRect(1710, 5240, 1200, 240));
    m_pctInstall->paintWhenShown(
        [] { return resources::actionButton(twips(1200), twips(240), u"Installare"_s); });
    m_pctInstall->setToolTip(u"Installare il tool scelto"_s);
    connect(m_pctInstall, &PictureBox::clicked, this, &frmTools::pctInstall_Click);
}

void frmTools::buildDetails()
{
    QWidget *page = &pctBG();
    m_lblTelefoon = pageLabel(page, u"lblTelefoon"_s, twipsRect(1680, 5520, 2580, 240),
                              u"Adatto per i telefoni seguenti :"_s);
    m_lblTel = pageLabel(page, u"lblTel"_s, twipsRect(4320, 5520, 2620, 240));
    m_lblType = pageLabel(page, u"lblType"_s, twipsRect(1680, 5760, 1680, 240), u"Tipo di programma :"_s);
    m_lblSoort = pageLabel(page, u"lblSoort"_s, twipsRect(3420, 5760, 3520, 240));
    m_label1 = pageLabel(page, u"Label1"_s, twipsRect(1680, 5970, 780, 240), u"Medium:"_s);
    m_lblMedium = pageLabel(page, u"lblMedium"_s, twipsRect(2520, 5970, 4420, 240));
    m_lblBeschrijving = pageLabel(page, u"lblBeschrijving"_s, twipsRect(1680, 6180, 4935, 840));
    m_lblBeschrijving->setWordWrap(true);
    m_lblBeschrijving->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pctScreens =
        placed(new PictureBox(u"pctScreens"_s, page), u"pctScreens"_s, twipsRect(6960, 5160, 2400, 1800));
    m_pctScreens->hide();
}

void frmTools::formLoad()
{
    MainWindow::formLoad();
    m_catalogue = data::Catalogue::open(data::discPath(u".\\datafiles\\ringtones.dat"_s));
    // Every field the window and the install read, looked for now rather
    // than at the click that needs it.
    m_catalogue->requireFields(u"Tools"_s,
                               {u"toolnaam"_s, u"imgnr"_s, u"telefoon"_s, u"tooltype"_s, u"medium"_s,
                                u"beschrijving"_s, u"type"_s, u"dirname"_s, u"start"_s});
    m_datTools = std::make_unique<data::DataSource>(m_catalogue, u"Tools"_s);
    m_datTools->moveFirst();
}

void frmTools::formActivate()
{
    ui::runHandler(*m_context.platform.messageBox, [this] { fillList(); });
}

void frmTools::fillList()
{
    // Filling the list is no change of the user's selection.
    const QSignalBlocker quiet(m_lstTools);
    m_lstTools->clear();
    m_datTools->moveFirst();
    while (!m_datTools->eof()) {
        m_lstTools->addItem(m_datTools->field(u"toolnaam"));
        m_datTools->moveNext();
    }
    m_lstTools->setCurrentRow(-1);
}

void frmTools::selectionChanged()
{
    if (!m_lstTools->selectedItems().isEmpty())
        lstTools_Click();
}

void frmTools::lstTools_Click()
{
    ui::runHandler(*m_context.platform.messageBox, [this] { showSelectedTool(); });
}

void frmTools::showSelectedTool()
{
    const QListWidgetItem *item = m_lstTools->currentItem();
    if (!item)
        return;
    m_strToolCriteria = u"toolnaam = '"_s + data::quoteLiteral(item->text()) + u'\'';
    if (!m_datTools->findFirst(m_strToolCriteria))
        return;
    m_pctScreens->paintPicture(screenPicture(leadingNumber(m_datTools->field(u"imgnr"))));
    m_lblTel->setText(m_datTools->field(u"telefoon"));
    m_lblSoort->setText(m_datTools->field(u"tooltype"));
    m_lblBeschrijving->setText(m_datTools->field(u"beschrijving"));
    m_lblMedium->setText(m_datTools->field(u"medium"));
    m_pctScreens->show();
}

ToolRecord frmTools::currentRecord() const
{
    return ToolRecord{m_datTools->field(u"toolnaam"), m_datTools->field(u"type"),
                      m_datTools->field(u"dirname"), m_datTools->field(u"start")};
}

void frmTools::pctInstall_Click()
{
    if (isCopying())
        return;
    if (!ui::runHandler(*m_context.platform.messageBox, [this] { installSelectedTool(); }))
        Q_EMIT installEnded();
}

void frmTools::installSelectedTool()
{
    const QList<QListWidgetItem *> selected = m_lstTools->selectedItems();
    if (selected.isEmpty()) {
        showMessage(u"Scegliere prima un tool dalla lista."_s, false);
        Q_EMIT installEnded();
        return;
    }
    m_strToolCriteria = u"Toolnaam = '"_s + data::quoteLiteral(selected.first()->text()) + u'\'';
    if (!m_datTools->findFirst(m_strToolCriteria)) {
        Q_EMIT installEnded();
        return;
    }
    // The activation that follows the dialog refills the list; the install
    // keeps to the tool selected now.
    const ToolRecord tool = currentRecord();
    if (isCopyInstall(tool)) {
        m_context.stack.showModal(m_windows.install(), [this, tool] { copyInstall(tool); });
        return;
    }
    const QString failure = runTool(m_context.platform, tool);
    if (!failure.isEmpty())
        showMessage(failure, true);
    Q_EMIT installEnded();
}

void frmTools::copyInstall(const ToolRecord &tool)
{
    if (m_strInstallDir.isEmpty()) {
        Q_EMIT installEnded();
        return;
    }
    if (!data::staysBelow(tool.dirname)) {
        showMessage(data::climbsOutMessage(tool.dirname), true);
        Q_EMIT installEnded();
        return;
    }
    const QString source = toolFolder(tool);
    const QStringList files = listToolFiles(source);
    if (files.isEmpty()) {
        showMessage(
            u"La cartella del tool non contiene file da copiare: %1"_s.arg(QDir::toNativeSeparators(source)),
            true);
        Q_EMIT installEnded();
        return;
    }
    // The proposed folder usually does not exist yet.
    if (!QDir().mkpath(m_strInstallDir)) {
        showMessage(u"Impossibile creare la cartella %1"_s.arg(QDir::toNativeSeparators(m_strInstallDir)),
                    true);
        Q_EMIT installEnded();
        return;
    }
    startCopy(source, files, m_strInstallDir);
}

void frmTools::startCopy(const QString &sourceFolder, const QStringList &files, const QString &target)
{
    m_copy = std::make_unique<ToolCopy>(sourceFolder, files, target);
    connect(m_copy.get(), &ToolCopy::finished, this,
            [this, target](const CopyOutcome &outcome) { copyFinished(outcome, target); });
    connect(m_copy.get(), &ToolCopy::fileCopied, this, &frmTools::toolFileCopied);
    if (files.size() > largeFolderFiles)
        showProgress(static_cast<int>(files.size()));
    m_copy->start();
}

void frmTools::showProgress(int total)
{
    m_progress = new QProgressDialog(u"Copia dei file del tool..."_s, u"Annulla"_s, 0, total, this);
    m_progress->setObjectName(u"prgCopy"_s);
    m_progress->setWindowTitle(toolsTitle);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    connect(m_copy.get(), &ToolCopy::progressed, m_progress, &QProgressDialog::setValue);
    connect(m_progress, &QProgressDialog::canceled, m_copy.get(), &ToolCopy::cancel);
    m_progress->show();
}

// What went wrong: the files that could not be read, then the write that
// ended the copy, if one did.
QString frmTools::failureText(const CopyOutcome &outcome)
{
    QStringList lines;
    if (!outcome.unreadable.isEmpty()) {
        lines << (outcome.unreadable.size() == 1
                      ? u"Impossibile leggere questo file del tool, che non è stato copiato:"_s
                      : u"Impossibile leggere questi file del tool, che non sono stati copiati:"_s);
        lines << outcome.unreadable;
    }
    if (!outcome.error.isEmpty())
        lines << outcome.error;
    return lines.join(QLatin1Char('\n'));
}

void frmTools::copyFinished(const CopyOutcome &outcome, const QString &target)
{
    if (m_progress) {
        m_progress->disconnect(this);
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
    // The copy is still sending its signal: it goes once control is back.
    m_copy.release()->deleteLater();
    const QString where = QDir::toNativeSeparators(target);
    switch (outcome.kind) {
    case CopyOutcome::Kind::Complete:
        showMessage(u"Installare è perfecto! "_s + target, false);
        break;
    case CopyOutcome::Kind::Cancelled:
        showMessage(u"Installazione interrotta: sono stati copiati %1 file su %2 in %3."_s.arg(outcome.copied)
                        .arg(outcome.total)
                        .arg(where),
                    true);
        break;
    case CopyOutcome::Kind::Failed:
        showMessage(failureText(outcome) + u"\nSono stati copiati %1 file su %2 in %3."_s.arg(outcome.copied)
                                               .arg(outcome.total)
                                               .arg(where),
                    true);
        break;
    }
    Q_EMIT installEnded();
}

void frmTools::showMessage(const QString &text, bool warning)
{
    platform::MessageRequest request;
    request.title = toolsTitle;
    request.text = text;
    request.icon = warning ? platform::MessageIcon::Warning : platform::MessageIcon::None;
    m_context.platform.messageBox->show(request);
}

} // namespace brivello::toolcatalogue
