#pragma once

#include "tools/logotools/picture/LogoDocument.h"

#include <QList>
#include <QString>

namespace brivello::logotools {

// The three tools the program is. The tools window starts each with no
// arguments under its own program name, so that name chooses the face.
enum class FaceId { LogoEditor, GroupGraphic, PictureMessage };

struct ToolFace
{
    FaceId id;
    QString title;     // the tool's name on the disc
    QString startName; // its program's name, without ".exe"
    // The kinds of picture it edits, the first at start.
    QList<LogoKind> kinds;
};

const QList<ToolFace> &toolFaces();
const ToolFace &toolFace(FaceId id);
// The face a program file stands for, by its name without extension and
// letter case ("logoedit.exe", "GRPLOGO.EXE", "picmsg"); the logo editor
// for any other name.
const ToolFace &faceForProgram(const QString &programPath);

// What the program takes from where it was started: its face by its name,
// its help text beside it, and the name of its folder on the disc, by which
// it introduces itself.
struct ToolStart
{
    const ToolFace *face;
    QString helpFile;
    QString folderName;
};
ToolStart toolStart(const QString &programPath);

} // namespace brivello::logotools
