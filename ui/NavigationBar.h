#pragma once

namespace brivello::ui {

class ButtonImages;
class PictureBox;

// The main window a navigation bar stands on.
enum class NavigationOwner { Ringtones, Logos, Documentation, Tools };

// The six picture buttons along the top of every main window's page.
struct NavigationBar
{
    PictureBox *pctRingTones = nullptr;
    PictureBox *pctLogo = nullptr;
    PictureBox *pctTools = nullptr;
    PictureBox *pctDoc = nullptr;
    PictureBox *pctHelp = nullptr;
    PictureBox *pctQuit = nullptr;
};

// Places the buttons on `page`, each with its tooltip; the window's own
// button shows its highlighted picture, the others their normal one.
NavigationBar createNavigationBar(PictureBox &page, NavigationOwner owner, const ButtonImages &images);

} // namespace brivello::ui
