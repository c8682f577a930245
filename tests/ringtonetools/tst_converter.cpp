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
            data::Catalogue::open(data::discPath(m_disc, QStringLiteral(".\\datafiles\\ringtones.dat")));
        const auto main = catalogue->table(QStringLiteral("Main"));
        const QStringList fields{QStringLiteral("nokia_hand"), QStringLiteral("nokia_scherm"),
                                 QStringLiteral("siemens"), QStringLiteral("ericsson"),
                                 QStringLiteral("motorola")};
        QCOMPARE(main->rowCount(), std::size_t(192));
        for (const QStringList &row : main->rows()) {
            const QString rtttl = row.value(main->column(u"bieps"));
            m_window->input().textBox().setPlainText(rtttl);
            for (int i = 0; i < fields.size(); ++i)
                QVERIFY2(m_window->code(i).toPlainText() == row.value(main->column(fields[i])),
                         qPrintable(fields[i] + QStringLiteral(" of ") + rtttl));
            QCOMPARE(m_window->fitTable().rowCount(), 5);
        }
    }

    void theFitTableHasARowPerPhoneWithItsVerdict()
    {
        QTest::keyClicks(
            &m_window->input().textBox(),
            QStringLiteral("FurElise:d=8,o=5,b=125:e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,g#,b,"
                           "4c6,p,e,e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,c6,b,4a"));
        QCOMPARE(m_window->summary().text(),
                 QStringLiteral("«FurElise»: 40 note, tempo 125 bpm, dura 11,0 secondi."));
        const QTableWidget &table = m_window->fitTable();
        QCOMPARE(table.columnCount(), 5);
        QCOMPARE(table.horizontalHeaderItem(2)->text(), QStringLiteral("Esito"));
        QStringList rows;
        for (int row = 0; row < table.rowCount(); ++row)
            rows << table.item(row, 0)->text() + QStringLiteral(": ") + table.item(row, 1)->text() +
                        QStringLiteral(", ") + table.item(row, 2)->text();
        // Its eighths (240 ms) and quarters (480 ms) lie within a tenth of the
        // Ericsson's 225 and 450 ms: it fits there as it is.
        QCOMPARE(rows, (QStringList{QStringLiteral("Nokia 3210: 40 su 50, Entra così com'è"),
                                    QStringLiteral("Nokia 3310: 40 su 50, Entra così com'è"),
                                    QStringLiteral("Ericsson T39: 40 su 40, Entra così com'è"),
                                    QStringLiteral("Siemens C35: 40 (limite non noto), Da verificare"),
                                    QStringLiteral("Motorola V220: 40 (limite non noto), Da verificare")}));
        QCOMPARE(table.item(3, 4)->text(), QStringLiteral("Non noti: numero di note, durate, ottave."));
        // Twice as slow, the Ericsson has no length near its quarters: they
        // are held by trails of pauses, which make the melody too long.
        QPlainTextEdit &box = m_window->input().textBox();
        box.setPlainText(box.toPlainText().replace(QStringLiteral("b=125"), QStringLiteral("b=63")));
        QCOMPARE(table.item(2, 2)->text(), QStringLiteral("Troppo lunga"));
        QVERIFY(table.item(2, 4)->text().startsWith(QStringLiteral("Troppe note: ")));
        QVERIFY(table.item(2, 4)->text().contains(QStringLiteral("lunghezze di 150, 225, 300, 450 ms")));
        QCOMPARE(table.item(0, 2)->text(), QStringLiteral("Entra così com'è"));
        QVERIFY(table.item(0, 1)->toolTip().contains(QStringLiteral("50 note")));
        // 40 notes take one Smart Messaging SMS; 120 take two.
        QCOMPARE(table.horizontalHeaderItem(3)->text(), QStringLiteral("Via SMS"));
        QCOMPARE(table.item(4, 3)->text(), QStringLiteral("1 SMS"));
        QVERIFY(table.item(4, 3)->toolTip().startsWith(QStringLiteral("Entra in un solo SMS")));
        box.setPlainText(QStringLiteral("Lunga:d=8,o=5,b=125:") +
                         QStringList(40, QStringLiteral("c,e6,g")).join(u','));
        QCOMPARE(table.item(0, 3)->text(), QStringLiteral("2 SMS concatenati"));
        QVERIFY(table.item(0, 3)->toolTip().startsWith(QStringLiteral("Occupa 2 SMS concatenati")));
    }

    void savesTheRingtoneFilesOfThePhones()
    {
        QTest::keyClicks(&m_window->input().textBox(),
                         QStringLiteral("Test:d=4,o=5,b=125:8c,8d,e,2g.,8p,c6"));
        QStringList labels;
        for (int i = 1; i <= 3; ++i)
            labels << m_window->saveButton(i).text();
        QCOMPARE(
            labels.join(u'|'),
            QStringLiteral(
                "Salva come Smart Messaging (.ott)…|Salva come iMelody (.imy)…|Salva come MIDI (.mid)…"));

        // The very bytes the SMS tool sends, without their header.
        m_fixture->fakes.saveFileDialog->queueAnswer(target(QStringLiteral("test.ott")));
        QTest::mouseClick(&m_window->saveButton(1), Qt::LeftButton);
        QCOMPARE(test::fileBytes(target(QStringLiteral("test.ott"))),
                 QByteArray::fromHex("024A3A515195CDD0040A149647116136154182906288A000"));

        m_fixture->fakes.saveFileDialog->queueAnswer(target(QStringLiteral("test.imy")));
        QTest::mouseClick(&m_window->saveButton(2), Qt::LeftButton);
        const QByteArray imy = test::fileBytes(target(QStringLiteral("test.imy")));
        QVERIFY2(imy.startsWith("BEGIN:IMELODY\r\nVERSION:1.2\r\n"), imy.constData());
        QVERIFY2(imy.contains("BEAT:125\r\n"), imy.constData());
        // iMelody's octave *4 holds a = 880 Hz, RTTTL's octave 5.
        QVERIFY2(imy.contains("MELODY:c3d3e2g1.r3*5c2\r\n"), imy.constData());

        m_fixture->fakes.saveFileDialog->queueAnswer(target(QStringLiteral("test.mid")));
        QTest::mouseClick(&m_window->saveButton(3), Qt::LeftButton);
        const QByteArray mid = test::fileBytes(target(QStringLiteral("test.mid")));
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
        m_window->input().textBox().insertPlainText(QStringLiteral("Più bella:d=4,o=5,b=100:c,8e.,p,16g#6"));
        QCOMPARE(m_window->saveButtonCount(), 5);
        // An old file of that name is replaced whole.
        QFile old(target(QStringLiteral("bella.txt")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("una suoneria vecchia e più lunga\r\nsu due righe\r\n");
        old.close();
        m_fixture->fakes.saveFileDialog->queueAnswer(target(QStringLiteral("bella.txt")));
        QTest::mouseClick(&m_window->saveButton(0), Qt::LeftButton);
        QCOMPARE(test::fileBytes(target(QStringLiteral("bella.txt"))),
                 QByteArray("Pi\xf9 bella:d=4,o=5,b=100:c,8e.,p,16g#6\r\n"));
        QCOMPARE(m_window->status().text(),
                 QStringLiteral("Suoneria salvata in «") +
                     QDir::toNativeSeparators(target(QStringLiteral("bella.txt"))) + QStringLiteral("»."));
        const platform::SaveFileRequest &asked = m_fixture->fakes.saveFileDialog->calls().back();
        QCOMPARE(asked.filter, QStringLiteral("Suoneria RTTTL (*.txt)"));
        QCOMPARE(asked.defaultExtension, QStringLiteral("txt"));
        QVERIFY(asked.startFolder.endsWith(QStringLiteral("/Più bella.txt")));

        m_fixture->fakes.saveFileDialog->queueAnswer(target(QStringLiteral("bella.wav")));
        QTest::mouseClick(&m_window->saveButton(4), Qt::LeftButton);
        const QByteArray wav = test::fileBytes(target(QStringLiteral("bella.wav")));
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), quint32(44100));
        QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 34), quint16(16));
        // 0.6 + 0.45 + 0.6 + 0.15 seconds.
        QCOMPARE(wav.size(), qsizetype(44 + 2 * std::llround(1.8 * 44100)));

        // A reader that is not ours agrees: Python's wave module.
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (!python.isEmpty()) {
            QProcess reader;
            reader.start(python,
                         {QStringLiteral("-c"),
                          QStringLiteral("import sys, wave\n"
                                         "w = wave.open(sys.argv[1])\n"
                                         "print(w.getnchannels(), w.getsampwidth(), w.getframerate(), "
                                         "w.getnframes(), len(w.readframes(w.getnframes())))"),
                          target(QStringLiteral("bella.wav"))});
            QVERIFY(reader.waitForFinished(30000));
            QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()).trimmed(),
                     QStringLiteral("1 2 44100 79380 158760"));
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
        QTest::keyClicks(&m_window->input().textBox(), QStringLiteral("Uno:d=4,o=5,b=100:c"));
        const QString nowhere = target(QStringLiteral("non esiste/uno.txt"));
        m_fixture->fakes.saveFileDialog->queueAnswer(nowhere);
        m_fixture->fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
        QTest::mouseClick(&m_window->saveButton(0), Qt::LeftButton);
        lastMessageIs(QStringLiteral("Impossibile scrivere il file «") + QDir::toNativeSeparators(nowhere) +
                      QStringLiteral("»"));
        QVERIFY(!QFileInfo::exists(nowhere));
        // A folder in the file's place is no file to replace.
        QDir().mkpath(target(QStringLiteral("cartella.txt")));
        QString error;
        QVERIFY(!writeAtomically(target(QStringLiteral("cartella.txt")), "x", &error));
        QVERIFY2(error.startsWith(QStringLiteral("Impossibile scrivere il file «")), qPrintable(error));
        QVERIFY(QFileInfo(target(QStringLiteral("cartella.txt"))).isDir());
    }

    void opensFilesInWindows1252OrUtf8AndRefusesWhatIsNoRingtone()
    {
        const QByteArray tune = ":d=4,o=5,b=100:c,e,g\r\n";
        const QString latin = target(QStringLiteral("latino.txt"));
        const QString utf8 = target(QStringLiteral("utf8.txt"));
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
        for (const auto &[path, name] :
             {std::pair{latin, QStringLiteral("Più forte")}, std::pair{utf8, QStringLiteral("Così")}}) {
            m_fixture->openDialog->queueAnswer(path);
            QTest::mouseClick(&m_window->input().openButton(), Qt::LeftButton);
            QVERIFY2(m_window->summary().text().startsWith(QStringLiteral("«") + name + QStringLiteral("»")),
                     qPrintable(m_window->summary().text()));
        }
        // A file with no ringtone in it, or no file at all, is told and changes nothing.
        const QString prose = target(QStringLiteral("prosa.txt"));
        file.setFileName(prose);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Solo parole, nessuna suoneria.\r\n");
        file.close();
        m_fixture->openDialog->queueAnswer(prose);
        m_fixture->fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
        QTest::mouseClick(&m_window->input().openButton(), Qt::LeftButton);
        lastMessageIs(QStringLiteral("«") + QDir::toNativeSeparators(prose) +
                      QStringLiteral("» non contiene suonerie"));
        m_fixture->openDialog->queueAnswer(m_home.path());
        m_fixture->fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
        QTest::mouseClick(&m_window->input().openButton(), Qt::LeftButton);
        lastMessageIs(QStringLiteral("«") + QDir::toNativeSeparators(m_home.path()) +
                      QStringLiteral("» non è un file."));
        QVERIFY(m_window->summary().text().startsWith(QStringLiteral("«Così»")));
    }

    void nothingToConvertNothingToSave()
    {
        QTest::keyClicks(&m_window->input().textBox(), QStringLiteral("solo parole"));
        for (int i = 0; i < m_window->saveButtonCount(); ++i)
            QVERIFY(!m_window->saveButton(i).isEnabled());
        QCOMPARE(m_window->fitTable().rowCount(), 0);
        QVERIFY(m_window->code(0).toPlainText().isEmpty());
    }
};

QTEST_MAIN(TestConverter)
#include "tst_converter.moc"
