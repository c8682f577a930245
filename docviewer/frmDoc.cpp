#include "docviewer/frmDoc.h"

#include "data/DiscPaths.h"
#include "docviewer/EntryLabel.h"
#include "docviewer/rtf/RtfReader.h"
#include "resources/Artwork.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QScrollBar>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace brivello::docviewer {

using ui::twips;
using ui::twipsRect;

namespace {

// The links page is narrow until it is first shown.
constexpr int linksNarrowWidth = 825;
constexpr int linksWidth = 7815;

constexpr int entryLeft = 720;
constexpr int firstEntryTop = 960;
constexpr int entrySpacing = 450;

struct IndexEntry
{
    const char16_t *name;
    const char16_t *caption;
};

// The general index; the label numbers skip 7.
constexpr IndexEntry generalIndex[frmDoc::generalPageCount] = {
    {u"lblKop1", u"Storia ed evoluzione"},
    {u"lblKop2", u"La funzione di una rete GSM"},
    {u"lblKop3", u"Le Frequenze"},
    {u"lblKop4", u"Chiamate in uscita ed in entrata"},
    {u"lblKop5", u"Service provider"},
    {u"lblKop6", u"Servizi"},
    {u"lblKop8", u"Il Futuro"},
    {u"lblKop9", u"Sigle ed abbreviazioni"},
};

constexpr IndexEntry phoneGuideIndex[frmDoc::phoneGuideCount] = {
    {u"lblNokia", u"Nokia"},
    {u"lblEricsson", u"Ericsson"},
    {u"lblSiemens", u"Siemens"},
};

QString generalPagePath(int page)
{
    return data::discPath(u".\\datafiles\\pag1-%1.dat"_s.arg(page));
}

QString phoneGuidePath(int page)
{
    return data::discPath(u".\\datafiles\\nokpg1-%1.dat"_s.arg(page));
}

QString smsCentresPath()
{
    return data::discPath(u".\\datafiles\\pag3-1.dat"_s);
}

QString linksPagePath()
{
    return data::discPath(u".\\links.htm"_s);
}

// The panels are dark like the page, with light captions.
const QString panelStyle =
    u"QFrame#%1 { background-color: #142444; border: 1px solid #4a6a9a; border-radius: 6px; }"
    "QLabel { color: #d8e4fa; background: transparent; border: none; }"
    "QLabel#%2 { color: #ffffff; }"_s;

} // namespace

frmDoc::frmDoc(const ui::Context &context)
    : MainWindow(u"frmDoc"_s, context, resources::Page::Documentation, ui::NavigationOwner::Documentation)
{
    buildContents();
    buildGeneralIndex();
    buildPhoneGuideIndex();
    buildPages();
    buildButtons();
    connect(navigationBar().pctDoc, &ui::PictureBox::clicked, this, &frmDoc::pctDoc_Click);
}

QFrame *frmDoc::panel(const QString &name, const QRect &geometry)
{
    auto *frame = new QFrame(&pctBG());
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->hide();
    return frame;
}

QLabel *frmDoc::heading(QFrame *panel, const QString &name, QStringView caption)
{
    auto *label = new QLabel(labelCaption(caption), panel);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    QFont big = label->font();
    big.setPixelSize(20);
    big.setBold(true);
    label->setFont(big);
    label->move(twips(360), twips(300));
    m_unsized.push_back(label);
    panel->setStyleSheet(panelStyle.arg(panel->objectName(), name));
    return label;
}

EntryLabel *frmDoc::entry(QFrame *panel, const QString &name, QStringView caption, int row)
{
    auto *label = new EntryLabel(name, caption, panel);
    QFont font = label->font();
    font.setPixelSize(15);
    label->setFont(font);
    label->move(twips(entryLeft), twips(firstEntryTop + row * entrySpacing));
    m_unsized.push_back(label);
    return label;
}

