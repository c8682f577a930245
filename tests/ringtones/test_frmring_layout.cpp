// Where the controls of the ringtone window stand and how large they are.
#include "ring_fixture.h"
#include "ui/Twips.h"

#include <QRadioButton>

using namespace brivello;

class TestFrmRingLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QString error;
        QVERIFY2(m_fixture.makeDisc(&error), qPrintable(error));
        m_fixture.open();
        QVERIFY(QTest::qWaitForWindowExposed(&m_fixture.ring()));
    }
    void cleanup() { m_fixture.close(); }

    // Mended fault: the five option buttons were as wide as their captions.
    void phoneOptionsAre2775TwipsWide()
    {
        const int tops[] = {5960, 6150, 6340, 6540, 6730};
        for (int phoneType = 1; phoneType <= 5; ++phoneType) {
            const QRadioButton &option = m_fixture.ring().phoneOption(phoneType);
            QVERIFY(option.isVisible());
            QCOMPARE(option.geometry(), ui::twipsRect(1680, tops[phoneType - 1], 2775, 195));
            QCOMPARE(option.width(), 185);
        }
        // The whole width answers a click, not only the caption.
        for (int phoneType : {3, 5, 1}) {
            QRadioButton &option = m_fixture.ring().phoneOption(phoneType);
            QTest::mouseClick(&option, Qt::LeftButton, {}, QPoint(option.width() - 4, option.height() / 2));
            QVERIFY(option.isChecked());
            QCOMPARE(m_fixture.ring().bytPhoneType(), phoneType);
        }
    }

private:
    test::RingFixture m_fixture;
};

QTEST_MAIN(TestFrmRingLayout)
#include "test_frmring_layout.moc"
