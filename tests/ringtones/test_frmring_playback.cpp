#include "tests/ringtones/ring_fixture.h"

using namespace brivello;

class TestFrmRingPlayback : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { m_fixture.open(); }
    void cleanup() { m_fixture.close(); }
    void playAndStopChangeThePicturesAndCommandThePlayer();
    void theEndOfARecordingIsNoticedWithinOneTick();
    void playWhilePlayingStartsTheNewRowFromTheBeginning();
    void aSearchStopsThePlayback();
    void playDoesNothingWithoutASelectedRingtone();
    void aMissingRecordingIsToldAndNothingPlays();
    void aRecordingThePlayerRefusesIsToldAndNothingPlays();
    void aPlayerThatCannotStartSaysWhy();
    void stopWithNothingPlayingRestsTheButtons();
    void aPlayerThatCannotPlayIsToldAndTheButtonsRest();

private:
    ringtones::frmRing &ring() { return m_fixture.ring(); }
    const QStringList &commands() { return m_fixture.fakes().wavePlayer->calls(); }
    void clickPlay() { QTest::mouseClick(&ring().pctPlay(), Qt::LeftButton); }
    void clickStop() { QTest::mouseClick(&ring().pctStop(), Qt::LeftButton); }
    bool buttonsAtRest()
    {
        return m_fixture.shows(ring().pctPlay(), 15) && m_fixture.shows(ring().pctStop(), 18);
    }
    bool buttonsPlaying()
    {
        return m_fixture.shows(ring().pctPlay(), 16) && m_fixture.shows(ring().pctStop(), 17);
    }
    QString open(const QString &file) { return QStringLiteral("open ") + m_fixture.recording(file); }

    test::RingFixture m_fixture;
};

void TestFrmRingPlayback::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.makeDisc(&error), qPrintable(error));
}

void TestFrmRingPlayback::playAndStopChangeThePicturesAndCommandThePlayer()
{
    QVERIFY(buttonsAtRest());
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("anna"));
    m_fixture.clickRow(0);
    clickPlay();
    QVERIFY(buttonsPlaying());
    QVERIFY(!buttonsAtRest());
    QVERIFY(ring().blnPlaying());
    QVERIFY(m_fixture.recording(QStringLiteral("rose")).endsWith(u"/datafiles/rose.dat"));
    QCOMPARE(commands(), (QStringList{open(QStringLiteral("rose")), QStringLiteral("play")}));
    clickStop();
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    QCOMPARE(commands().mid(2), (QStringList{QStringLiteral("stop"), QStringLiteral("close")}));
}

void TestFrmRingPlayback::theEndOfARecordingIsNoticedWithinOneTick()
{
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("anna"));
    m_fixture.clickRow(1);
    clickPlay();
    test::FakeClock &clock = *m_fixture.fakes().clock;
    clock.advance(4000);
    // Still playing: the ticks leave it alone.
    QVERIFY(buttonsPlaying());
    QCOMPARE(commands().size(), 2);
    m_fixture.fakes().wavePlayer->finish();
    clock.advance(2000);
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    QCOMPARE(commands(), (QStringList{open(QStringLiteral("tema")), QStringLiteral("play"),
                                      QStringLiteral("stop"), QStringLiteral("close")}));
    clock.advance(4000);
    QCOMPARE(commands().size(), 4);
}

void TestFrmRingPlayback::playWhilePlayingStartsTheNewRowFromTheBeginning()
{
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("anna"));
    m_fixture.clickRow(0);
    clickPlay();
    // Choosing another row leaves the recording playing.
    m_fixture.clickRow(1);
    QCOMPARE(commands().size(), 2);
    clickPlay();
    QCOMPARE(commands(),
             (QStringList{open(QStringLiteral("rose")), QStringLiteral("play"), QStringLiteral("stop"),
                          QStringLiteral("close"), open(QStringLiteral("tema")), QStringLiteral("play")}));
    QVERIFY(buttonsPlaying());
    QVERIFY(ring().blnPlaying());
}

void TestFrmRingPlayback::aSearchStopsThePlayback()
{
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("anna"));
    m_fixture.clickRow(0);
    clickPlay();
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("rosa"));
    QCOMPARE(commands().mid(2), (QStringList{QStringLiteral("stop"), QStringLiteral("close")}));
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    // Before a row is clicked the new list plays nothing.
    clickPlay();
    QCOMPARE(commands().size(), 4);
}

void TestFrmRingPlayback::playDoesNothingWithoutASelectedRingtone()
{
    clickPlay();
    clickStop();
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("zzz"));
    m_fixture.clickRow(0);
    clickPlay();
    QVERIFY(commands().isEmpty());
    QVERIFY(!ring().blnPlaying());
    QVERIFY(buttonsAtRest());
}

void TestFrmRingPlayback::aMissingRecordingIsToldAndNothingPlays()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("blue"));
    m_fixture.clickRow(0);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    clickPlay();
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QVERIFY(m_fixture.fakes().messageBox->shown().front().text.contains(u"registrazione"));
    QVERIFY(commands().isEmpty());
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
}

void TestFrmRingPlayback::aRecordingThePlayerRefusesIsToldAndNothingPlays()
{
    m_fixture.fakes().wavePlayer->refuse(m_fixture.recording(QStringLiteral("rosa")));
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("rosa"));
    m_fixture.clickRow(0);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    clickPlay();
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QCOMPARE(commands(), QStringList{open(QStringLiteral("rosa"))});
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    m_fixture.fakes().clock->advance(2000);
    QCOMPARE(commands().size(), 1);
}

// A player that cannot start at all (its module missing) says why, rather
// than blaming the recording.
void TestFrmRingPlayback::aPlayerThatCannotStartSaysWhy()
{
    m_fixture.fakes().wavePlayer->refuse(m_fixture.recording(QStringLiteral("rosa")),
                                         QStringLiteral("manca il modulo audio del programma"));
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("rosa"));
    m_fixture.clickRow(0);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    clickPlay();
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QCOMPARE(m_fixture.fakes().messageBox->shown().front().text,
             QStringLiteral("Impossibile ascoltare il brano: manca il modulo audio del programma."));
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
}

void TestFrmRingPlayback::stopWithNothingPlayingRestsTheButtons()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("rosa"));
    m_fixture.clickRow(0);
    clickStop();
    QCOMPARE(commands(), (QStringList{QStringLiteral("stop"), QStringLiteral("close")}));
    QVERIFY(buttonsAtRest());
}

// Mended fault: a recording that is not playable audio, or no sound output,
// left the window "playing" in silence with no word.
void TestFrmRingPlayback::aPlayerThatCannotPlayIsToldAndTheButtonsRest()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("rosa"));
    m_fixture.clickRow(0);
    clickPlay();
    QVERIFY(buttonsPlaying());
    m_fixture.fakes().wavePlayer->fail(QStringLiteral("il sistema non ha un'uscita audio"));
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    m_fixture.fakes().clock->advance(2000);
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QCOMPARE(m_fixture.fakes().messageBox->shown().front().text,
             QStringLiteral("Impossibile ascoltare il brano: il sistema non ha un'uscita audio."));
    // Told once: the next ticks find the player closed.
    m_fixture.fakes().clock->advance(4000);
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
}

QTEST_MAIN(TestFrmRingPlayback)
#include "test_frmring_playback.moc"
