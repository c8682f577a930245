#pragma once

#include <QImage>

// Every picture the windows show is drawn here in code, in one style: dark
// blue and steel with light text. Highlighted looks are lighter than normal
// ones. Changing a colour or a label here changes it everywhere.
namespace brivello::resources {

// The 28 pictures of the button image list, numbered from 1.
constexpr int buttonPictureCount = 28;
QImage buttonPicture(int number);

enum class Page { Ringtones, Logos, Documentation, Tools };
// The 640 x 480 page of a main window.
QImage pageBackground(Page page);

// The 640 x 480 picture of the splash window.
QImage splashPicture();
// The black 641 x 315 page of the help window.
QImage helpBackground();

// The 640 x 480 advertising picture of the exit splash window.
QImage advertisement();
// The two 468 x 60 frames of the exit splash window's banner, 1 and 2.
QImage bannerFrame(int number);

// A plain button of the product's style with a light label, for the picture
// buttons that keep one picture.
QImage actionButton(int width, int height, const QString &label);

QImage publisherLogo();   // 95 x 40
QImage publisherBadge();  // 36 x 36, the publisher's mark alone
QImage distributorLogo(); // 36 x 36

} // namespace brivello::resources
