// Musicbox driven as a user would: a file of tunes opened from its own folder,
// a pasted text with slips the reader mends, a text it cannot read, the disc's
// catalogue searched as the ringtone window searches it, and playback with the
// note shown, loop, stop and tempo.
#include "tests/ringtonetools/ToolFakes.h"
#include "tools/ringtonetools/CataloguePicker.h"
#include "tools/ringtonetools/MelodyPlayer.h"
#include "tools/ringtonetools/MusicboxWindow.h"
#include "tools/ringtonetools/PlayerBar.h"
#include "tools/ringtonetools/TuneInput.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;

namespace {

QStringList listed(const QListWidget &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

QStringList titles(const QTreeWidget &results)
{
    QStringList texts;
    for (int i = 0; i < results.topLevelItemCount(); ++i)
        texts << results.topLevelItem(i)->text(0) + u" / "_s + results.topLevelItem(i)->text(1);
    return texts;
}

} // namespace

class TestMusicbox : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_disc;
    std::unique_ptr<test::ToolFixture> m_fixture;
    std::unique_ptr<MusicboxWindow> m_window;

    void type(const QString &text)
    {
        QPlainTextEdit &box = m_window->input().textBox();
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Delete);
        QTest::keyClicks(&box, text);
    }

private Q_SLOTS:
    void initTestCase()
    {
        test::useHome(m_home.path());
        m_disc = test::sampleDisc();
        if (m_disc.isEmpty())
            QSKIP("the sample disc has not been assembled (BRIVELLO_TEST_DISC)");
    }

    void init()
    {
        m_fixture = std::make_unique<test::ToolFixture>(m_disc);
        m_window = std::make_unique<MusicboxWindow>(m_fixture->services);
        m_window->show();
    }

    void cleanup()
    {
        m_window.reset();
        if (m_fixture)
            m_fixture->checkUnused();
        m_fixture.reset();
    }

    void opensTheTunesOfAFileFromItsOwnFolderAndPlaysTheOneChosen()
    {
        const QString folder = m_disc + u"/tools/Musicbox"_s;
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder);
        m_fixture->openDialog->queueAnswer(folder + u"/brani.txt"_s);
        QTest::mouseClick(&m_window->input().openButton(), Qt::LeftButton);
        QDir::setCurrent(before);
        QCOMPARE(m_fixture->openDialog->calls().front().startFolder, QDir(folder).canonicalPath());
        // The three tunes of the file, the first in the box.
        QComboBox &choice = m_window->input().tuneChoice();
        QVERIFY(choice.isVisible());
        QCOMPARE(choice.count(), 3);
        QVERIFY(m_window->input().textBox().toPlainText().startsWith(u"FurElise:"_s));
        QCOMPARE(m_window->input().origin().text(), u"Dal file brani.txt (3 brani)"_s);
        choice.setCurrentIndex(1);
        Q_EMIT choice.activated(1);
        QVERIFY(m_window->input().textBox().toPlainText().startsWith(u"Gioia:"_s));
        QCOMPARE(listed(m_window->input().notes()), QStringList{u"Suoneria letta senza correzioni."_s});
        QCOMPARE(m_window->playerBar().tempoBox().value(), 120);

        QTest::mouseClick(&m_window->playerBar().playButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->sound->starts().size(), std::size_t(1));
        // The 30 notes of Gioia last 16 seconds at 120 bpm.
        QCOMPARE(m_fixture->sound->starts()[0].samples.size(), qsizetype(44100 * 16 * 2));
        QCOMPARE(m_window->playerBar().noteLabel().text(), u"1/30  4e5  (mi, ottava 5, un quarto)"_s);
        // The thirteenth note, a dotted e, sounds from 6 s to 6.75 s.
        m_fixture->sound->setHeard(6100);
        m_fixture->fakes.clock->advance(MelodyPlayer::TickMilliseconds);
        QCOMPARE(m_window->playerBar().noteLabel().text(),
                 u"13/30  4e5.  (mi, ottava 5, un quarto puntato)"_s);
        QVERIFY(m_window->playerBar().stopButton().isEnabled());
        QTest::mouseClick(&m_window->playerBar().stopButton(), Qt::LeftButton);
        QVERIFY(!m_fixture->sound->playing());
        QVERIFY(m_window->playerBar().noteLabel().text().isEmpty());
        QVERIFY(!m_window->playerBar().stopButton().isEnabled());
    }

    void everyFixOfTheReaderIsListedInPlainItalian()
    {
        QGuiApplication::clipboard()->setText(
            u"Ciao, ecco la suoneria:\r\nProva:d=4,o=5,b=100:8c.6,D,h,-,16e#\r\n"_s);
        QTest::mouseClick(&m_window->input().pasteButton(), Qt::LeftButton);
        // The line of prose around it is left out.
        QCOMPARE(m_window->input().textBox().toPlainText(), u"Prova:d=4,o=5,b=100:8c.6,D,h,-,16e#"_s);
        QVERIFY(!m_window->input().tuneChoice().isVisible());
        QCOMPARE(listed(m_window->input().notes()),
                 (QStringList{u"Corretto: Maiuscole lette come minuscole."_s,
                              u"Corretto: Punto prima dell'ottava spostato dopo."_s,
                              u"Corretto: 'h' letto come 'b'."_s, u"Corretto: '-' letto come pausa 'p'."_s,
                              u"Corretto: e# letto come f."_s}));
        QVERIFY(m_window->playerBar().playButton().isEnabled());
    }

    void aTextItCannotReadSaysWhereAndWhy()
    {
        type(u"Rotta:d=4,o=5,b=100:c,d,x9,e"_s);
        const QStringList notes = listed(m_window->input().notes());
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.front(),
                 u"Non si può leggere: Nota 3 non valida: «x9». Il motivo: «x» non è una nota: le note "
                 "sono a, b, c, d, e, f, g (h per il si) e p per la pausa."_s);
        // The faulty note is marked in the text, which stays as typed.
        const auto marks = m_window->input().textBox().extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks.front().cursor.selectedText(), u"x9"_s);
        QCOMPARE(m_window->input().textBox().toPlainText(), u"Rotta:d=4,o=5,b=100:c,d,x9,e"_s);
        QVERIFY(!m_window->playerBar().playButton().isEnabled());
        type(u"Rotta:d=4,o=5,b=100:c,d,8c#6x,e"_s);
        QVERIFY(listed(m_window->input().notes())
                    .front()
                    .endsWith(u"dopo «8c#6» viene «x», che non fa parte di una nota: una nota è "
                              "durata, lettera, # per il diesis, ottava e punto, come 8c#6."_s));
        type(u"Senza note"_s);
        QCOMPARE(listed(m_window->input().notes()),
                 QStringList{u"Non si può leggere: Manca il separatore ':' tra nome, impostazioni e "
                             "note."_s});
        QVERIFY(m_window->input().textBox().extraSelections().isEmpty());
    }

    void theCatalogueIsSearchedAsTheRingtoneWindowSearchesIt()
    {
        CataloguePicker &picker = m_window->catalogue();
        QVERIFY(picker.hasCatalogue());
        m_window->tabs().setCurrentWidget(&picker);
        QCOMPARE(picker.methods().currentText(), u"Artista"_s);
        // "Mozzart" begins no name; the contains pass finds nothing either,
        // and no variant applies: nothing found, and said so.
        QTest::keyClicks(&picker.searchBox(), u"mozzart"_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QCOMPARE(picker.results().topLevelItemCount(), 0);
        QCOMPARE(picker.status().text(), u"Nessuna suoneria trovata."_s);
        // "Tchaikovsky" is found by its variant with i.
        picker.searchBox().clear();
        QTest::keyClicks(&picker.searchBox(), u"tchaykovsky"_s);
        QTest::keyClick(&picker.searchBox(), Qt::Key_Return);
        QVERIFY(picker.results().topLevelItemCount() > 0);
        for (int i = 0; i < picker.results().topLevelItemCount(); ++i)
            QCOMPARE(picker.results().topLevelItem(i)->text(1), u"Tchaikovsky"_s);
        // A two-field method with only the title goes on as a title search.
        picker.methods().setCurrentText(u"Titolo + Artista"_s);
        QVERIFY(picker.titleBox().isVisible());
        QVERIFY(!picker.searchBox().isVisible());
        QTest::keyClicks(&picker.titleBox(), u"inno alla"_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QCOMPARE(picker.methods().currentText(), u"Titolo"_s);
        QVERIFY(picker.searchBox().isVisible());
        QCOMPARE(picker.searchBox().text(), u"inno alla"_s);
        QCOMPARE(titles(picker.results()),
                 (QStringList{u"Inno alla gioia / Beethoven"_s, u"Inno alla gioia / Banda Soldara"_s}));
        // A quote or a bracket in the text ends the search like one that found nothing.
        picker.searchBox().setText(u"["_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QCOMPARE(picker.status().text(), u"Nessuna suoneria trovata."_s);

        // Picking a ringtone is asking to hear it.
        picker.searchBox().setText(u"inno alla"_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QTest::mouseClick(&picker.pickButton(), Qt::LeftButton);
        QCOMPARE(m_window->tabs().currentIndex(), 0);
        QVERIFY(m_window->input().textBox().toPlainText().startsWith(u"Gioia:d=4,o=5,b=120:"_s));
        QCOMPARE(m_window->input().origin().text(), u"Dal catalogo: Inno alla gioia – Beethoven"_s);
        QCOMPARE(m_fixture->sound->starts().size(), std::size_t(1));
        QVERIFY(m_fixture->sound->playing());
    }

    void loopsUntilStoppedAndTheTempoChangesAsItPlays()
    {
        type(u"Due:d=4,o=5,b=60:c,d"_s);
        QTest::mouseClick(&m_window->playerBar().loopBox(), Qt::LeftButton);
        QTest::mouseClick(&m_window->playerBar().playButton(), Qt::LeftButton);
        m_fixture->sound->setHeard(1500);
        m_fixture->fakes.clock->advance(MelodyPlayer::TickMilliseconds);
        QVERIFY(m_window->playerBar().noteLabel().text().startsWith(u"2/2"_s));
        // Twice as fast from the second note on.
        m_window->playerBar().tempoBox().setValue(120);
        QCOMPARE(m_fixture->sound->starts().size(), std::size_t(2));
        QCOMPARE(m_fixture->sound->starts()[1].samples.size(), qsizetype(22050 * 2));
        // At the end it starts again, and again, until stopped.
        for (int round = 0; round < 2; ++round) {
            m_fixture->sound->finish();
            m_fixture->fakes.clock->advance(MelodyPlayer::TickMilliseconds);
            QVERIFY(m_window->playerBar().noteLabel().text().startsWith(u"1/2"_s));
        }
        QCOMPARE(m_fixture->sound->starts().size(), std::size_t(4));
        QCOMPARE(m_fixture->sound->starts()[3].samples.size(), qsizetype(2 * 22050 * 2));
        QTest::mouseClick(&m_window->playerBar().stopButton(), Qt::LeftButton);
        m_fixture->sound->finish();
        m_fixture->fakes.clock->advance(10 * MelodyPlayer::TickMilliseconds);
        QCOMPARE(m_fixture->sound->starts().size(), std::size_t(4));
    }

    void noSoundIsToldAndThePlayerRests()
    {
        type(u"Uno:d=4,o=5,b=60:c"_s);
        m_fixture->sound->failNext(u"Nessuna uscita audio sul computer: la suoneria non si può "
                                   "ascoltare."_s);
        QTest::mouseClick(&m_window->playerBar().playButton(), Qt::LeftButton);
        QCOMPARE(m_window->status().text(),
                 u"Nessuna uscita audio sul computer: la suoneria non si può ascoltare."_s);
        QVERIFY(!m_window->playerBar().stopButton().isEnabled());
        QVERIFY(m_window->playerBar().noteLabel().text().isEmpty());
    }
};

QTEST_MAIN(TestMusicbox)
#include "test_musicbox.moc"
