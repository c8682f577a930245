#pragma once

#include "app/WindowSet.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestDisc.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

namespace brivello::test {

// A ringtone window on a small disc whose names exercise the search: an
// apostrophe, I/Y spellings and the two spellings of one artist. Every
// ringtone has a recording except Blue Night.
class RingFixture
{
public:
    bool makeDisc(QString *error)
    {
        TestCatalogue catalogue;
        catalogue.ringtones = sampleRingtones();
        catalogue.ringtones.push_back({u"L'Estate"_s, u"D'Alessio"_s, u"Pop"_s, u"estate"_s});
        catalogue.ringtones.push_back({u"Maria"_s, u"Lyna Rossi"_s, u"Dance/Pop"_s, u"maria"_s});
        catalogue.ringtones.push_back({u"Notte"_s, u"Marya Blu"_s, u"Dance"_s, u"notte"_s});
        catalogue.ringtones.push_back({u"Sole"_s, u"Soldara X"_s, u"Rock"_s, u"sole"_s});
        if (!writeTestDisc(m_disc.path(), catalogue, error))
            return false;
        for (const TestRingtone &tone : catalogue.ringtones) {
            if (tone.file == u"bluenight")
                continue;
            QFile recording(m_disc.filePath(u"datafiles/"_s + tone.file + u".dat"_s));
            if (!recording.open(QIODevice::WriteOnly) || recording.write("RIFF") != 4) {
                *error = recording.errorString();
                return false;
            }
        }
        data::setProgramFolder(m_disc.path());
        m_images = std::make_unique<ui::ButtonImages>();
        return true;
    }

    // Shows the ringtone window; unless `readNow` is false, waits for the
    // catalogue it reads in the background, as the user would before searching.
    void open(bool readNow = true)
    {
        m_fakes = FakePlatform();
        m_stack = std::make_unique<ui::WindowStack>();
        m_windows = std::make_unique<app::WindowSet>(m_fakes.platform(), *m_stack, *m_images);
        m_stack->showModal(ring());
        m_found.clear();
        if (readNow)
            ring().datMain().setFindObserver([this](const QString &criteria) { m_found << criteria; });
    }

    void close()
    {
        m_windows.reset();
        m_stack.reset();
        m_fakes.checkUnused();
    }

    ringtones::frmRing &ring() { return m_windows->ring(); }
    FakePlatform &fakes() { return m_fakes; }
    app::WindowSet &windows() { return *m_windows; }
    QString recording(const QString &file) const
    {
        return data::discPath(u".\\datafiles\\"_s + file + u".dat"_s);
    }

    // The criteria handed to the catalogue since the last call, each once:
    // a pass hands its criteria to the first find and to every next find.
    QStringList takeCriteria()
    {
        QStringList passes;
        for (const QString &criteria : std::as_const(m_found)) {
            if (passes.isEmpty() || passes.constLast() != criteria)
                passes << criteria;
        }
        m_found.clear();
        return passes;
    }

    void pickMethod(const QString &method)
    {
        QComboBox &combo = ring().dbcSearch();
        const int index = combo.findText(method);
        QVERIFY2(index >= 0, qPrintable(method));
        combo.setCurrentIndex(index);
        Q_EMIT combo.activated(index);
    }

    void pickGenre(const QString &genre)
    {
        QComboBox &combo = ring().dbcGenre();
        combo.setCurrentIndex(combo.findText(genre));
    }

    static void typeInto(QWidget &box, const QString &text)
    {
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&box, Qt::Key_Delete);
        QTest::keyClicks(&box, text);
    }

    void clickSearch() { QTest::mouseClick(&ring().pctZoek(), Qt::LeftButton); }

    void search(const QString &method, const QString &text)
    {
        pickMethod(method);
        typeInto(ring().txtSearch(), text);
        takeCriteria();
        clickSearch();
    }

    void clickRow(int row)
    {
        QTreeView &list = ring().lstMain();
        const QRect cell = list.visualRect(ring().listModel().index(row, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    }

    // The rows as the user reads them: title | artist | genre.
    QStringList listed()
    {
        QStringList rows;
        const QAbstractItemModel &model = ring().listModel();
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < 3; ++column)
                cells << model.index(row, column).data().toString();
            rows << cells.join(u'|');
        }
        return rows;
    }

    // Picture `number` of the button image list is what the button shows.
    bool shows(const ui::PictureBox &box, int number) const
    {
        const QImage expected =
            m_images->picture(number).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRect area = expected.rect() & box.canvas().rect();
        return box.canvas().copy(area) == expected.copy(area);
    }

private:
    QTemporaryDir m_disc;
    FakePlatform m_fakes;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<app::WindowSet> m_windows;
    QStringList m_found;
};

} // namespace brivello::test