void frmDoc::buildContents()
{
    m_fraInhoud = panel(u"fraInhoud"_s, twipsRect(1560, 1200, 8040, 5040));
    m_lblTitel = heading(m_fraInhoud, u"lblTitel"_s, u"Informazioni:");
    m_lblAlgemeen = entry(m_fraInhoud, u"lblAlgemeen"_s, u"Informazioni generali", 0);
    m_lblTips = entry(m_fraInhoud, u"lblTips"_s, u"Consigli && trucchetti", 1);
    m_label2 = entry(m_fraInhoud, u"Label2"_s, u"Collegamenti Web", 2);
    m_label4 = entry(m_fraInhoud, u"Label4"_s, u"Centrali SMS", 3);
    connect(m_lblAlgemeen, &EntryLabel::clicked, this, [this] { showIndex(*m_fraInhoud2); });
    connect(m_lblTips, &EntryLabel::clicked, this, [this] { showIndex(*m_fraInhoud3); });
    connect(m_label2, &EntryLabel::clicked, this, &frmDoc::showLinksPage);
    connect(m_label4, &EntryLabel::clicked, this, [this] { showAlone(*m_rtfSms); });
    m_fraInhoud->show();
}

void frmDoc::buildGeneralIndex()
{
    m_fraInhoud2 = panel(u"fraInhoud2"_s, twipsRect(1560, 1200, 8040, 5295));
    m_lblKop = heading(m_fraInhoud2, u"lblKop"_s, u"Informazioni generali:");
    for (int page = 1; page <= generalPageCount; ++page) {
        const IndexEntry &plan = generalIndex[page - 1];
        EntryLabel *label = entry(m_fraInhoud2, QString::fromUtf16(plan.name), plan.caption, page - 1);
        connect(label, &EntryLabel::clicked, this, [this, page] { openGeneralPage(page); });
        m_generalEntries[page - 1] = label;
    }
}

void frmDoc::buildPhoneGuideIndex()
{
    m_fraInhoud3 = panel(u"fraInhoud3"_s, twipsRect(1560, 1320, 8040, 5295));
    m_lblTipsInh = heading(m_fraInhoud3, u"lblTipsInh"_s, u"Consigli && trucchetti:");
    for (int page = 1; page <= phoneGuideCount; ++page) {
        const IndexEntry &plan = phoneGuideIndex[page - 1];
        EntryLabel *label = entry(m_fraInhoud3, QString::fromUtf16(plan.name), plan.caption, page - 1);
        connect(label, &EntryLabel::clicked, this, [this, page] { openPhoneGuide(page); });
        m_phoneGuideEntries[page - 1] = label;
    }
}

QTextEdit *frmDoc::pageBox(const QString &name, const QRect &geometry)
{
    auto *box = new QTextEdit(&pctBG());
    box->setObjectName(name);
    box->setGeometry(geometry);
    // Nothing is ever saved from a page, so the user only reads and selects.
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->hide();
    return box;
}

void frmDoc::buildPages()
{
    m_rtfMain = pageBox(u"rtfMain"_s, twipsRect(1785, 1200, 7815, 5295));
    m_rtfTips = pageBox(u"rtfTips"_s, twipsRect(1815, 1200, 7815, 5295));
    m_rtfSms = pageBox(u"rtfSms"_s, twipsRect(1785, 1200, 7815, 5295));

    m_webLinks = new QTextBrowser(&pctBG());
    m_webLinks->setObjectName(u"WebLinks"_s);
    m_webLinks->setAccessibleName(u"Link"_s);
    m_rtfMain->setAccessibleName(u"Pagina"_s);
    m_rtfTips->setAccessibleName(u"Consigli"_s);
    m_rtfSms->setAccessibleName(u"Centri SMS"_s);
    m_webLinks->setGeometry(twipsRect(1785, 1230, linksNarrowWidth, 5370));
    // A link leaves the page for the user's own web browser.
    m_webLinks->setOpenLinks(false);
    m_webLinks->setOpenExternalLinks(false);
    connect(m_webLinks, &QTextBrowser::anchorClicked, this, &frmDoc::openLink);
    m_webLinks->hide();
}

