// The Qt dialogs as the user meets them: each belongs to the program's top
// window, lies inside the screen and sits over the middle of the page, on a
// screen of 800 x 600 (offscreen's own) and of 1024 x 768 (a second run).
#include "platform/QtDialogs.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

// The prompt of "Invia", with its carriage returns.
const QString inviaPrompt =
    u"Indicare il numero completo di GSM:\r\re' possibile soltanto con i seguenti apparecchi "
    "Nokia:\r3210, 5190, 6110, 6130, 6150(e), 6190, 61621, 6162, 6210, 6250, NK702, 7110, "
    "8110i, 8130, 8146, 8210, 8810, 8850, 8890, 9000 e 9110"_s;

// How far a dialog's middle may lie from the page's: room for the frame a
// window manager adds.
constexpr int centreTolerance = 48;

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QRect globalRect(const QWidget &widget)
{
    return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
}

// A main window: over the whole screen, its page in the middle.
class FullScreenWindow : public ui::Window
{
public:
    explicit FullScreenWindow(const QString &name) : ui::Window(name)
    {
        setWindowFlag(Qt::FramelessWindowHint);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }
};

// A small window centred on the screen, as the help window.
class SmallWindow : public ui::Window
{
public:
    explicit SmallWindow(const QString &name) : ui::Window(name)
    {
        setWindowFlag(Qt::FramelessWindowHint);
        resize(641, 315);
        ui::centreOnScreen(*this);
    }
};

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void inviaPromptBreaksItsLinesAndFitsTheScreen();
    void saveDialogFitsTheScreenOverThePage();
    void dialogsBelongToTheTopWindowOfTheStack();

private:
    void checkInsideAndCentred(QDialog &dialog);

    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<FullScreenWindow> m_home;
};

void TestQtDialogs::init()
{
    m_stack = std::make_unique<ui::WindowStack>();
    m_home = std::make_unique<FullScreenWindow>(u"home"_s);
    m_stack->showModal(*m_home);
    QVERIFY(QTest::qWaitForWindowExposed(m_home.get()));
}

void TestQtDialogs::cleanup()
{
    m_home.reset();
    m_stack.reset();
}

void TestQtDialogs::checkInsideAndCentred(QDialog &dialog)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect area = screenArea();
    QVERIFY2(area.contains(dialog.frameGeometry()),
             qPrintable(u"%1,%2 %3x%4 on a screen of %5x%6"_s.arg(dialog.frameGeometry().x())
                            .arg(dialog.frameGeometry().y())
                            .arg(dialog.frameGeometry().width())
                            .arg(dialog.frameGeometry().height())
                            .arg(area.width())
                            .arg(area.height())));
    // Everything the user must reach is on the screen too.
    for (const QWidget *control : dialog.findChildren<QWidget *>()) {
        if (control->isVisibleTo(&dialog) &&
            (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPushButton *>(control)))
            QVERIFY2(area.contains(globalRect(*control)), qPrintable(control->objectName()));
    }
    const QPoint offCentre = dialog.geometry().center() - m_home->geometry().center();
    QVERIFY2(std::abs(offCentre.x()) <= centreTolerance && std::abs(offCentre.y()) <= centreTolerance,
             qPrintable(u"%1 px across, %2 px down from the middle"_s.arg(offCentre.x()).arg(offCentre.y())));
}

// Mended fault: the prompt's carriage returns were not line breaks, so the
// input box was one line of 1408 pixels with its field and buttons off a
// 1024 x 768 screen.
void TestQtDialogs::inviaPromptBreaksItsLinesAndFitsTheScreen()
{
    const auto dialog =
        platform::makeInputBox(u"- Inviare via Modem"_s, inviaPrompt, QString(), m_home.get());
    auto *label = dialog->findChild<QLabel *>();
    QVERIFY(label);
    QCOMPARE(label->text(), QString(inviaPrompt).replace(u'\r', u'\n'));
    QCOMPARE(label->text().count(u'\n'), 3);
    QVERIFY(label->wordWrap());
    QCOMPARE(dialog->windowTitle(), u"- Inviare via Modem"_s);
    checkInsideAndCentred(*dialog);
    // The longest line wraps rather than widening the dialog past the screen.
    QVERIFY(label->width() < screenArea().width());
    dialog->findChild<QLineEdit *>()->setText(u"3331234567"_s);
    QCOMPARE(dialog->textValue(), u"3331234567"_s);
}

void TestQtDialogs::saveDialogFitsTheScreenOverThePage()
{
    platform::SaveFileRequest request;
    request.title = u"Indicare il nome del documento:"_s;
    request.startFolder = QDir::homePath();
    request.filter = u"Txt files (*.txt)"_s;
    request.defaultExtension = u"txt"_s;
    const auto dialog = platform::makeSaveFileDialog(request, m_home.get());
    QCOMPARE(dialog->parentWidget(), m_home.get());
    checkInsideAndCentred(*dialog);
}

// Mended fault: under a window manager a click on a window below raised it
// over the top window, which alone took input. The window stack makes every
// window shown above another a modal dialog transient for it, and the
// dialogs belong to the top window.
void TestQtDialogs::dialogsBelongToTheTopWindowOfTheStack()
{
    QCOMPARE(m_home->windowType(), Qt::Window);
    QCOMPARE(m_home->windowModality(), Qt::NonModal);
    QCOMPARE(platform::dialogOwner(), m_home.get());

    SmallWindow help(u"help"_s);
    m_stack->showModal(help);
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QCOMPARE(help.windowType(), Qt::Dialog);
    QVERIFY(help.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(help.windowModality(), Qt::ApplicationModal);
    QCOMPARE(help.windowHandle()->transientParent(), m_home->windowHandle());
    QCOMPARE(platform::dialogOwner(), &help);

    platform::MessageRequest request;
    request.text = u"Scegliere prima un tool dalla lista."_s;
    const auto box = platform::makeMessageBox(request, platform::dialogOwner());
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QCOMPARE(box->windowHandle()->transientParent(), help.windowHandle());
    QVERIFY(screenArea().contains(box->frameGeometry()));
    QCOMPARE(QApplication::activeModalWidget(), box.get());
    box->hide();

    // A main window that steps aside for the next: the next one belongs to
    // the window still on the screen, the home window.
    FullScreenWindow logo(u"logo"_s);
    FullScreenWindow tools(u"tools"_s);
    m_stack->hide(help);
    m_stack->settle();
    m_stack->showModal(logo);
    m_stack->hide(logo);
    m_stack->showModal(tools);
    QCOMPARE(tools.windowHandle()->transientParent(), m_home->windowHandle());
    QCOMPARE(platform::dialogOwner(), &tools);
    m_stack->hide(tools);
    m_stack->settle();
    QCOMPARE(m_stack->activeWindow(), m_home.get());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(TestQtDialogs)
#include "test_qtdialogs.moc"
