#include "tools/logotools/editor/ToolFaces.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

const QList<ToolFace> &toolFaces()
{
    static const QList<ToolFace> faces = {
        {FaceId::LogoEditor,
         u"Editor Loghi"_s,
         u"logoedit"_s,
         {LogoKind::OperatorLogo, LogoKind::PictureMessage}},
        {FaceId::GroupGraphic, u"Logo Gruppo"_s, u"grplogo"_s, {LogoKind::GroupGraphic}},
        {FaceId::PictureMessage, u"Messaggi Illustrati"_s, u"picmsg"_s, {LogoKind::PictureMessage}},
    };
    return faces;
}

const ToolFace &toolFace(FaceId id)
{
    for (const ToolFace &face : toolFaces()) {
        if (face.id == id)
            return face;
    }
    return toolFaces().first();
}

const ToolFace &faceForProgram(const QString &programPath)
{
    const QString name = QFileInfo(programPath).completeBaseName().toLower();
    for (const ToolFace &face : toolFaces()) {
        if (face.startName == name)
            return face;
    }
    return toolFace(FaceId::LogoEditor);
}

ToolStart toolStart(const QString &programPath)
{
    const QFileInfo program(programPath);
    const QString folder = program.absoluteDir().dirName();
    const ToolFace &face = faceForProgram(programPath);
    return {&face, program.absoluteDir().filePath(u"leggimi.txt"_s), folder.isEmpty() ? face.title : folder};
}

} // namespace brivello::logotools