void frmDoc::buildButtons()
{
    m_pctHome = new ui::PictureBox(u"pctHome"_s, &pctBG());
    m_pctHome->setGeometry(twipsRect(3865, 6660, 1050, 255));
    m_pctHome->setToolTip(u"Home"_s);
    m_pctHome->paintWhenShown(
        [box = m_pctHome] { return resources::actionButton(box->width(), box->height(), u"Home"_s); });
    m_pctVorige = new ui::PictureBox(u"pctVorige"_s, &pctBG());
    m_pctVorige->setGeometry(twipsRect(5050, 6660, 1080, 255));
    m_pctVolgende = new ui::PictureBox(u"pctVolgende"_s, &pctBG());
    m_pctVolgende->setGeometry(twipsRect(6120, 6660, 1050, 255));
    m_pctVorige->setAccessibleName(u"Pagina precedente"_s);
    m_pctVolgende->setAccessibleName(u"Pagina successiva"_s);
    connect(m_pctHome, &ui::PictureBox::clicked, this, &frmDoc::pctHome_Click);
    connect(m_pctVorige, &ui::PictureBox::clicked, this, &frmDoc::pctVorige_Click);
    connect(m_pctVolgende, &ui::PictureBox::clicked, this, &frmDoc::pctVolgende_Click);
}

EntryLabel &frmDoc::generalEntry(int page) const
{
    Q_ASSERT(page >= 1 && page <= generalPageCount);
    return *m_generalEntries[page - 1];
}

EntryLabel &frmDoc::phoneGuideEntry(int page) const
{
    Q_ASSERT(page >= 1 && page <= phoneGuideCount);
    return *m_phoneGuideEntries[page - 1];
}

void frmDoc::formLoad()
{
    MainWindow::formLoad();
    m_bytPage = 1;
    showAlone(*m_fraInhoud);
    makeNextActive(false);
    makePrevActive(false);
    m_firstPagesDue = true;
}

void frmDoc::showEvent(QShowEvent *event)
{
    for (QLabel *label : m_unsized)
        label->adjustSize();
    m_unsized.clear();
    if (m_firstPagesDue) {
        m_firstPagesDue = false;
        loadFirstPages();
        loadLinksPage();
    }
    MainWindow::showEvent(event);
}

void frmDoc::formActivate()
{
    loadPage(*m_rtfMain, generalPagePath(1));
    makeNextActive(false);
    makePrevActive(false);
    m_bytPage = 1;
    // Back from the help window the SMS page or a phone guide may still be
    // up; the contents panel is shown alone all the same.
    showAlone(*m_fraInhoud);
}

void frmDoc::ResetToContents()
{
    // The index panels are hidden too, so the contents panel is never shown
    // together with one of them.
    showAlone(*m_fraInhoud);
    makeNextActive(false);
    makePrevActive(false);
    m_bytPage = 1;
    loadFirstPages();
}

void frmDoc::pctHome_Click()
{
    ResetToContents();
}

void frmDoc::pctDoc_Click()
{
    ResetToContents();
}

// The two rules run one after the other: the second sees the state the first
// leaves, so the rule of the phone guides never runs on the page the rule of
// the general pages has just left.
void frmDoc::pctVolgende_Click()
{
    if (!m_rtfMain->isHidden() && m_blnNextActive)
        stepForward(generalPages());
    if (!m_rtfTips->isHidden() && m_blnNextActive)
        stepForward(phoneGuides());
}

void frmDoc::pctVorige_Click()
{
    if (!m_rtfMain->isHidden())
        stepBack(generalPages());
    if (!m_rtfTips->isHidden())
        stepBack(phoneGuides());
}

void frmDoc::openGeneralPage(int page)
{
    openPage(generalPages(), page);
}

void frmDoc::openPhoneGuide(int page)
{
    openPage(phoneGuides(), page);
}

frmDoc::PageSet frmDoc::generalPages() const
{
    return {m_rtfMain, m_fraInhoud2, generalPageCount, &generalPagePath};
}

frmDoc::PageSet frmDoc::phoneGuides() const
{
    return {m_rtfTips, m_fraInhoud3, phoneGuideCount, &phoneGuidePath};
}

