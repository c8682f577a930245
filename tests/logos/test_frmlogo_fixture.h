#pragma once

// What the gallery tests share: a disc with the five categories and one
// more, the program's windows over fake platform services, and the ways a
// user acts on the gallery and reads what it shows.

#include "app/WindowSet.h"
#include "data/DiscPaths.h"
#include "logos/frmLogo.h"
#include "logos/pictures/LogoCatalogue.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestDisc.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <numeric>

using namespace Qt::StringLiterals;

namespace brivello::test {

class GalleryFixture
{
public:
    // The table lists the five categories and one the gallery does not know.
    bool writeDisc(QString *error)
    {
        TestCatalogue catalogue;
        catalogue.categories = {u"Amore"_s, u"Persone"_s,          u"Animali"_s,
                                u"Testi"_s, u"Viaggi & Vacanze"_s, u"Sport"_s};
        if (!writeTestDisc(m_disc.path(), catalogue, error))
            return false;
        data::setProgramFolder(m_disc.path());
        m_images = std::make_unique<ui::ButtonImages>();
        return true;
    }

    // The home window at the bottom, the gallery shown above it.
    void start(const std::shared_ptr<platform::SaveFileDialog> &dialog = {})
    {
        startHome(dialog);
        m_stack->showModal(m_windows->logo());
    }

    // Only the home window is shown.
    void startHome(const std::shared_ptr<platform::SaveFileDialog> &dialog = {})
    {
        m_fakes = FakePlatform();
        platform::Platform services = m_fakes.platform();
        if (dialog)
            services.saveFileDialog = dialog;
        m_stack = std::make_unique<ui::WindowStack>();
        m_windows = std::make_unique<app::WindowSet>(services, *m_stack, *m_images);
        m_stack->showModal(m_windows->ring());
    }

    void showGallery()
    {
        m_stack->showModal(gallery());
        m_stack->settle();
    }

    void stop()
    {
        m_windows.reset();
        m_stack.reset();
        m_fakes.checkUnused();
    }

    logos::frmLogo &gallery() { return m_windows->logo(); }
    const ui::ButtonImages &images() const { return *m_images; }
    FakePlatform &fakes() { return m_fakes; }

    // The user leaves the gallery for the home window and comes back.
    void leaveAndReturn()
    {
        m_stack->hide(gallery());
        m_stack->settle();
        m_stack->showModal(gallery());
        m_stack->settle();
    }

    // The user opens the combo's list and clicks the row `text`.
    void pick(const QString &text)
    {
        QComboBox &combo = gallery().dbcRubriek();
        const int row = combo.findText(text);
        QVERIFY2(row >= 0, qPrintable(text));
        combo.showPopup();
        QAbstractItemView *list = combo.view();
        QTRY_VERIFY(list->isVisible());
        const QModelIndex index = list->model()->index(row, combo.modelColumn());
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(combo.currentText(), text);
    }

    void next() { QTest::mouseClick(&gallery().pctVolgende(), Qt::LeftButton); }
    void previous() { QTest::mouseClick(&gallery().pctVorige(), Qt::LeftButton); }
    void clickBox(int index)
    {
        QVERIFY2(gallery().pctLogo1(index).isVisible(), "only a box that shows a logo can be clicked");
        QTest::mouseClick(&gallery().pctLogo1(index), Qt::LeftButton);
    }
    void exportLogo() { QTest::mouseClick(&gallery().pctExporteren(), Qt::LeftButton); }

    QString label() { return gallery().Pagina().text(); }

    // The numbers (from 1) of the logos of `category` the visible boxes show,
    // box 0 first; 0 for a box whose picture is none of them. Visible boxes
    // after a hidden one are reported as -1.
    QList<int> shown(logos::Category category)
    {
        const QList<QImage> &list = logos::logoList(category);
        QList<int> numbers;
        bool gap = false;
        for (int box = 0; box < logos::logoBoxCount; ++box) {
            const ui::PictureBox &picture = gallery().pctLogo1(box);
            if (!picture.isVisible()) {
                gap = true;
                continue;
            }
            if (gap) {
                numbers << -1;
                continue;
            }
            const QImage canvas = picture.canvas().convertToFormat(QImage::Format_RGB32);
            int found = 0;
            for (int number = 1; number <= list.size() && found == 0; ++number) {
                if (list.at(number - 1).convertToFormat(QImage::Format_RGB32) == canvas)
                    found = number;
            }
            numbers << found;
        }
        return numbers;
    }

    // Picture `number` of the button image list is what the button shows.
    bool showsPicture(const ui::PictureBox &button, int number) const
    {
        const QImage &picture = m_images->picture(number);
        QImage expected(picture.size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::black);
        QPainter painter(&expected);
        painter.drawImage(QPoint(0, 0), picture);
        painter.end();
        return button.canvas().copy(QRect(QPoint(0, 0), picture.size())) == expected;
    }

    // The box is drawn with a dark line all round it.
    static bool bordered(ui::PictureBox &box)
    {
        const QImage look = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int x = 0; x < look.width(); ++x) {
            if (qGray(look.pixel(x, 0)) > 64 || qGray(look.pixel(x, look.height() - 1)) > 64)
                return false;
        }
        for (int y = 0; y < look.height(); ++y) {
            if (qGray(look.pixel(0, y)) > 64 || qGray(look.pixel(look.width() - 1, y)) > 64)
                return false;
        }
        return look != box.canvas().convertToFormat(QImage::Format_RGB32);
    }

    QList<int> borderedBoxes()
    {
        QList<int> boxes;
        for (int box = 0; box < logos::logoBoxCount; ++box) {
            if (bordered(gallery().pctLogo1(box)))
                boxes << box;
        }
        return boxes;
    }

private:
    QTemporaryDir m_disc;
    FakePlatform m_fakes;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<app::WindowSet> m_windows;
};

// Logo numbers first to last.
inline QList<int> numbers(int first, int last)
{
    QList<int> numbers(last - first + 1);
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

} // namespace brivello::test
