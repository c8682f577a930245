// The composer: the phone's keys, by keyboard and by mouse, the screen, undo,
// and the notation round trip composer -> RTTTL -> composer of every melody of
// the sample disc, typed in as its keypad code and saved and opened as a user
// would.
#include "platform/Clock.h"
#include "ringtones/shared/RingtoneText.h"
#include "tests/ringtonetools/ToolFakes.h"
#include "tools/ringtonetools/ComposerWindow.h"
#include "tools/ringtonetools/PlayerBar.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;

namespace {

QStringList sampleMelodies()
{
    QFile file(qEnvironmentVariable("BRIVELLO_SOURCE_DIR") + u"/sampledisc/catalogue/Main.tsv"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const int bieps = static_cast<int>(lines.takeFirst().split(u'\t').indexOf(u"bieps"_s));
    QStringList melodies;
    for (const QString &line : lines)
        melodies << line.split(u'\t').value(bieps).trimmed();
    return melodies;
}

void sendKey(QWidget *target, int key, const QString &text, bool autoRepeat, QEvent::Type type)
{
    QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(target, &event);
}

// Types a keypad code as the code sheets print it: groups of presses, a
// held key written "(5)".
void typeKeypadCode(QWidget *screen, const QString &code)
{
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u' ')
            continue;
        if (c == u'(') {
            const QChar held = code[i + 1];
            const int key = Qt::Key_0 + held.digitValue();
            sendKey(screen, key, held, false, QEvent::KeyPress);
            sendKey(screen, key, held, true, QEvent::KeyPress); // the key stays down
            sendKey(screen, key, held, false, QEvent::KeyRelease);
            i += 2;
            continue;
        }
        QTest::keyClick(screen, c.toLatin1());
    }
}

QString screenOf(const ComposerWindow &window)
{
    return window.tune().screen().join(u' ');
}

} // namespace

