#include "app/frmHelp.h"

#include "data/DiscPaths.h"
#include "docviewer/rtf/RtfReader.h"
#include "resources/Artwork.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace brivello::app {

namespace {

using HelpBox = frmHelp::HelpBox;

struct HelpBoxPlan
{
    HelpBox box;
    const char16_t *name;
    QRect geometry;
    const char16_t *file;
};

// In the order the load step fills them.
const HelpBoxPlan helpBoxPlans[] = {
    {HelpBox::Vindara, u"HelpBox_Vindara", ui::twipsRect(120, 600, 9375, 3510), u".\\datafiles\\belt.dat"},
    {HelpBox::Info, u"HelpBox_Info", ui::twipsRect(120, 600, 9375, 3510), u".\\datafiles\\info.dat"},
    {HelpBox::Logo, u"HelpBox_Logo", ui::twipsRect(120, 720, 9375, 3390), u".\\datafiles\\logos.dat"},
    {HelpBox::Tools, u"HelpBox_Tools", ui::twipsRect(120, 720, 9315, 3390), u".\\datafiles\\tools.dat"},
};

// The order in which ShowHelpPage sets the boxes' visibility.
constexpr HelpBox visibilityOrder[] = {HelpBox::Info, HelpBox::Vindara, HelpBox::Logo, HelpBox::Tools};

enum class LabelStyle { Heading, Company, Plain };

struct AboutLine
{
    const char16_t *name;
    int top;
    const char16_t *caption;
    LabelStyle style;
};

const AboutLine aboutLines[] = {
    {u"lblProdukt", 120, u"Brivello è un prodotto di:", LabelStyle::Heading},
    {u"lblParvel", 600, u"Lumo Media S.r.l.", LabelStyle::Company},
    {u"lblAdres", 960, u"Via dei Glicini 14", LabelStyle::Plain},
    {u"lblPost", 1200, u"20900 Monza (MB)", LabelStyle::Plain},
    {u"lblWWW", 1440, u"www.lumomedia.example", LabelStyle::Plain},
    {u"lblOnt", 1800, u"Brivello è sviluppato da:", LabelStyle::Heading},
    {u"lblOsmant", 2160, u"Faro Software B.V.", LabelStyle::Company},
    {u"Label2", 2520, u"Casella Postale 318", LabelStyle::Plain},
    {u"Label3", 2760, u"7500 AH Enschede", LabelStyle::Plain},
    {u"Label4", 3000, u"www.farosoftware.example", LabelStyle::Plain},
};

constexpr int aboutLineHeight = 240;

void styleLabel(QLabel &label, LabelStyle style)
{
    if (style == LabelStyle::Plain)
        return;
    QFont font = label.font();
    font.setPointSize(12);
    font.setBold(style == LabelStyle::Heading);
    label.setFont(font);
    if (style == LabelStyle::Company) {
        QPalette blue = label.palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        label.setPalette(blue);
    }
}

} // namespace

frmHelp::frmHelp(const ui::Context &context)
    : ui::Window(u"frmHelp"_s), m_context(context), m_page(new ui::PictureBox(u"pctBG"_s, this))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(u"Brivello"_s);
    setFixedSize(ui::twips(9615), ui::twips(4725));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    m_page->setGeometry(ui::twipsRect(0, 0, 9600, 4710));
    m_page->paintPicture(resources::helpBackground());
    placeHelpBoxes();
    placeAboutPanel();
    m_page->setAccessibleName(u"Chiudere l'aiuto"_s);
    connect(m_page, &ui::PictureBox::clicked, this, &frmHelp::pctBG_Click);
}

void frmHelp::placeHelpBoxes()
{
    for (const HelpBoxPlan &plan : helpBoxPlans) {
        auto *box = new QTextEdit(m_page);
        box->setObjectName(QString::fromUtf16(plan.name));
        box->setAccessibleName(u"Aiuto"_s);
        box->setGeometry(plan.geometry);
        // Nothing is ever saved from the help pages.
        box->setReadOnly(true);
        box->hide();
        m_boxes.at(static_cast<std::size_t>(plan.box)) = box;
    }
}

void frmHelp::placeAboutPanel()
{
    m_fraAbout = new QFrame(m_page);
    m_fraAbout->setObjectName(u"fraAbout"_s);
    m_fraAbout->setGeometry(ui::twipsRect(120, 600, 9375, 3495));
    m_fraAbout->setAutoFillBackground(true);
    QPalette white = m_fraAbout->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_fraAbout->setPalette(white);
    for (const AboutLine &line : aboutLines) {
        auto *label = new QLabel(QString::fromUtf16(line.caption), m_fraAbout);
        label->setObjectName(QString::fromUtf16(line.name));
        label->setAlignment(Qt::AlignCenter);
        styleLabel(*label, line.style);
        const int height = line.style == LabelStyle::Plain ? aboutLineHeight : 2 * aboutLineHeight - 60;
        label->setGeometry(QRect(0, ui::twips(line.top), m_fraAbout->width(), ui::twips(height)));
    }
    m_fraAbout->hide();
    // Lies below the visible area and is never seen.
    m_helpFrame = new QFrame(m_page);
    m_helpFrame->setObjectName(u"HelpFrame"_s);
    m_helpFrame->setGeometry(ui::twipsRect(600, 6960, 8295, 3495));
}

QTextEdit &frmHelp::helpBox(HelpBox box) const
{
    return *m_boxes.at(static_cast<std::size_t>(box));
}

QLabel &frmHelp::aboutLabel(const QString &name) const
{
    return *m_fraAbout->findChild<QLabel *>(name);
}

void frmHelp::formLoad()
{
    // Centred once; later showings keep the place.
    ui::centreOnScreen(*this);
    m_fraAbout->hide();
    fillHelpBoxes();
}

void frmHelp::fillHelpBoxes()
{
    for (const HelpBoxPlan &plan : helpBoxPlans) {
        QTextEdit &box = helpBox(plan.box);
        box.clear();
        // A missing or unreadable page shows a notice naming it; the other
        // pages still serve.
        rtf::loadRtfPage(data::discPath(QString::fromUtf16(plan.file)), box.document());
        // Loading leaves the cursor after the text, which would open the page
        // scrolled to its end.
        box.moveCursor(QTextCursor::Start);
    }
}

void frmHelp::showOnly(QTextEdit *visibleBox)
{
    for (HelpBox box : visibilityOrder) {
        QTextEdit &each = helpBox(box);
        each.setVisible(&each == visibleBox);
    }
}

void frmHelp::ShowHelpPage(HelpBox box, ui::WindowStack::Continuation then)
{
    m_context.stack.load(*this);
    m_fraAbout->hide();
    showOnly(&helpBox(box));
    m_context.stack.showModal(*this, std::move(then));
}

void frmHelp::ShowAbout()
{
    m_context.stack.load(*this);
    showOnly(nullptr);
    m_helpFrame->hide();
    m_fraAbout->show();
    m_context.stack.showModal(*this);
}

void frmHelp::pctBG_Click()
{
    m_context.stack.hide(*this);
}

} // namespace brivello::app
