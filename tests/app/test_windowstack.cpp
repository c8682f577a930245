#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace brivello;
using namespace Qt::StringLiterals;
using ui::Window;
using ui::WindowStack;

namespace {

// A window that writes each of its steps into a shared journal, with one
// button to click.
class JournalWindow : public Window
{
public:
    JournalWindow(const QString &name, QStringList &journal) : Window(name), m_journal(journal)
    {
        resize(200, 100);
        button = new QPushButton(u"OK"_s, this);
        button->setGeometry(10, 10, 80, 30);
        connect(button, &QPushButton::clicked, this, [this] { m_journal << objectName() + u":click"_s; });
    }
    void formLoad() override { m_journal << objectName() + u":load"_s; }
    void formActivate() override { m_journal << objectName() + u":activate"_s; }
    void formUnload() override { m_journal << objectName() + u":unload"_s; }

    QPushButton *button;

private:
    QStringList &m_journal;
};

} // namespace

class TestWindowStack : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstShowingLoadsThenActivates();
    void loadRunsOnceForManyReferences();
    void hidingTheTopActivatesTheWindowBelow();
    void handlerGoesOnAfterTheShowingEnds();
    void onlyTheTopWindowTakesInput();
    void hidingAndShowingNextAddsALevel();
    void ringtoneButtonCollapsesEveryLevel();
    void fiveThousandNestedSwitches();
    void closingEndsTheShowingAndUnloads();
    void paintedPictureSurvivesHideAndShow();

private:
    JournalWindow &window(const QString &name);

    QStringList m_journal;
    std::unique_ptr<WindowStack> m_stack;
    std::vector<std::unique_ptr<JournalWindow>> m_windows;
};

void TestWindowStack::init()
{
    m_journal.clear();
    m_stack = std::make_unique<WindowStack>();
}

void TestWindowStack::cleanup()
{
    m_windows.clear();
    m_stack.reset();
}

JournalWindow &TestWindowStack::window(const QString &name)
{
    m_windows.push_back(std::make_unique<JournalWindow>(name, m_journal));
    return *m_windows.back();
}

void TestWindowStack::firstShowingLoadsThenActivates()
{
    JournalWindow &home = window(u"home"_s);
    QSignalSpy loads(m_stack.get(), &WindowStack::loadStarted);
    QVERIFY(!m_stack->isLoaded(home));
    m_stack->showModal(home);
    QCOMPARE(m_journal, (QStringList{u"home:load"_s, u"home:activate"_s}));
    QVERIFY(home.isVisible());
    QCOMPARE(m_stack->activeWindow(), &home);
    QCOMPARE(loads.count(), 1);
}

void TestWindowStack::loadRunsOnceForManyReferences()
{
    JournalWindow &logo = window(u"logo"_s);
    m_stack->load(logo);
    m_stack->load(logo);
    m_stack->showModal(logo);
    m_stack->hide(logo);
    m_stack->settle();
    m_stack->showModal(logo);
    QCOMPARE(m_journal.count(u"logo:load"_s), 1);
    QCOMPARE(m_journal.count(u"logo:activate"_s), 2);
}

void TestWindowStack::hidingTheTopActivatesTheWindowBelow()
{
    JournalWindow &home = window(u"home"_s);
    JournalWindow &help = window(u"help"_s);
    m_stack->showModal(home);
    m_stack->showModal(help);
    m_journal.clear();
    m_stack->hide(help);
    QVERIFY(!help.isVisible());
    // The ending is worked off once control is back in the event loop.
    QTRY_COMPARE(m_stack->activeWindow(), &home);
    QCOMPARE(m_journal, QStringList{u"home:activate"_s});
    QVERIFY(home.isVisible());
    QCOMPARE(m_stack->depth(), 1);
}

void TestWindowStack::handlerGoesOnAfterTheShowingEnds()
{
    JournalWindow &home = window(u"home"_s);
    JournalWindow &help = window(u"help"_s);
    m_stack->showModal(home);
    m_stack->showModal(help, [this] { m_journal << u"home:after help"_s; });
    m_journal << u"home:handler returns"_s;
    m_stack->hide(help);
    m_journal << u"help:handler returns"_s;
    m_stack->settle();
    QCOMPARE(m_journal.mid(m_journal.indexOf(u"home:handler returns"_s)),
             (QStringList{u"home:handler returns"_s, u"help:handler returns"_s, u"home:after help"_s,
                          u"home:activate"_s}));
}

void TestWindowStack::onlyTheTopWindowTakesInput()
{
    JournalWindow &home = window(u"home"_s);
    JournalWindow &help = window(u"help"_s);
    m_stack->showModal(home);
    m_stack->showModal(help);
    m_journal.clear();
    QTest::mouseClick(home.button, Qt::LeftButton);
    QTest::keyClick(home.button, Qt::Key_Space);
    QTest::mouseClick(help.button, Qt::LeftButton);
    QCOMPARE(m_journal, QStringList{u"help:click"_s});
    m_stack->hide(help);
    m_stack->settle();
    m_journal.clear();
    QTest::mouseClick(home.button, Qt::LeftButton);
    QCOMPARE(m_journal, QStringList{u"home:click"_s});
}