// Opened from the index, the last page of a set has its next button inactive.
void frmDoc::openPage(const PageSet &set, int page)
{
    loadPage(*set.box, set.path(page));
    makePrevActive(true);
    makeNextActive(page != set.lastPage);
    m_bytPage = static_cast<std::uint8_t>(page);
    showAlone(*set.box);
}

// Reached by stepping, the last page keeps its next button active, and the
// next step leads back to the contents panel with the set's first page loaded.
void frmDoc::stepForward(const PageSet &set)
{
    if (m_bytPage < set.lastPage) {
        ++m_bytPage;
        loadPage(*set.box, set.path(m_bytPage));
        makePrevActive(true);
        return;
    }
    showAlone(*m_fraInhoud);
    makeNextActive(false);
    makePrevActive(false);
    m_bytPage = 1;
    loadPage(*set.box, set.path(1));
}

// From the first page the step back leads to the set's own index, whatever the
// previous button shows.
void frmDoc::stepBack(const PageSet &set)
{
    if (m_bytPage == 1) {
        makeNextActive(false);
        makePrevActive(false);
        showAlone(*set.index);
        return;
    }
    if (!m_blnPrevActive)
        return;
    --m_bytPage;
    loadPage(*set.box, set.path(m_bytPage));
    makeNextActive(true);
}

void frmDoc::loadPage(QTextEdit &box, const QString &path)
{
    rtf::loadRtfPage(path, box.document());
    box.moveCursor(QTextCursor::Start);
    box.verticalScrollBar()->setValue(0);
}

void frmDoc::loadFirstPages()
{
    loadPage(*m_rtfTips, phoneGuidePath(1));
    loadPage(*m_rtfMain, generalPagePath(1));
    loadPage(*m_rtfSms, smsCentresPath());
}

void frmDoc::loadLinksPage()
{
    const QString path = linksPagePath();
    // The links page is capped as the other pages are: a huge file would
    // hold the window for many seconds and take gigabytes to lay out.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > rtf::maxPageSize) {
        m_webLinks->setPlainText(u"Pagina non disponibile: %1"_s.arg(QFileInfo(path).fileName()));
        return;
    }
    file.close();
    m_webLinks->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
}

void frmDoc::openLink(const QUrl &link)
{
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        m_webLinks->scrollToAnchor(link.fragment());
        return;
    }
    m_context.platform.urlOpener->open(m_webLinks->source().resolved(link));
}

// Every panel lies in the same place: showing one hides the others, so the
// user never sees two of them at once.
void frmDoc::showAlone(QWidget &panel)
{
    QWidget *const panels[] = {m_fraInhoud, m_fraInhoud2, m_fraInhoud3, m_rtfMain,
                               m_rtfTips,   m_rtfSms,     m_webLinks};
    for (QWidget *other : panels) {
        if (other != &panel)
            other->hide();
    }
    panel.show();
    takeFocus(panel);
}

// The keyboard works on what is shown: the first entry of a panel, or the
// page, which then scrolls with the arrow keys.
void frmDoc::takeFocus(QWidget &panel)
{
    if (auto *firstEntry = panel.findChild<EntryLabel *>())
        firstEntry->setFocus();
    else
        panel.setFocus();
}

// An index has no page after it: the next button waits for an entry to open one.
void frmDoc::showIndex(QFrame &index)
{
    showAlone(index);
    makeNextActive(false);
}

void frmDoc::showLinksPage()
{
    showAlone(*m_webLinks);
    m_webLinks->resize(twips(linksWidth), m_webLinks->height());
}

void frmDoc::makeNextActive(bool active)
{
    m_blnNextActive = active;
    m_context.images.paint(*m_pctVolgende, active ? ui::ButtonPicture::Next : ui::ButtonPicture::NextGreyed);
}

void frmDoc::makePrevActive(bool active)
{
    m_blnPrevActive = active;
    m_context.images.paint(*m_pctVorige,
                           active ? ui::ButtonPicture::Previous : ui::ButtonPicture::PreviousGreyed);
}

} // namespace brivello::docviewer
