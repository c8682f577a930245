#include "app/Navigation.h"

#include "app/ExitProgram.h"
#include "app/WindowSet.h"
#include "app/frmHelp.h"
#include "data/DiscPaths.h"
#include "docviewer/frmDoc.h"
#include "logos/frmLogo.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/Context.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTextEdit>

#include <array>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace brivello::app {

namespace {

using Owner = ui::NavigationOwner;

// Where the mouse moves.
enum class Over { Margin, Page, RingTones, Logo, Tools, Doc, Help, Quit, Search };
constexpr std::size_t overCount = 9;

struct Paint
{
    const char16_t *button;
    ui::ButtonPicture picture;
};

struct RolloverRow
{
    Owner window;
    Over over;
    std::vector<Paint> paints;
};

// What each mouse move paints, in the order painted. The windows differ on
// purpose: a button missing from a row keeps whatever it shows.
const std::vector<RolloverRow> &rolloverTable()
{
    using P = ui::ButtonPicture;
    static const std::vector<RolloverRow> table = {
        {Owner::Ringtones,
         Over::Margin,
         {{u"pctTools", P::Tools},
          {u"pctLogo", P::Logo},
          {u"pctDoc", P::Doc},
          {u"pctQuit", P::Quit},
          {u"pctHelp", P::Help},
          {u"pctZoek", P::Search}}},
        {Owner::Ringtones,
         Over::Page,
         {{u"pctTools", P::Tools},
          {u"pctLogo", P::Logo},
          {u"pctDoc", P::Doc},
          {u"pctQuit", P::Quit},
          {u"pctHelp", P::Help},
          {u"pctZoek", P::Search}}},
        {Owner::Ringtones, Over::Logo, {{u"pctLogo", P::LogoLit}, {u"pctTools", P::Tools}}},
        {Owner::Ringtones, Over::Tools, {{u"pctTools", P::ToolsLit}}},
        {Owner::Ringtones, Over::Doc, {{u"pctDoc", P::DocLit}}},
        {Owner::Ringtones, Over::Help, {{u"pctHelp", P::HelpLit}, {u"pctQuit", P::Quit}}},
        {Owner::Ringtones, Over::Quit, {{u"pctQuit", P::QuitLit}, {u"pctHelp", P::Help}}},
        {Owner::Ringtones, Over::Search, {{u"pctZoek", P::Search}}},

        {Owner::Logos, Over::Margin, {{u"pctDoc", P::Doc}, {u"pctQuit", P::Quit}, {u"pctHelp", P::Help}}},
        {Owner::Logos,
         Over::Page,
         {{u"pctTools", P::Tools}, {u"pctRingTones", P::RingTones}, {u"pctDoc", P::Doc}}},
        {Owner::Logos, Over::RingTones, {{u"pctRingTones", P::RingTonesLit}}},
        {Owner::Logos, Over::Tools, {{u"pctTools", P::ToolsLit}}},
        {Owner::Logos, Over::Doc, {{u"pctDoc", P::DocLit}}},
        {Owner::Logos, Over::Help, {{u"pctHelp", P::HelpLit}, {u"pctQuit", P::Quit}}},
        {Owner::Logos, Over::Quit, {{u"pctQuit", P::QuitLit}, {u"pctHelp", P::Help}}},

        {Owner::Documentation,
         Over::Margin,
         {{u"pctLogo", P::Logo}, {u"pctQuit", P::Quit}, {u"pctHelp", P::Help}}},
        {Owner::Documentation,
         Over::Page,
         {{u"pctTools", P::Tools},
          {u"pctLogo", P::Logo},
          {u"pctRingTones", P::RingTones},
          {u"pctQuit", P::Quit},
          {u"pctHelp", P::Help}}},
        {Owner::Documentation, Over::RingTones, {{u"pctRingTones", P::RingTonesLit}}},
        {Owner::Documentation, Over::Logo, {{u"pctLogo", P::LogoLit}, {u"pctTools", P::Tools}}},
        {Owner::Documentation, Over::Tools, {{u"pctTools", P::ToolsLit}}},
        {Owner::Documentation, Over::Help, {{u"pctHelp", P::HelpLit}, {u"pctQuit", P::Quit}}},
        {Owner::Documentation, Over::Quit, {{u"pctQuit", P::QuitLit}, {u"pctHelp", P::Help}}},

        {Owner::Tools,
         Over::Margin,
         {{u"pctLogo", P::Logo}, {u"pctDoc", P::Doc}, {u"pctQuit", P::Quit}, {u"pctHelp", P::Help}}},
        {Owner::Tools,
         Over::Page,
         {{u"pctDoc", P::Doc},
          {u"pctLogo", P::Logo},
          {u"pctRingTones", P::RingTones},
          {u"pctQuit", P::Quit},
          {u"pctHelp", P::Help}}},
        {Owner::Tools, Over::RingTones, {{u"pctRingTones", P::RingTonesLit}}},
        {Owner::Tools, Over::Logo, {{u"pctLogo", P::LogoLit}}},
        {Owner::Tools, Over::Doc, {{u"pctDoc", P::DocLit}}},
        {Owner::Tools, Over::Help, {{u"pctHelp", P::HelpLit}, {u"pctQuit", P::Quit}}},
        {Owner::Tools, Over::Quit, {{u"pctQuit", P::QuitLit}, {u"pctHelp", P::Help}}},
    };
    return table;
}

frmHelp::HelpBox helpBoxOf(Owner owner)
{
    switch (owner) {
    case Owner::Ringtones:
        return frmHelp::HelpBox::Vindara;
    case Owner::Logos:
        return frmHelp::HelpBox::Logo;
    case Owner::Documentation:
        return frmHelp::HelpBox::Info;
    case Owner::Tools:
        break;
    }
    return frmHelp::HelpBox::Tools;
}

// The handlers of one window's navigation bar. Lives as a child of the window.
class NavigationHandlers : public QObject
{
public:
    NavigationHandlers(ui::MainWindow &window, WindowSet &windows)
        : QObject(&window), m_window(window), m_windows(windows), m_context(windows.context()),
          m_owner(window.navigationOwner())
    {}

