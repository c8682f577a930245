// Every melody of the sample disc, saved by the tools in each phone format,
// read back by a reader that is not the file's writer: Debian's gammu
// command for RTTTL and Smart Messaging, mido for MIDI, and a reader of the
// iMelody grammar written apart from libGammu's writer (gammu 1.42 reads
// neither iMelody nor MIDI). A reader that is absent is skipped, saying so.
#include "data/Catalogue.h"
#include "data/DiscPaths.h"
#include "phone/RingtoneFiles.h"
#include "phone/RingtoneMessage.h"
#include "tests/ringtonetools/ToolFakes.h"
#include "tools/ringtonetools/SaveFormats.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;
using melody::Melody;
using melody::Note;

namespace {

QString noteText(const Note &note)
{
    const QString dot = note.dotted ? u"."_s : QString();
    if (note.isPause())
        return u"%1p%2"_s.arg(note.duration).arg(dot);
    return u"%1:%2/%3%4"_s.arg(note.pitch).arg(note.octave).arg(note.duration).arg(dot);
}

QStringList noteTexts(const std::vector<Note> &notes)
{
    QStringList texts;
    for (const Note &note : notes)
        texts << noteText(note);
    return texts;
}

// The notes a Smart Messaging ringtone carries of `tune`: no leading pause,
// a dotted pause as two, and no more notes than the message holds.
std::vector<Note> smartNotes(const Melody &tune, int notesSent)
{
    std::vector<Note> notes;
    for (const Note &note : tune.notes) {
        if (note.isPause() && notes.empty())
            continue;
        if (note.isPause() && note.dotted) {
            Note plain = note;
            plain.dotted = false;
            notes.push_back(plain);
            if (note.duration < 32) {
                plain.duration *= 2;
                notes.push_back(plain);
            }
            continue;
        }
        notes.push_back(note);
    }
    notes.resize(std::min(notes.size(), static_cast<std::size_t>(notesSent)));
    return notes;
}

struct Run
{
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

} // namespace

class TestPeerReaders : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QTemporaryDir m_files;
    std::vector<Melody> m_melodies;
    QString m_gammu;
    QString m_python; // a python3 that has mido
    QString m_reader;

    QString save(const Melody &tune, std::size_t index, const QString &formatId)
    {
        for (const SaveFormat &format : saveFormats()) {
            if (format.id != formatId)
                continue;
            QString error;
            const std::optional<QByteArray> bytes = format.bytes(tune, &error);
            if (!bytes) {
                qWarning("%s: %s", qPrintable(tune.name), qPrintable(error));
                return {};
            }
            const QString path = m_files.filePath(u"%1.%2"_s.arg(index).arg(format.extension));
            QString failure;
            return writeAtomically(path, *bytes, &failure) ? path : QString();
        }
        return {};
    }

    // gammu's reading of `path`, as RTTTL. gammu names the note b "h", as
    // German does; it is put back before our reader reads the text.
    std::optional<Melody> readByGammu(const QString &path)
    {
        // gammu chooses the format of what it writes by the name: the input's
        // extension must not appear in it.
        const QFileInfo info(path);
        const QString out =
            info.dir().filePath(info.completeBaseName() + u'-' + info.suffix() + u"-gammu.txt"_s);
        QFile::remove(out);
        run(m_gammu, {u"copyringtone"_s, path, out, u"RTTL"_s});
        QString text = QString::fromLatin1(test::fileBytes(out));
        const qsizetype notes = text.indexOf(u':', text.indexOf(u':') + 1);
        if (notes > 0)
            text = text.left(notes) + text.mid(notes).replace(u'h', u'b');
        const melody::RtttlReading reading = melody::readRtttl(text);
        if (!reading.ok()) {
            qWarning("gammu's reading of %s: %s (%s)", qPrintable(path), qPrintable(text),
                     qPrintable(reading.error));
            return std::nullopt;
        }
        return reading.melody;
    }

private Q_SLOTS:
    void initTestCase()
    {
        test::useHome(m_home.path());
        const QString disc = test::sampleDisc();
        if (disc.isEmpty())
            QSKIP("the sample disc has not been assembled (BRIVELLO_TEST_DISC)");
        const auto catalogue = data::Catalogue::open(data::discPath(disc, u".\\datafiles\\ringtones.dat"_s));
        const auto main = catalogue->table(u"Main"_s);
        for (const QStringList &row : main->rows()) {
            const melody::RtttlReading reading = melody::readRtttl(row.value(main->column(u"bieps")));
            QVERIFY(reading.ok());
            m_melodies.push_back(reading.melody);
        }
        QCOMPARE(m_melodies.size(), std::size_t(192));
        m_gammu = QStandardPaths::findExecutable(u"gammu"_s);
        m_reader = qEnvironmentVariable("BRIVELLO_SOURCE_DIR") + u"/tests/ringtonetools/peer_readers.py"_s;
        // Debian's mido is for Debian's own python3, which may not be the first on the path.
        for (const QString &python : {u"/usr/bin/python3"_s, QStandardPaths::findExecutable(u"python3"_s)}) {
            if (!python.isEmpty() && QFileInfo(python).isExecutable() &&
                run(python, {u"-c"_s, u"import mido"_s}).exitCode == 0) {
                m_python = python;
                break;
            }
        }
    }

