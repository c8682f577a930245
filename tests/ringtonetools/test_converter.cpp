// Convertitore RTTTL driven as a user would: the five codes of every ringtone
// of the sample disc are the ones its catalogue shows, the fit table has a
// row per phone model, and the saves land on disk whole.
#include "data/Catalogue.h"
#include "data/DiscPaths.h"
#include "ringtones/shared/RingtoneText.h"
#include "tests/ringtonetools/ToolFakes.h"
#include "tools/ringtonetools/ConverterWindow.h"
#include "tools/ringtonetools/SaveFormats.h"
#include "tools/ringtonetools/TuneInput.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;

class TestConverter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_disc;
    std::unique_ptr<test::ToolFixture> m_fixture;
    std::unique_ptr<ConverterWindow> m_window;

    QString target(const QString &name) const { return m_home.filePath(name); }

    void lastMessageIs(const QString &start)
    {
        QVERIFY(!m_fixture->fakes.messageBox->shown().empty());
        const QString text = m_fixture->fakes.messageBox->shown().back().text;
        QVERIFY2(text.startsWith(start), qPrintable(text));
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
        m_window = std::make_unique<ConverterWindow>(m_fixture->services);
        m_window->show();
    }

    void cleanup()
    {
        m_window.reset();
        if (m_fixture)
            m_fixture->checkUnused();
        m_fixture.reset();
    }

    void theCodesOfEveryRingtoneAreTheCataloguesOwn()
    {
        const auto catalogue =
            data::Catalogue::open(data::discPath(m_disc, u".\\datafiles\\ringtones.dat"_s));
        const auto main = catalogue->table(u"Main"_s);
        const QStringList fields{u"nokia_hand"_s, u"nokia_scherm"_s, u"siemens"_s, u"ericsson"_s,
                                 u"motorola"_s};
        QCOMPARE(main->rowCount(), std::size_t(192));
        for (const QStringList &row : main->rows()) {
            const QString rtttl = row.value(main->column(u"bieps"));
            m_window->input().textBox().setPlainText(rtttl);
            for (int i = 0; i < fields.size(); ++i)
                QVERIFY2(m_window->code(i).toPlainText() == row.value(main->column(fields[i])),
                         qPrintable(fields[i] + u" of "_s + rtttl));
            QCOMPARE(m_window->fitTable().rowCount(), 5);
        }
    }

    void theFitTableHasARowPerPhoneWithItsVerdict()
    {
        QTest::keyClicks(&m_window->input().textBox(),
                         u"FurElise:d=8,o=5,b=125:e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,g#,b,"
                         "4c6,p,e,e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,c6,b,4a"_s);
        QCOMPARE(m_window->summary().text(), u"«FurElise»: 40 note, tempo 125 bpm, dura 11,0 secondi."_s);
        const QTableWidget &table = m_window->fitTable();
        QCOMPARE(table.columnCount(), 5);
        QCOMPARE(table.horizontalHeaderItem(2)->text(), u"Esito"_s);
        QStringList rows;
        for (int row = 0; row < table.rowCount(); ++row)
            rows << table.item(row, 0)->text() + u": "_s + table.item(row, 1)->text() + u", "_s +
                        table.item(row, 2)->text();
        // Its eighths (240 ms) and quarters (480 ms) lie within a tenth of the
        // Ericsson's 225 and 450 ms: it fits there as it is.
        QCOMPARE(rows, (QStringList{u"Nokia 3210: 40 su 50, Entra così com'è"_s,
                                    u"Nokia 3310: 40 su 50, Entra così com'è"_s,
                                    u"Ericsson T39: 40 su 40, Entra così com'è"_s,
                                    u"Siemens C35: 40 (limite non noto), Da verificare"_s,
                                    u"Motorola V220: 40 (limite non noto), Da verificare"_s}));
        QCOMPARE(table.item(3, 4)->text(), u"Non noti: numero di note, durate, ottave."_s);
        // Twice as slow, the Ericsson has no length near its quarters: they
        // are held by trails of pauses, which make the melody too long.
        QPlainTextEdit &box = m_window->input().textBox();
        box.setPlainText(box.toPlainText().replace(u"b=125"_s, u"b=63"_s));
        QCOMPARE(table.item(2, 2)->text(), u"Troppo lunga"_s);
        QVERIFY(table.item(2, 4)->text().startsWith(u"Troppe note: "_s));
        QVERIFY(table.item(2, 4)->text().contains(u"lunghezze di 150, 225, 300, 450 ms"_s));
        QCOMPARE(table.item(0, 2)->text(), u"Entra così com'è"_s);
        QVERIFY(table.item(0, 1)->toolTip().contains(u"50 note"_s));
        // 40 notes take one Smart Messaging SMS; 120 take two.
        QCOMPARE(table.horizontalHeaderItem(3)->text(), u"Via SMS"_s);
        QCOMPARE(table.item(4, 3)->text(), u"1 SMS"_s);
        QVERIFY(table.item(4, 3)->toolTip().startsWith(u"Entra in un solo SMS"_s));
        box.setPlainText(u"Lunga:d=8,o=5,b=125:"_s + QStringList(40, u"c,e6,g"_s).join(u','));
        QCOMPARE(table.item(0, 3)->text(), u"2 SMS concatenati"_s);
        QVERIFY(table.item(0, 3)->toolTip().startsWith(u"Occupa 2 SMS concatenati"_s));
    }

    void savesTheRingtoneFilesOfThePhones()
    {
        QTest::keyClicks(&m_window->input().textBox(), u"Test:d=4,o=5,b=125:8c,8d,e,2g.,8p,c6"_s);
        QStringList labels;
        for (int i = 1; i <= 3; ++i)
            labels << m_window->saveButton(i).text();
        QCOMPARE(labels.join(u'|'),
                 u"Salva come Smart Messaging (.ott)…|Salva come iMelody (.imy)…|Salva come MIDI (.mid)…"_s);

        // The very bytes the SMS tool sends, without their header.
        m_fixture->fakes.saveFileDialog->queueAnswer(target(u"test.ott"_s));
        QTest::mouseClick(&m_window->saveButton(1), Qt::LeftButton);
        QCOMPARE(test::fileBytes(target(u"test.ott"_s)),
                 QByteArray::fromHex("024A3A515195CDD0040A149647116136154182906288A000"));

        m_fixture->fakes.saveFileDialog->queueAnswer(target(u"test.imy"_s));
        QTest::mouseClick(&m_window->saveButton(2), Qt::LeftButton);
        const QByteArray imy = test::fileBytes(target(u"test.imy"_s));
        QVERIFY2(imy.startsWith("BEGIN:IMELODY\r\nVERSION:1.2\r\n"), imy.constData());
        QVERIFY2(imy.contains("BEAT:125\r\n"), imy.constData());
        // iMelody's octave *4 holds a = 880 Hz, RTTTL's octave 5.
        QVERIFY2(imy.contains("MELODY:c3d3e2g1.r3*5c2\r\n"), imy.constData());

        m_fixture->fakes.saveFileDialog->queueAnswer(target(u"test.mid"_s));
        QTest::mouseClick(&m_window->saveButton(3), Qt::LeftButton);
        const QByteArray mid = test::fileBytes(target(u"test.mid"_s));
        QCOMPARE(mid.left(14), QByteArray::fromHex("4D546864000000060000000100"
                                                   "60"));
        // c5 is MIDI note 72 (523 Hz), a quarter 96 ticks, 480000 µs at 125 bpm.
        QVERIFY(mid.contains(QByteArray::fromHex("00FF5103075300")));
        QVERIFY(mid.contains(QByteArray::fromHex("00904864"
                                                 "30804800")));
        QVERIFY(mid.endsWith(QByteArray::fromHex("00FF2F00")));
        QVERIFY(m_fixture->fakes.messageBox->shown().empty());
    }

    void savesRtttlAsTheCataloguesSavesAndWavForTodaysPhones()
    {
        // Typed with an accent the keyboard simulation cannot type: pasted.
        m_window->input().textBox().insertPlainText(u"Più bella:d=4,o=5,b=100:c,8e.,p,16g#6"_s);
        QCOMPARE(m_window->saveButtonCount(), 5);
        // An old file of that name is replaced whole.
        QFile old(target(u"bella.txt"_s));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("una suoneria vecchia e più lunga\r\nsu due righe\r\n");
        old.close();
        m_fixture->fakes.saveFileDialog->queueAnswer(target(u"bella.txt"_s));
        QTest::mouseClick(&m_window->saveButton(0), Qt::LeftButton);
        QCOMPARE(test::fileBytes(target(u"bella.txt"_s)),
                 QByteArray("Pi\xf9 bella:d=4,o=5,b=100:c,8e.,p,16g#6\r\n"));
        QCOMPARE(m_window->status().text(),
                 u"Suoneria salvata in «"_s + QDir::toNativeSeparators(target(u"bella.txt"_s)) + u"»."_s);
        const platform::SaveFileRequest &asked = m_fixture->fakes.saveFileDialog->calls().back();
        QCOMPARE(asked.filter, u"Suoneria RTTTL (*.txt)"_s);
        QCOMPARE(asked.defaultExtension, u"txt"_s);
        QVERIFY(asked.startFolder.endsWith(u"/Più bella.txt"_s));

        m_fixture->fakes.saveFileDialog->queueAnswer(target(u"bella.wav"_s));
        QTest::mouseClick(&m_window->saveButton(4), Qt::LeftButton);
        const QByteArray wav = test::fileBytes(target(u"bella.wav"_s));
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), quint32(44100));
        QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 34), quint16(16));
        // 0.6 + 0.45 + 0.6 + 0.15 seconds.
        QCOMPARE(wav.size(), qsizetype(44 + 2 * std::llround(1.8 * 44100)));

        // A reader that is not ours agrees: Python's wave module.
        const QString python = QStandardPaths::findExecutable(u"python3"_s);
        if (!python.isEmpty()) {
            QProcess reader;
            reader.start(python, {u"-c"_s,
                                  u"import sys, wave\n"
                                  "w = wave.open(sys.argv[1])\n"
                                  "print(w.getnchannels(), w.getsampwidth(), w.getframerate(), "
                                  "w.getnframes(), len(w.readframes(w.getnframes())))"_s,
                                  target(u"bella.wav"_s)});
            QVERIFY(reader.waitForFinished(30000));
            QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()).trimmed(),
                     u"1 2 44100 79380 158760"_s);
        } else {
            qInfo("python3 is missing: the WAV file is not read back by another reader here");
        }

        // Cancelling the dialog writes nothing.
        m_fixture->fakes.saveFileDialog->queueAnswer(QString());
        QTest::mouseClick(&m_window->saveButton(4), Qt::LeftButton);
        QVERIFY(m_fixture->fakes.messageBox->shown().empty());
    }

    void aSaveThatFailsSaysSoAndLeavesNoFile()
    {
        QTest::keyClicks(&m_window->input().textBox(), u"Uno:d=4,o=5,b=100:c"_s);
        const QString nowhere = target(u"non esiste/uno.txt"_s);
        m_fixture->fakes.saveFileDialog->queueAnswer(nowhere);
        m_fixture->fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
        QTest::mouseClick(&m_window->saveButton(0), Qt::LeftButton);
        lastMessageIs(u"Impossibile scrivere il file «"_s + QDir::toNativeSeparators(nowhere) + u"»"_s);
        QVERIFY(!QFileInfo::exists(nowhere));
        // A folder in the file's place is no file to replace.
        QDir().mkpath(target(u"cartella.txt"_s));
        QString error;
        QVERIFY(!writeAtomically(target(u"cartella.txt"_s), "x", &error));
        QVERIFY2(error.startsWith(u"Impossibile scrivere il file «"_s), qPrintable(error));
        QVERIFY(QFileInfo(target(u"cartella.txt"_s)).isDir());
    }

    void opensFilesInWindows1252OrUtf8AndRefusesWhatIsNoRingtone()
    {
        const QByteArray tune = ":d=4,o=5,b=100:c,e,g\r\n";
        const QString latin = target(u"latino.txt"_s);
        const QString utf8 = target(u"utf8.txt"_s);
        QFile file(latin);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Pi\xf9 forte" + tune);
        file.close();
        file.setFileName(utf8);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xef\xbb\xbf"
                   "Cos\xc3\xac" +
                   tune);
        file.close();
        for (const auto &[path, name] : {std::pair{latin, u"Più forte"_s}, std::pair{utf8, u"Così"_s}}) {
            m_fixture->openDialog->queueAnswer(path);
            QTest::mouseClick(&m_window->input().openButton(), Qt::LeftButton);
            QVERIFY2(m_window->summary().text().startsWith(u"«"_s + name + u"»"_s),
                     qPrintable(m_window->summary().text()));
        }
        // A file with no ringtone in it, or no file at all, is told and changes nothing.
        const QString prose = target(u"prosa.txt"_s);
        file.setFileName(prose);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Solo parole, nessuna suoneria.\r\n");
        file.close();
        m_fixture->openDialog->queueAnswer(prose);
        m_fixture->fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
        QTest::mouseClick(&m_window->input().openButton(), Qt::LeftButton);
        lastMessageIs(u"«"_s + QDir::toNativeSeparators(prose) + u"» non contiene suonerie"_s);
        m_fixture->openDialog->queueAnswer(m_home.path());
        m_fixture->fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
        QTest::mouseClick(&m_window->input().openButton(), Qt::LeftButton);
        lastMessageIs(u"«"_s + QDir::toNativeSeparators(m_home.path()) + u"» non è un file."_s);
        QVERIFY(m_window->summary().text().startsWith(u"«Così»"_s));
    }

    void nothingToConvertNothingToSave()
    {
        QTest::keyClicks(&m_window->input().textBox(), u"solo parole"_s);
        for (int i = 0; i < m_window->saveButtonCount(); ++i)
            QVERIFY(!m_window->saveButton(i).isEnabled());
        QCOMPARE(m_window->fitTable().rowCount(), 0);
        QVERIFY(m_window->code(0).toPlainText().isEmpty());
    }
};

QTEST_MAIN(TestConverter)
#include "test_converter.moc"