    void connectAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectRollover(ui::PictureBox *button, Over over);
    void connectClick(ui::PictureBox *button, void (NavigationHandlers::*handler)());
    struct ButtonPaint
    {
        QPointer<ui::PictureBox> button;
        ui::ButtonPicture picture;
    };
    void rollover(Over over);
    std::vector<ButtonPaint> buttonPaints(Over over) const;
    bool isHome() const { return m_owner == Owner::Ringtones; }
    void hideUnlessHome();
    void returnToProgramFolder();

    void pctRingTones_Click();
    void pctLogo_Click();
    void pctTools_Click();
    void pctDoc_Click();
    void pctHelp_Click();
    void pctQuit_Click();
    void pctParvel_Click();

    ui::MainWindow &m_window;
    WindowSet &m_windows;
    const ui::Context &m_context;
    Owner m_owner;
    QLineEdit *m_txtSearch = nullptr;
    // What each place paints, found on the first move over it.
    std::array<std::optional<std::vector<ButtonPaint>>, overCount> m_rollover;
};

void NavigationHandlers::connectAll()
{
    const ui::NavigationBar &bar = m_window.navigationBar();
    m_window.installEventFilter(this);
    connect(&m_window.pctBG(), &ui::PictureBox::mouseMoved, this, [this] { rollover(Over::Page); });
    // The window's own button has neither rollover nor a click of its own
    // here; the documentation window resets itself on its own.
    const struct
    {
        ui::PictureBox *button;
        Over over;
        Owner ownedBy;
        void (NavigationHandlers::*click)();
    } buttons[] = {
        {bar.pctRingTones, Over::RingTones, Owner::Ringtones, &NavigationHandlers::pctRingTones_Click},
        {bar.pctLogo, Over::Logo, Owner::Logos, &NavigationHandlers::pctLogo_Click},
        {bar.pctTools, Over::Tools, Owner::Tools, &NavigationHandlers::pctTools_Click},
        {bar.pctDoc, Over::Doc, Owner::Documentation, &NavigationHandlers::pctDoc_Click},
    };
    for (const auto &each : buttons) {
        if (each.ownedBy == m_owner)
            continue;
        connectRollover(each.button, each.over);
        connectClick(each.button, each.click);
    }
    connectRollover(bar.pctHelp, Over::Help);
    connectClick(bar.pctHelp, &NavigationHandlers::pctHelp_Click);
    connectRollover(bar.pctQuit, Over::Quit);
    connectClick(bar.pctQuit, &NavigationHandlers::pctQuit_Click);
    if (!isHome())
        return;
    m_txtSearch = m_window.findChild<QLineEdit *>(u"txtSearch"_s);
    if (m_txtSearch)
        m_txtSearch->installEventFilter(this);
    if (auto *parvel = m_window.findChild<ui::PictureBox *>(u"pctParvel"_s))
        connectClick(parvel, &NavigationHandlers::pctParvel_Click);
}

void NavigationHandlers::connectRollover(ui::PictureBox *button, Over over)
{
    connect(button, &ui::PictureBox::mouseMoved, this, [this, over] { rollover(over); });
}

void NavigationHandlers::connectClick(ui::PictureBox *button, void (NavigationHandlers::*handler)())
{
    connect(button, &ui::PictureBox::clicked, this, handler);
}

bool NavigationHandlers::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == &m_window)
            rollover(Over::Margin);
        else if (watched == m_txtSearch)
            rollover(Over::Search);
    }
    return QObject::eventFilter(watched, event);
}

