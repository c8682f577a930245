#include "tests/ringtones/ring_fixture.h"

using namespace Qt::StringLiterals;

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
    QString open(const QString &file) { return u"open "_s + m_fixture.recording(file); }

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
    m_fixture.search(u"Artista"_s, u"anna"_s);
    m_fixture.clickRow(0);
    clickPlay();
    QVERIFY(buttonsPlaying());
    QVERIFY(!buttonsAtRest());
    QVERIFY(ring().blnPlaying());
    QVERIFY(m_fixture.recording(u"rose"_s).endsWith(u"/datafiles/rose.dat"));
    QCOMPARE(commands(), (QStringList{open(u"rose"_s), u"play"_s}));
    clickStop();
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    QCOMPARE(commands().mid(2), (QStringList{u"stop"_s, u"close"_s}));
}

void TestFrmRingPlayback::theEndOfARecordingIsNoticedWithinOneTick()
{
    m_fixture.search(u"Artista"_s, u"anna"_s);
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
    QCOMPARE(commands(), (QStringList{open(u"tema"_s), u"play"_s, u"stop"_s, u"close"_s}));
    clock.advance(4000);
    QCOMPARE(commands().size(), 4);
}

void TestFrmRingPlayback::playWhilePlayingStartsTheNewRowFromTheBeginning()
{
    m_fixture.search(u"Artista"_s, u"anna"_s);
    m_fixture.clickRow(0);
    clickPlay();
    // Choosing another row leaves the recording playing.
    m_fixture.clickRow(1);
    QCOMPARE(commands().size(), 2);
    clickPlay();
    QCOMPARE(commands(),
             (QStringList{open(u"rose"_s), u"play"_s, u"stop"_s, u"close"_s, open(u"tema"_s), u"play"_s}));
    QVERIFY(buttonsPlaying());
    QVERIFY(ring().blnPlaying());
}

void TestFrmRingPlayback::aSearchStopsThePlayback()
{
    m_fixture.search(u"Artista"_s, u"anna"_s);
    m_fixture.clickRow(0);
    clickPlay();
    m_fixture.search(u"Titolo"_s, u"rosa"_s);
    QCOMPARE(commands().mid(2), (QStringList{u"stop"_s, u"close"_s}));
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
    m_fixture.search(u"Titolo"_s, u"zzz"_s);
    m_fixture.clickRow(0);
    clickPlay();
    QVERIFY(commands().isEmpty());
    QVERIFY(!ring().blnPlaying());
    QVERIFY(buttonsAtRest());
}

void TestFrmRingPlayback::aMissingRecordingIsToldAndNothingPlays()
{
    m_fixture.search(u"Titolo"_s, u"blue"_s);
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
    m_fixture.fakes().wavePlayer->refuse(m_fixture.recording(u"rosa"_s));
    m_fixture.search(u"Titolo"_s, u"rosa"_s);
    m_fixture.clickRow(0);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    clickPlay();
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QCOMPARE(commands(), QStringList{open(u"rosa"_s)});
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    m_fixture.fakes().clock->advance(2000);
    QCOMPARE(commands().size(), 1);
}

// A player that cannot start at all (its module missing) says why, rather
// than blaming the recording.
void TestFrmRingPlayback::aPlayerThatCannotStartSaysWhy()
{
    m_fixture.fakes().wavePlayer->refuse(m_fixture.recording(u"rosa"_s),
                                         u"manca il modulo audio del programma"_s);
    m_fixture.search(u"Titolo"_s, u"rosa"_s);
    m_fixture.clickRow(0);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    clickPlay();
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QCOMPARE(m_fixture.fakes().messageBox->shown().front().text,
             u"Impossibile ascoltare il brano: manca il modulo audio del programma."_s);
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
}

void TestFrmRingPlayback::stopWithNothingPlayingRestsTheButtons()
{
    m_fixture.search(u"Titolo"_s, u"rosa"_s);
    m_fixture.clickRow(0);
    clickStop();
    QCOMPARE(commands(), (QStringList{u"stop"_s, u"close"_s}));
    QVERIFY(buttonsAtRest());
}

// Mended fault: a recording that is not playable audio, or no sound output,
// left the window "playing" in silence with no word.
void TestFrmRingPlayback::aPlayerThatCannotPlayIsToldAndTheButtonsRest()
{
    m_fixture.search(u"Titolo"_s, u"rosa"_s);
    m_fixture.clickRow(0);
    clickPlay();
    QVERIFY(buttonsPlaying());
    m_fixture.fakes().wavePlayer->fail(u"il sistema non ha un'uscita audio"_s);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    m_fixture.fakes().clock->advance(2000);
    QVERIFY(buttonsAtRest());
    QVERIFY(!ring().blnPlaying());
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QCOMPARE(m_fixture.fakes().messageBox->shown().front().text,
             u"Impossibile ascoltare il brano: il sistema non ha un'uscita audio."_s);
    // Told once: the next ticks find the player closed.
    m_fixture.fakes().clock->advance(4000);
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
}

QTEST_MAIN(TestFrmRingPlayback)
#include "test_frmring_playback.moc"