void TestWindowStack::hidingAndShowingNextAddsALevel()
{
    JournalWindow &home = window(u"home"_s);
    JournalWindow &logo = window(u"logo"_s);
    JournalWindow &tools = window(u"tools"_s);
    m_stack->showModal(home);
    m_stack->showModal(logo, [this] { m_journal << u"home:after logo"_s; });
    m_journal.clear();
    // The logo window's tools button: hide itself, then show the tools window.
    m_stack->hide(logo);
    m_stack->showModal(tools, [this] { m_journal << u"logo:after tools"_s; });
    m_stack->settle();
    QCOMPARE(m_journal, (QStringList{u"tools:load"_s, u"tools:activate"_s}));
    QCOMPARE(m_stack->depth(), 3);
    QCOMPARE(m_stack->activeWindow(), &tools);
    QVERIFY(!logo.isVisible());
    QVERIFY(home.isVisible());
}

void TestWindowStack::ringtoneButtonCollapsesEveryLevel()
{
    JournalWindow &home = window(u"home"_s);
    JournalWindow &logo = window(u"logo"_s);
    JournalWindow &tools = window(u"tools"_s);
    JournalWindow &doc = window(u"doc"_s);
    m_stack->showModal(home);
    m_stack->showModal(logo, [this] { m_journal << u"home:after logo"_s; });
    m_stack->hide(logo);
    m_stack->showModal(tools, [this] { m_journal << u"logo:after tools"_s; });
    m_stack->hide(tools);
    m_stack->showModal(doc, [this] { m_journal << u"tools:after doc"_s; });
    m_stack->settle();
    m_journal.clear();
    m_stack->hide(doc);
    m_stack->settle();
    QCOMPARE(m_journal, (QStringList{u"tools:after doc"_s, u"logo:after tools"_s, u"home:after logo"_s,
                                     u"home:activate"_s}));
    QCOMPARE(m_stack->depth(), 1);
    QCOMPARE(m_stack->activeWindow(), &home);
    QVERIFY(!logo.isVisible() && !tools.isVisible() && !doc.isVisible());
}

void TestWindowStack::fiveThousandNestedSwitches()
{
    JournalWindow &home = window(u"home"_s);
    JournalWindow &logo = window(u"logo"_s);
    JournalWindow &tools = window(u"tools"_s);
    m_stack->showModal(home, [this] { m_journal << u"program ends"_s; });
    int handlersFinished = 0;
    m_stack->showModal(logo, [&] { ++handlersFinished; });
    JournalWindow *current = &logo;
    for (int click = 0; click < 5000; ++click) {
        JournalWindow *next = current == &logo ? &tools : &logo;
        m_stack->hide(*current);
        m_stack->showModal(*next, [&] { ++handlersFinished; });
        current = next;
    }
    m_stack->settle();
    QCOMPARE(m_stack->depth(), 5002);
    QCOMPARE(m_stack->activeWindow(), current);
    m_journal.clear();
    m_stack->hide(*current);
    m_stack->settle();
    QCOMPARE(handlersFinished, 5001);
    QCOMPARE(m_stack->depth(), 1);
    QCOMPARE(m_journal, QStringList{u"home:activate"_s});
    m_stack->hide(home);
    m_stack->settle();
    QCOMPARE(m_journal.last(), u"program ends"_s);
    QCOMPARE(m_stack->activeWindow(), nullptr);
}

void TestWindowStack::closingEndsTheShowingAndUnloads()
{
    JournalWindow &home = window(u"home"_s);
    JournalWindow &splashOut = window(u"splashOut"_s);
    m_stack->showModal(home);
    m_stack->showModal(splashOut, [this] { m_journal << u"home:after splash"_s; });
    m_journal.clear();
    m_stack->close(splashOut);
    m_stack->settle();
    QCOMPARE(m_journal, (QStringList{u"splashOut:unload"_s, u"home:after splash"_s, u"home:activate"_s}));
    QVERIFY(!m_stack->isLoaded(splashOut));
    m_stack->showModal(splashOut);
    QCOMPARE(m_journal.mid(3), (QStringList{u"splashOut:load"_s, u"splashOut:activate"_s}));
}

void TestWindowStack::paintedPictureSurvivesHideAndShow()
{
    ui::ButtonImages images;
    JournalWindow &home = window(u"home"_s);
    JournalWindow &logo = window(u"logo"_s);
    auto *help = new ui::PictureBox(u"pctHelp"_s, &home);
    help->setGeometry(100, 50, 32, 24);
    images.paint(*help, ui::ButtonPicture::Help);
    images.paint(*help, ui::ButtonPicture::HelpLit);
    m_stack->showModal(home);
    m_stack->hide(home);
    m_stack->showModal(logo);
    m_stack->hide(logo);
    m_stack->showModal(home);
    QVERIFY(home.isVisible());
    const QImage shown = help->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(shown, images.picture(12));
}

QTEST_MAIN(TestWindowStack)
#include "test_windowstack.moc"
