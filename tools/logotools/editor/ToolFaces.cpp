#include "tools/logotools/editor/ToolFaces.h"

#include <QDir>
#include <QFileInfo>

namespace brivello::logotools {

const QList<ToolFace> &toolFaces()
{
    static const QList<ToolFace> faces = {
        {FaceId::LogoEditor,
         QStringLiteral("Editor Loghi"),
         QStringLiteral("logoedit"),
         {LogoKind::OperatorLogo, LogoKind::PictureMessage}},
        {FaceId::GroupGraphic,
         QStringLiteral("Logo Gruppo"),
         QStringLiteral("grplogo"),
         {LogoKind::GroupGraphic}},
        {FaceId::PictureMessage,
         QStringLiteral("Messaggi Illustrati"),
         QStringLiteral("picmsg"),
         {LogoKind::PictureMessage}},
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
    return {&face, program.absoluteDir().filePath(QStringLiteral("leggimi.txt")),
            folder.isEmpty() ? face.title : folder};
}

} // namespace brivello::logotools
