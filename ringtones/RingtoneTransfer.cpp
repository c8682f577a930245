#include "ringtones/RingtoneTransfer.h"

#include "data/Criteria.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "data/SafeWrite.h"
#include "platform/Platform.h"
#include "ringtones/shared/RingtoneText.h"
#include "ui/HandlerGuard.h"
#include "ui/PictureBox.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace brivello::ringtones {

RingtoneTransfer::RingtoneTransfer(const Controls &controls, RingtoneRecords &records,
                                   const platform::Platform &platform, QObject *parent)
    : QObject(parent), m_controls(controls), m_records(records), m_platform(platform)
{
    QTreeView &list = controls.list.view;
    connect(&list, &QAbstractItemView::doubleClicked, this, &RingtoneTransfer::lstMain_DblClick);
    list.installEventFilter(this);
    connect(&controls.pctSend, &ui::PictureBox::clicked, this, &RingtoneTransfer::pctSend_Click);
    connect(&controls.pctSMS, &ui::PictureBox::clicked, this, &RingtoneTransfer::pctSMS_Click);
}

QByteArray RingtoneTransfer::textLine(const QString &text)
{
    return shared::windows1252Line(text);
}

// Enter on a row saves it as a double click does: the keyboard's way to it.
bool RingtoneTransfer::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: other events reach the filter while the window is destroyed.
    if (event->type() == QEvent::KeyPress && watched == &m_controls.list.view) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            lstMain_DblClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void RingtoneTransfer::lstMain_DblClick()
{
    ui::runHandler(*m_platform.messageBox, [this] { saveSelectedRow(); });
}

void RingtoneTransfer::saveSelectedRow()
{
    const std::optional<RingtoneRow> selected = m_controls.list.selected();
    if (!selected)
        return;
    // The file name is not asked for: the first ringtone of that title and
    // artist is the one saved.
    const data::DataSource *record =
        m_records.findRecord(u"song = '"_s + data::quoteLiteral(selected->song) + u"' and artiest = '"_s +
                             data::quoteLiteral(selected->artist) + u"'"_s);
    if (record)
        GetFileToSave(record->field(u"bieps"));
}

// The root of the drive, where the user may write there; else the home folder.
QString RingtoneTransfer::saveStartFolder()
{
    const QFileInfo root(QDir::rootPath());
    return root.isWritable() ? QDir::rootPath() : QDir::homePath();
}

QString RingtoneTransfer::GetFileToSave(const QString &text)
{
    platform::SaveFileRequest request;
    request.title = u"Indicare il nome del documento:"_s;
    request.startFolder = saveStartFolder();
    request.filter = u"Txt files (*.txt)"_s;
    request.defaultExtension = u"txt"_s;
    request.promptOverwrite = true;
    const QString path = m_platform.saveFileDialog->ask(request);
    QString reason;
    if (!path.isEmpty() && !data::writeFileSafely(path, textLine(text), &reason)) {
        warn(u"Impossibile salvare il documento «%1» (%2): il file esistente non è "
             "stato modificato."_s.arg(QDir::toNativeSeparators(path), reason));
    }
    return path;
}

QString RingtoneTransfer::smsToolPath()
{
    return data::discPath(QString::fromUtf16(shared::SmsToolPath));
}

QString RingtoneTransfer::scratchPath()
{
    const QString programFolder = data::programFolder();
    if (QFileInfo(programFolder).isWritable())
        return QDir(programFolder).filePath(u"temp.txt"_s);
    // A disc cannot be written. In the shared temporary folder another user
    // could plant a link under the fixed name and have the line written over
    // a file of theirs, or a file that makes every send fail: the scratch
    // file goes to the user's own runtime folder instead, which only the user
    // may enter (Qt makes it so, and refuses one that is not), else to the
    // user's data folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(u"temp.txt"_s);
}

QString RingtoneTransfer::internationalNumber(const QString &typed)
{
    return shared::internationalNumber(typed);
}

void RingtoneTransfer::pctSend_Click()
{
    ui::runHandler(*m_platform.messageBox, [this] { sendSelectedRow(); });
}

void RingtoneTransfer::sendSelectedRow()
{
    // Without a ringtone there is nothing to send, and an old scratch file
    // must not go out in its place.
    const std::optional<RingtoneRow> selected = m_controls.list.selected();
    if (!selected || !writeScratchFile(*selected))
        return;
    const QString number = askNumber();
    if (number.isEmpty())
        return;
    startSmsTool({shared::smsArgument(number, scratchPath())});
}

void RingtoneTransfer::pctSMS_Click()
{
    startSmsTool({});
}

bool RingtoneTransfer::writeScratchFile(const RingtoneRow &selected)
{
    const QString path = scratchPath();
    const data::DataSource *record =
        m_records.findRecord(u"song = '"_s + data::quoteLiteral(selected.song) + u"' and artiest = '"_s +
                             data::quoteLiteral(selected.artist) + u"' and bestand ='"_s +
                             data::quoteLiteral(selected.file) + u"'"_s);
    if (!record)
        return false;
    const QString line = shared::scratchLine(record->field(u"artiest"), record->field(u"bieps"));
    // The file is replaced in one step: the tool never reads half a line.
    QString reason;
    if (data::writeFileSafely(path, textLine(line), &reason))
        return true;
    warn(u"Impossibile preparare l'invio: il file «%1» non può essere scritto (%2)."_s.arg(
        QDir::toNativeSeparators(path), reason));
    return false;
}

QString RingtoneTransfer::askNumber() const
{
    const QString prompt =
        u"Indicare il numero completo di GSM:\r\re' possibile soltanto con i seguenti apparecchi "
        "Nokia:\r3210, 5190, 6110, 6130, 6150(e), 6190, 61621, 6162, 6210, 6250, NK702, 7110, "
        "8110i, 8130, 8146, 8210, 8810, 8850, 8890, 9000 e 9110"_s;
    return m_platform.inputBox->ask(u"- Inviare via Modem"_s, prompt, QString());
}

// The tool's path is the program itself and every argument goes over whole:
// nothing typed can add arguments or run a command.
void RingtoneTransfer::startSmsTool(const QStringList &arguments)
{
    const QString tool = smsToolPath();
    if (m_platform.programStarter->start(tool, arguments, QFileInfo(tool).absolutePath()))
        return;
    // A disc without its SMS tool (or one that cannot run it) must not look
    // as if the ringtone went out.
    warn(u"Impossibile avviare il programma SMS «%1»."_s.arg(QDir::toNativeSeparators(tool)));
}

void RingtoneTransfer::warn(const QString &text)
{
    platform::MessageRequest request;
    request.text = text;
    request.icon = platform::MessageIcon::Warning;
    m_platform.messageBox->show(request);
}

} // namespace brivello::ringtones
