#include "ui/NavigationBar.h"

#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace brivello::ui {

namespace {

using Owner = NavigationOwner;

struct ButtonPlan
{
    PictureBox *NavigationBar::*member;
    const char16_t *name;
    int left;
    ButtonPicture atRest;
    // What a screen reader calls the button where it has no tooltip.
    const char16_t *role;
};

constexpr int barTop = 120;
constexpr int buttonWidth = 480;

int buttonHeight(const char16_t *name, Owner owner)
{
    const QStringView button(name);
    const bool shortLogo = button == u"pctLogo" && owner != Owner::Logos;
    const bool shortRingTones = button == u"pctRingTones" && owner == Owner::Ringtones;
    const bool shortDoc = button == u"pctDoc" && owner == Owner::Tools;
    return (shortLogo || shortRingTones || shortDoc) ? 345 : 360;
}

bool isOwnButton(QStringView button, Owner owner)
{
    switch (owner) {
    case Owner::Ringtones:
        return button == u"pctRingTones";
    case Owner::Logos:
        return button == u"pctLogo";
    case Owner::Documentation:
        return button == u"pctDoc";
    case Owner::Tools:
        return button == u"pctTools";
    }
    return false;
}

QString toolTip(QStringView button, Owner owner)
{
    if (isOwnButton(button, owner) && button != u"pctRingTones")
        return {};
    if (button == u"pctRingTones")
        return u"Brivello"_s;
    if (button == u"pctLogo")
        return owner == Owner::Documentation ? u"Nokia logo Operatore"_s : u"Nokia Logo Operatore"_s;
    if (button == u"pctTools")
        return u"Tools per i diversi modelli"_s;
    if (button == u"pctDoc")
        return u"Informazioni"_s;
    if (button == u"pctQuit")
        return u"Chiudere il programma"_s;
    switch (owner) {
    case Owner::Ringtones:
        return u"Aiuto per Brivello"_s;
    case Owner::Logos:
        return u"Aiuto per Loghi"_s;
    case Owner::Documentation:
        return u"Aiuto per Informazioni"_s;
    case Owner::Tools:
        return u"Aiuta per I Tools"_s;
    }
    return {};
}

} // namespace

NavigationBar createNavigationBar(PictureBox &page, NavigationOwner owner, const ButtonImages &images)
{
    static constexpr ButtonPlan plans[] = {
        {&NavigationBar::pctRingTones, u"pctRingTones", 240, ButtonPicture::RingTones, u"Suonerie"},
        {&NavigationBar::pctLogo, u"pctLogo", 840, ButtonPicture::Logo, u"Loghi"},
        {&NavigationBar::pctTools, u"pctTools", 1440, ButtonPicture::Tools, u"Tools"},
        {&NavigationBar::pctDoc, u"pctDoc", 2040, ButtonPicture::Doc, u"Informazioni"},
        {&NavigationBar::pctHelp, u"pctHelp", 8280, ButtonPicture::Help, u"Aiuto"},
        {&NavigationBar::pctQuit, u"pctQuit", 8880, ButtonPicture::Quit, u"Uscita"},
    };
    NavigationBar bar;
    for (const ButtonPlan &plan : plans) {
        const QString name = QString::fromUtf16(plan.name);
        auto *button = new PictureBox(name, &page);
        button->setGeometry(twipsRect(plan.left, barTop, buttonWidth, buttonHeight(plan.name, owner)));
        button->setToolTip(toolTip(name, owner));
        button->setAccessibleName(QString::fromUtf16(plan.role));
        const bool own = isOwnButton(name, owner);
        images.paint(*button, own ? lit(plan.atRest) : plan.atRest);
        bar.*plan.member = button;
    }
    return bar;
}

} // namespace brivello::ui
