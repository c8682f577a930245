// Leaves one queued answer unused: the fixture's check must fail the test.
#include "tests/support/FakePlatform.h"

#include <QTest>

using namespace brivello;

class FakeUnusedAnswer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { m_fakes.checkUnused(); }
    void leavesAnAnswerQueued() { m_fakes.messageBox->queueAnswer(platform::MessageAnswer::Yes); }

private:
    test::FakePlatform m_fakes;
};

QTEST_GUILESS_MAIN(FakeUnusedAnswer)
#include "fake_unused_answer.moc"
