#pragma once

#include "logos/pictures/LogoFonts.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace brivello::logos {

// One thing a logo shows: a run of text, two lines of text stacked, or an icon.
struct LogoItem
{
    enum class Kind { Text, Stack, Icon };
    Kind kind = Kind::Text;
    QStringList lines; // Text: one line; Stack: two
    FontFace face = FontFace::Normal;
    int tracking = 0;      // extra pixels between letters
    QString icon;          // Icon: its name
    bool mirrored = false; // Icon: facing the other way
    int repeat = 1;        // Icon: drawn this many times side by side
};

enum class LogoFrame { None, Box, RoundBox, Rules, DottedRules };

// A logo as a designer writes it, one line of the logo list:
//
//   spread @cuore "TI AMO" @cuore~
//   round small "SEI IL MIO"/"GRANDE AMORE"
//   invert big "ROMA"
//
// Words before or between the items set the look: `normal`, `small`, `bold`
// and `big` pick the face of the texts that follow, `wide` spaces their
// letters one pixel further apart; `frame`, `round`, `rules` and `dots` draw
// a box, a box with cut corners, or a solid or dotted line above and below;
// `invert` prints white on black; `spread` pushes the first and the last item
// to the edges instead of centring the row; `gap=N` sets the pixels between
// items (3 unless told). Items: "text", "line one"/"line two" (a stack),
// @icon, @icon~ (mirrored), @icon*3 (three side by side).
struct LogoDefinition
{
    QList<LogoItem> items;
    LogoFrame frame = LogoFrame::None;
    bool inverted = false;
    bool spread = false;
    int gap = 3;
};

// Reads one line of the logo list; false with a message naming the word that
// is wrong.
bool parseLogoDefinition(QStringView line, LogoDefinition *definition, QString *error);

} // namespace brivello::logos