void NavigationHandlers::rollover(Over over)
{
    std::optional<std::vector<ButtonPaint>> &paints = m_rollover.at(static_cast<std::size_t>(over));
    if (!paints)
        paints = buttonPaints(over);
    for (const ButtonPaint &paint : *paints) {
        if (paint.button)
            m_context.images.paint(*paint.button, paint.picture);
    }
}

// The table's rows for this window and place, with the buttons found by
// name once: a mouse move paints without looking for anything.
std::vector<NavigationHandlers::ButtonPaint> NavigationHandlers::buttonPaints(Over over) const
{
    std::vector<ButtonPaint> paints;
    for (const RolloverRow &row : rolloverTable()) {
        if (row.window != m_owner || row.over != over)
            continue;
        for (const Paint &paint : row.paints) {
            if (auto *button = m_window.pctBG().findChild<ui::PictureBox *>(QString::fromUtf16(paint.button)))
                paints.push_back({button, paint.picture});
        }
    }
    return paints;
}

void NavigationHandlers::hideUnlessHome()
{
    // The home window stays beneath; every other main window steps aside
    // before it shows the next one.
    if (!isHome())
        m_context.stack.hide(m_window);
}

void NavigationHandlers::returnToProgramFolder()
{
    // Installing a tool leaves the current directory in the tool's folder.
    if (m_owner == Owner::Tools)
        m_context.platform.currentDirectory->set(data::programFolder());
}

void NavigationHandlers::pctRingTones_Click()
{
    // Hiding this window ends its showing and with it every showing pending
    // below it, down to the home window.
    returnToProgramFolder();
    m_context.stack.hide(m_window);
}

void NavigationHandlers::pctLogo_Click()
{
    hideUnlessHome();
    returnToProgramFolder();
    m_context.stack.showModal(m_windows.logo());
}

void NavigationHandlers::pctTools_Click()
{
    hideUnlessHome();
    m_context.stack.showModal(m_windows.tools());
}

void NavigationHandlers::pctDoc_Click()
{
    docviewer::frmDoc &doc = m_windows.doc();
    doc.ResetToContents();
    hideUnlessHome();
    m_context.stack.showModal(doc);
}

void NavigationHandlers::pctHelp_Click()
{
    if (m_owner == Owner::Documentation)
        m_windows.doc().rtfSms().hide();
    QPointer<ui::PictureBox> help = m_window.navigationBar().pctHelp;
    const ui::ButtonImages &images = m_context.images;
    m_windows.help().ShowHelpPage(helpBoxOf(m_owner), [help, &images] {
        if (help)
            images.paint(*help, ui::ButtonPicture::Help);
    });
}

void NavigationHandlers::pctQuit_Click()
{
    ExitProgram(m_windows);
}

void NavigationHandlers::pctParvel_Click()
{
    m_windows.help().ShowAbout();
}

} // namespace

void connectNavigation(ui::MainWindow &window, WindowSet &windows)
{
    auto *handlers = new NavigationHandlers(window, windows);
    handlers->connectAll();
}

} // namespace brivello::app
