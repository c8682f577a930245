#pragma once

#include "ui/Context.h"
#include "ui/Window.h"

#include <QImage>
#include <QUrl>

#include <array>
#include <memory>

namespace brivello::platform {
class Timer;
}

namespace brivello::ui {
class PictureBox;
} // namespace brivello::ui

namespace brivello::app {

// The exit splash window: the advertising screen shown before the program
// ends, with a banner that changes between two frames.
class frmSplashOut : public ui::Window
{
    Q_OBJECT
public:
    explicit frmSplashOut(const ui::Context &context);
    ~frmSplashOut() override;

    // Where the banner leads.
    static QUrl distributorAddress();

    void formLoad() override;
    void formActivate() override;
    void formUnload() override;

    ui::PictureBox &pctBanner() const { return *m_pctBanner; }
    ui::PictureBox &pctBG() const { return *m_pctBG; }
    const platform::Timer &Timer1() const { return *m_timer1; }
    int bytTeller() const { return m_bytTeller; }
    const QImage &animationFrame(int number) const;

private:
    void Timer1_Timer();
    void pctBanner_Click();
    void pctBG_Click();

    const ui::Context &m_context;
    ui::PictureBox *m_pctBanner;
    ui::PictureBox *m_pctBG;
    std::array<QImage, 2> m_imgAnimation;
    std::unique_ptr<platform::Timer> m_timer1;
    quint8 m_bytTeller = 0;
};

} // namespace brivello::app
