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

#include <vector>

namespace brivello::app {

namespace {

using Owner = ui::NavigationOwner;

// Where the mouse moves.
enum class Over { Margin, Page, RingTones, Logo, Tools, Doc, Help, Quit, Search };

struct Paint
{
    const char16_t *button;
    int picture;
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
    static const std::vector<RolloverRow> table = {
        {Owner::Ringtones,
         Over::Margin,
         {{u"pctTools", 5},
          {u"pctLogo", 3},
          {u"pctDoc", 7},
          {u"pctQuit", 9},
          {u"pctHelp", 11},
          {u"pctZoek", 13}}},
        {Owner::Ringtones,
         Over::Page,
         {{u"pctTools", 5},
          {u"pctLogo", 3},
          {u"pctDoc", 7},
          {u"pctQuit", 9},
          {u"pctHelp", 11},
          {u"pctZoek", 13}}},
        {Owner::Ringtones, Over::Logo, {{u"pctLogo", 4}, {u"pctTools", 5}}},
        {Owner::Ringtones, Over::Tools, {{u"pctTools", 6}}},
        {Owner::Ringtones, Over::Doc, {{u"pctDoc", 8}}},
        {Owner::Ringtones, Over::Help, {{u"pctHelp", 12}, {u"pctQuit", 9}}},
        {Owner::Ringtones, Over::Quit, {{u"pctQuit", 10}, {u"pctHelp", 11}}},
        {Owner::Ringtones, Over::Search, {{u"pctZoek", 13}}},

        {Owner::Logos, Over::Margin, {{u"pctDoc", 7}, {u"pctQuit", 9}, {u"pctHelp", 11}}},
        {Owner::Logos, Over::Page, {{u"pctTools", 5}, {u"pctRingTones", 1}, {u"pctDoc", 7}}},
        {Owner::Logos, Over::RingTones, {{u"pctRingTones", 2}}},
        {Owner::Logos, Over::Tools, {{u"pctTools", 6}}},
        {Owner::Logos, Over::Doc, {{u"pctDoc", 8}}},
        {Owner::Logos, Over::Help, {{u"pctHelp", 12}, {u"pctQuit", 9}}},
        {Owner::Logos, Over::Quit, {{u"pctQuit", 10}, {u"pctHelp", 11}}},

        {Owner::Documentation, Over::Margin, {{u"pctLogo", 3}, {u"pctQuit", 9}, {u"pctHelp", 11}}},
        {Owner::Documentation,
         Over::Page,
         {{u"pctTools", 5}, {u"pctLogo", 3}, {u"pctRingTones", 1}, {u"pctQuit", 9}, {u"pctHelp", 11}}},
        {Owner::Documentation, Over::RingTones, {{u"pctRingTones", 2}}},
        {Owner::Documentation, Over::Logo, {{u"pctLogo", 4}, {u"pctTools", 5}}},
        {Owner::Documentation, Over::Tools, {{u"pctTools", 6}}},
        {Owner::Documentation, Over::Help, {{u"pctHelp", 12}, {u"pctQuit", 9}}},
        {Owner::Documentation, Over::Quit, {{u"pctQuit", 10}, {u"pctHelp", 11}}},

        {Owner::Tools, Over::Margin, {{u"pctLogo", 3}, {u"pctDoc", 7}, {u"pctQuit", 9}, {u"pctHelp", 11}}},
        {Owner::Tools,
         Over::Page,
         {{u"pctDoc", 7}, {u"pctLogo", 3}, {u"pctRingTones", 1}, {u"pctQuit", 9}, {u"pctHelp", 11}}},
        {Owner::Tools, Over::RingTones, {{u"pctRingTones", 2}}},
        {Owner::Tools, Over::Logo, {{u"pctLogo", 4}}},
        {Owner::Tools, Over::Doc, {{u"pctDoc", 8}}},
        {Owner::Tools, Over::Help, {{u"pctHelp", 12}, {u"pctQuit", 9}}},
        {Owner::Tools, Over::Quit, {{u"pctQuit", 10}, {u"pctHelp", 11}}},
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
    void rollover(Over over);
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
    m_txtSearch = m_window.findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    if (m_txtSearch)
        m_txtSearch->installEventFilter(this);
    if (auto *parvel = m_window.findChild<ui::PictureBox *>(QStringLiteral("pctParvel")))
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
    for (const RolloverRow &row : rolloverTable()) {
        if (row.window != m_owner || row.over != over)
            continue;
        for (const Paint &paint : row.paints) {
            if (auto *button = m_window.pctBG().findChild<ui::PictureBox *>(QString::fromUtf16(paint.button)))
                m_context.images.paint(*button, paint.picture);
        }
    }
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
            images.paint(*help, 11);
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