    void gammuReadsEveryRtttlSaveNoteForNote()
    {
        if (m_gammu.isEmpty())
            QSKIP("the gammu command is not installed: RTTTL saves are not read back by it here");
        QStringList differences;
        for (std::size_t i = 0; i < m_melodies.size(); ++i) {
            const Melody &tune = m_melodies[i];
            const QString path = save(tune, i, u"rtttl"_s);
            QVERIFY(!path.isEmpty());
            const std::optional<Melody> read = readByGammu(path);
            // gammu misses a dot written after the octave ("2d6."), where the
            // RTTTL grammar puts it: such a note reads back plain.
            std::vector<Note> expected = tune.notes;
            for (Note &note : expected) {
                if (!note.isPause() && note.octave != std::clamp(tune.defaultOctave, 4, 7))
                    note.dotted = false;
            }
            if (!read || noteTexts(read->notes) != noteTexts(expected) || read->bpm != tune.bpm)
                differences << tune.name + u": "_s +
                                   (read ? QString::number(read->bpm) + u' ' +
                                               noteTexts(read->notes).join(u',')
                                         : u"unreadable"_s) +
                                   u" instead of "_s + QString::number(tune.bpm) + u' ' +
                                   noteTexts(expected).join(u',');
        }
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u"\n"_s)));
    }

    void gammuReadsEverySmartMessagingSaveAsTheSmsToolSendsIt()
    {
        if (m_gammu.isEmpty())
            QSKIP("the gammu command is not installed: .ott saves are not read back by it here");
        QStringList differences;
        for (std::size_t i = 0; i < m_melodies.size(); ++i) {
            const Melody &tune = m_melodies[i];
            const QString path = save(tune, i, u"ott"_s);
            QVERIFY(!path.isEmpty());
            const phone::RingtoneMessage sent = phone::encodeRingtone(tune);
            QCOMPARE(test::fileBytes(path), sent.message.payload());
            const std::optional<Melody> read = readByGammu(path);
            const QStringList expected = noteTexts(smartNotes(tune, sent.fit.notesSent));
            if (!read || noteTexts(read->notes) != expected || read->bpm != sent.fit.bpmSent)
                differences << tune.name + u": "_s +
                                   (read ? noteTexts(read->notes).join(u',') : u"unreadable"_s) +
                                   u" instead of "_s + expected.join(u',');
        }
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u"\n"_s)));
    }

    void midoReadsEveryMidiSaveNoteForNote()
    {
        if (m_python.isEmpty())
            QSKIP("python3-mido is not installed: MIDI saves are not read back by another reader here");
        QStringList differences;
        for (std::size_t i = 0; i < m_melodies.size(); ++i) {
            const Melody &tune = m_melodies[i];
            const QString path = save(tune, i, u"mid"_s);
            QVERIFY(!path.isEmpty());
            QStringList expected{u"type 0 tracks 1 division %1"_s.arg(phone::MidiTicksPerQuarter),
                                 u"tempo %1"_s.arg(60'000'000 / tune.bpm)};
            int now = 0;
            for (const Note &note : tune.notes) {
                const int ticks = 4 * phone::MidiTicksPerQuarter / note.duration * (note.dotted ? 3 : 2) / 2;
                if (!note.isPause())
                    expected << u"note %1 %2 %3"_s.arg(phone::midiNote(note)).arg(now).arg(ticks);
                now += ticks;
            }
            expected << u"end %1"_s.arg(now);
            const Run read = run(m_python, {m_reader, u"midi"_s, path});
            QCOMPARE(read.exitCode, 0);
            if (read.output.trimmed().split(u'\n') != expected)
                differences << tune.name;
        }
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u", "_s)));
    }

    void everyIMelodySaveReadsBackNoteForNote()
    {
        const QString python = m_python.isEmpty() ? QStandardPaths::findExecutable(u"python3"_s) : m_python;
        if (python.isEmpty())
            QSKIP("python3 is not installed: iMelody saves are not read back here");
        QStringList differences;
        for (std::size_t i = 0; i < m_melodies.size(); ++i) {
            const Melody &tune = m_melodies[i];
            const QString path = save(tune, i, u"imy"_s);
            QVERIFY(!path.isEmpty());
            QStringList expected{u"beat %1"_s.arg(tune.bpm)};
            // libGammu's iMelody writer leaves out the pauses before the first
            // note, as Smart Messaging does: a ringtone starts with its first note.
            bool started = false;
            for (const Note &note : tune.notes) {
                started = started || !note.isPause();
                if (!started)
                    continue;
                expected << u"note %1 %2 %3 %4"_s.arg(note.pitch)
                                .arg(note.isPause() ? u"-"_s : QString::number(note.octave))
                                .arg(note.duration)
                                .arg(note.dotted ? 1 : 0);
            }
            const Run read = run(python, {m_reader, u"imelody"_s, path});
            QCOMPARE(read.exitCode, 0);
            if (read.output.trimmed().split(u'\n') != expected)
                differences << tune.name + u": "_s + QString::fromLatin1(test::fileBytes(path)) +
                                   read.output.trimmed().split(u'\n').join(u',') + u" instead of "_s +
                                   expected.join(u',');
        }
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u"\n"_s)));
    }
};

QTEST_MAIN(TestPeerReaders)
#include "test_peerreaders.moc"
