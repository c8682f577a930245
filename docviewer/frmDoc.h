#pragma once

#include "ui/MainWindow.h"

#include <QString>

#include <cstdint>
#include <vector>

class QFrame;
class QLabel;
class QTextBrowser;
class QTextEdit;
class QUrl;

namespace brivello::docviewer {

class EntryLabel;

// The documentation window: the contents panel, the index of the general
// pages and the index of the phone guides, the pages read from the disc, and
// the home, previous and next buttons below them. The panels lie one over
// the other and exactly one of them is visible at a time.
class frmDoc : public ui::MainWindow
{
    Q_OBJECT
public:
    explicit frmDoc(const ui::Context &context);

    // The load step: centres the page, shows the contents panel alone, draws
    // both buttons inactive, loads the first page of each set and the SMS
    // centres, and points the links page at links.htm.
    void formLoad() override;
    // Back to the contents panel with general page 1 loaded.
    void formActivate() override;

    // Shows the contents panel alone with the first page of each set and the
    // SMS centres loaded again and both buttons inactive. The other windows
    // call it before they show this one.
    void ResetToContents();

    // Click handlers of the buttons below the panels and of the window's own
    // button on the navigation bar.
    void pctVolgende_Click();
    void pctVorige_Click();
    void pctHome_Click();
    void pctDoc_Click();

    // The general page or phone guide `page`, opened from its index entry.
    void openGeneralPage(int page);
    void openPhoneGuide(int page);

    std::uint8_t bytPage() const { return m_bytPage; }
    bool blnNextActive() const { return m_blnNextActive; }
    bool blnPrevActive() const { return m_blnPrevActive; }

    // Controls.
    QFrame &fraInhoud() const { return *m_fraInhoud; }
    QFrame &fraInhoud2() const { return *m_fraInhoud2; }
    QFrame &fraInhoud3() const { return *m_fraInhoud3; }
    QLabel &lblTitel() const { return *m_lblTitel; }
    QLabel &lblKop() const { return *m_lblKop; }
    QLabel &lblTipsInh() const { return *m_lblTipsInh; }
    EntryLabel &lblAlgemeen() const { return *m_lblAlgemeen; }
    EntryLabel &lblTips() const { return *m_lblTips; }
    EntryLabel &Label2() const { return *m_label2; }
    EntryLabel &Label4() const { return *m_label4; }
    // The entry of the general index that opens general page `page` (1 to 8).
    EntryLabel &generalEntry(int page) const;
    // The entry of the phone-guide index that opens guide `page` (1 to 3).
    EntryLabel &phoneGuideEntry(int page) const;
    QTextEdit &rtfMain() const { return *m_rtfMain; }
    QTextEdit &rtfTips() const { return *m_rtfTips; }
    QTextEdit &rtfSms() const { return *m_rtfSms; }
    QTextBrowser &WebLinks() const { return *m_webLinks; }
    ui::PictureBox &pctHome() const { return *m_pctHome; }
    ui::PictureBox &pctVorige() const { return *m_pctVorige; }
    ui::PictureBox &pctVolgende() const { return *m_pctVolgende; }

    static constexpr int generalPageCount = 8;
    static constexpr int phoneGuideCount = 3;

protected:
    // The pages the load step names are read at the window's first showing:
    // the start-up need not wait for them.
    void showEvent(QShowEvent *event) override;

private:
    // One of the two sets the previous and next buttons step through.
    struct PageSet
    {
        QTextEdit *box;
        QFrame *index;
        int lastPage;
        QString (*path)(int page);
    };

    void buildContents();
    void buildGeneralIndex();
    void buildPhoneGuideIndex();
    void buildPages();
    void buildButtons();
    QFrame *panel(const QString &name, const QRect &geometry);
    QLabel *heading(QFrame *panel, const QString &name, QStringView caption);
    EntryLabel *entry(QFrame *panel, const QString &name, QStringView caption, int row);
    QTextEdit *pageBox(const QString &name, const QRect &geometry);

    PageSet generalPages() const;
    PageSet phoneGuides() const;
    void openPage(const PageSet &set, int page);
    void stepForward(const PageSet &set);
    void stepBack(const PageSet &set);
    void loadPage(QTextEdit &box, const QString &path);
    void loadFirstPages();
    void loadLinksPage();
    void openLink(const QUrl &link);

    void showAlone(QWidget &panel);
    void takeFocus(QWidget &panel);
    void showIndex(QFrame &index);
    void showLinksPage();
    void makeNextActive(bool active);
    void makePrevActive(bool active);

    QFrame *m_fraInhoud = nullptr;
    QFrame *m_fraInhoud2 = nullptr;
    QFrame *m_fraInhoud3 = nullptr;
    QLabel *m_lblTitel = nullptr;
    QLabel *m_lblKop = nullptr;
    QLabel *m_lblTipsInh = nullptr;
    EntryLabel *m_lblAlgemeen = nullptr;
    EntryLabel *m_lblTips = nullptr;
    EntryLabel *m_label2 = nullptr;
    EntryLabel *m_label4 = nullptr;
    EntryLabel *m_generalEntries[generalPageCount] = {};
    EntryLabel *m_phoneGuideEntries[phoneGuideCount] = {};
    QTextEdit *m_rtfMain = nullptr;
    QTextEdit *m_rtfTips = nullptr;
    QTextEdit *m_rtfSms = nullptr;
    QTextBrowser *m_webLinks = nullptr;
    bool m_firstPagesDue = false;
    // Headings and entries are sized to their text when the window is first
    // shown: measuring styled text is most of what building the window costs.
    std::vector<QLabel *> m_unsized;
    ui::PictureBox *m_pctHome = nullptr;
    ui::PictureBox *m_pctVorige = nullptr;
    ui::PictureBox *m_pctVolgende = nullptr;

    std::uint8_t m_bytPage = 1;
    bool m_blnNextActive = false;
    bool m_blnPrevActive = false;
};

} // namespace brivello::docviewer