class TestComposer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase() { test::useHome(m_home.path()); }

    void keysBuildTheTuneAsOnThePhone()
    {
        ComposerTune tune;
        QVERIFY(tune.pressNote(1));   // 4c1
        QVERIFY(tune.shorter());      // 8c1
        QVERIFY(tune.toggleSharp());  // 8#c1
        QVERIFY(tune.cycleOctave());  // 8#c2, and what follows is in octave 2
        QVERIFY(tune.pressNote(3));   // 4e2
        QVERIFY(!tune.toggleSharp()); // e has no sharp
        QVERIFY(tune.toggleDot());    // 4.e2
        QVERIFY(tune.longer());       // 2.e2
        QVERIFY(tune.longer());       // 1.e2
        QVERIFY(!tune.longer());
        QVERIFY(tune.pressPause()); // 4-
        QVERIFY(!tune.toggleDot()); // pauses have no dot
        QCOMPARE(tune.screen().join(u' '), u"8#c2 1.e2 4-"_s);
        QCOMPARE(tune.octave(), 2);
        // Entries go in after the current one; C deletes the current one.
        QVERIFY(tune.moveLeft());
        QVERIFY(tune.moveLeft());
        QVERIFY(tune.pressNote(7));
        QCOMPARE(tune.screen().join(u' '), u"8#c2 4b2 1.e2 4-"_s);
        QVERIFY(tune.deleteCurrent());
        QCOMPARE(tune.current(), 0);
        QCOMPARE(tune.screen().join(u' '), u"8#c2 1.e2 4-"_s);
        // Undo takes back one change at a time, down to the empty tune.
        QVERIFY(tune.undo());
        QCOMPARE(tune.screen().join(u' '), u"8#c2 4b2 1.e2 4-"_s);
        int steps = 0;
        while (tune.undo())
            ++steps;
        QCOMPARE(steps, 10);
        QVERIFY(tune.screen().isEmpty());
        QCOMPARE(tune.octave(), 1);
    }

    void theWindowByMouseHoldingAKeyDotsItsNote()
    {
        test::ToolFixture fixture(test::sampleDisc());
        ComposerWindow window(fixture.services);
        window.show();
        QTest::mouseClick(&window.keypadButton(u'5'), Qt::LeftButton);
        QTest::mouseClick(&window.keypadButton(u'8'), Qt::LeftButton);
        // Pressed and held past the hold time: the note gets its dot.
        QTest::mousePress(&window.keypadButton(u'6'), Qt::LeftButton);
        fixture.fakes.clock->advance(ComposerWindow::HoldMilliseconds);
        QTest::mouseRelease(&window.keypadButton(u'6'), Qt::LeftButton);
        QTest::mouseClick(&window.keypadButton(u'*'), Qt::LeftButton);
        QTest::mouseClick(&window.keypadButton(u'0'), Qt::LeftButton);
        QCOMPARE(screenOf(window), u"8g1 4.a2 4-"_s);
        QVERIFY(window.screen().text().contains(u"4.a2"_s));
        QCOMPARE(window.keys().text(), u"Tasti da premere sul telefono: 58 (6)* 0"_s);
        // A released key dots nothing, whatever time passes.
        QTest::mouseClick(&window.keypadButton(u'1'), Qt::LeftButton);
        fixture.fakes.clock->advance(10 * ComposerWindow::HoldMilliseconds);
        QCOMPARE(screenOf(window), u"8g1 4.a2 4- 4c2"_s);
        // What a key cannot do is told, and nothing changes.
        QTest::mouseClick(&window.keypadButton(u'<'), Qt::LeftButton);
        QTest::mouseClick(&window.keypadButton(u'#'), Qt::LeftButton);
        QCOMPARE(window.status().text(), u"Il diesis va su una nota."_s);
        QTest::mouseClick(&window.keypadButton(u'C'), Qt::LeftButton);
        QCOMPARE(screenOf(window), u"8g1 4.a2 4c2"_s);
        QTest::mouseClick(&window.undoButton(), Qt::LeftButton);
        QCOMPARE(screenOf(window), u"8g1 4.a2 4- 4c2"_s);
        QTest::keyClick(&window.screen(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(screenOf(window), u"8g1 4.a2 4-"_s);
        fixture.checkUnused();
    }

    void playingAtAnyTimePlaysTheTuneAsItIsNow()
    {
        test::ToolFixture fixture(test::sampleDisc());
        ComposerWindow window(fixture.services);
        window.show();
        window.tempoBox().setValue(120);
        QTest::keyClicks(&window.screen(), u"123"_s);
        QTest::mouseClick(&window.playerBar().playButton(), Qt::LeftButton);
        QCOMPARE(fixture.sound->starts().size(), std::size_t(1));
        // Three quarters at 120 bpm.
        QCOMPARE(fixture.sound->starts()[0].samples.size(), qsizetype(3 * 22050 * 2));
        // A key while it plays changes the tune and stops the old one.
        QTest::keyClick(&window.screen(), '4');
        QVERIFY(!fixture.sound->playing());
        QTest::mouseClick(&window.playerBar().playButton(), Qt::LeftButton);
        QCOMPARE(fixture.sound->starts()[1].samples.size(), qsizetype(4 * 22050 * 2));
        fixture.checkUnused();
    }

    void everySampleMelodyRoundTripsThroughTheComposer()
    {
        const QStringList melodies = sampleMelodies();
        if (melodies.isEmpty())
            QSKIP("sampledisc/catalogue/Main.tsv was not found below BRIVELLO_SOURCE_DIR");
        QCOMPARE(melodies.size(), 192);
        QTemporaryDir files;
        int index = 0;
        for (const QString &rtttl : melodies) {
            const melody::RtttlReading original = melody::readRtttl(rtttl);
            QVERIFY2(original.ok(), qPrintable(rtttl));
            const QString phoneScreen = melody::nokiaScreen(original.melody);
            const QString path = files.filePath(u"brano%1.txt"_s.arg(++index));

            // Typed in as the catalogue's keypad code, the composer shows the
            // catalogue's screen code.
            test::ToolFixture fixture(QString{});
            auto typed = std::make_unique<ComposerWindow>(fixture.services);
            typed->show();
            QTest::keyClicks(&typed->nameBox(), original.melody.name);
            typed->tempoBox().setValue(original.melody.bpm);
            typeKeypadCode(&typed->screen(), melody::nokiaKeypad(original.melody));
            QVERIFY2(screenOf(*typed) == phoneScreen, qPrintable(rtttl + u"\n typed:  "_s + screenOf(*typed) +
                                                                 u"\n screen: "_s + phoneScreen));

            // Saved as RTTTL, the file holds the composer's tune as one line.
            fixture.fakes.saveFileDialog->queueAnswer(path);
            QTest::mouseClick(&typed->saveButton(u"rtttl"_s), Qt::LeftButton);
            const melody::Melody composed = typed->tune().melody();
            QCOMPARE(test::fileBytes(path), ringtones::shared::windows1252Line(melody::writeRtttl(composed)));

            // Opened again, the composer holds the same notes, name and tempo.
            fixture.openDialog->queueAnswer(path);
            auto reopened = std::make_unique<ComposerWindow>(fixture.services);
            reopened->show();
            QTest::mouseClick(&reopened->openButton(), Qt::LeftButton);
            QCOMPARE(screenOf(*reopened), phoneScreen);
            QVERIFY(reopened->tune().melody().notes == composed.notes);
            QCOMPARE(reopened->nameBox().text(), original.melody.name);
            QCOMPARE(reopened->tempoBox().value(), original.melody.bpm);
            fixture.checkUnused();
        }
    }
};

QTEST_MAIN(TestComposer)
#include "test_composer.moc"
