#include "tools/ringtonetools/TuneInput.h"

#include "tools/ringtonetools/OpenFileDialog.h"
#include "tools/ringtonetools/ToolServices.h"
#include "tools/ringtonetools/TuneFile.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

TuneInput::TuneInput(const ToolServices &services, QWidget *parent) : QWidget(parent), m_services(services)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    m_open = new QPushButton(u"Apri file…"_s, this);
    m_open->setObjectName(u"apri"_s);
    m_paste = new QPushButton(u"Incolla"_s, this);
    m_paste->setObjectName(u"incolla"_s);
    m_choice = new QComboBox(this);
    m_choice->setObjectName(u"brano"_s);
    m_choice->setMinimumContentsLength(30);
    m_choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_choice->hide();
    m_origin = new QLabel(this);
    m_origin->setObjectName(u"origine"_s);
    buttons->addWidget(m_open);
    buttons->addWidget(m_paste);
    buttons->addWidget(m_choice, 1);
    buttons->addWidget(m_origin, 1);
    layout->addLayout(buttons);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"testoRtttl"_s);
    m_text->setPlaceholderText(u"Scrivere o incollare qui una suoneria RTTTL, per esempio "
                               "Scala:d=4,o=5,b=120:c,d,e,f,g,a,b,c6"_s);
    m_text->setMaximumHeight(64);
    layout->addWidget(m_text);

    m_notes = new QListWidget(this);
    m_notes->setObjectName(u"correzioni"_s);
    m_notes->setMaximumHeight(76);
    m_notes->setWordWrap(true);
    layout->addWidget(m_notes);

    connect(m_open, &QPushButton::clicked, this, &TuneInput::openFile);
    connect(m_paste, &QPushButton::clicked, this, &TuneInput::pasteClipboard);
    connect(m_text, &QPlainTextEdit::textChanged, this, &TuneInput::readText);
    connect(m_choice, &QComboBox::activated, this, [this](int index) {
        const QSignalBlocker quiet(m_text);
        m_text->setPlainText(m_choice->itemText(index));
        readText();
    });
    readText();
}

void TuneInput::setTune(const QString &text, const QString &origin)
{
    m_choice->clear();
    m_choice->hide();
    m_origin->setText(origin);
    m_text->setPlainText(text);
}

void TuneInput::setTunes(const QStringList &tunes, const QString &origin)
{
    setTune(tunes.value(0), origin);
    if (tunes.size() < 2)
        return;
    const QSignalBlocker quiet(m_choice);
    m_choice->addItems(tunes);
    m_choice->setCurrentIndex(0);
    m_choice->show();
    m_origin->setText(u"%1 (%2 brani)"_s.arg(origin).arg(tunes.size()));
}

void TuneInput::openFile()
{
    OpenFileRequest request;
    request.title = u"Aprire una suoneria"_s;
    request.startFolder = QDir::currentPath();
    request.filter = u"Suonerie RTTTL (*.txt *.rtx *.rtttl);;Tutti i file (*)"_s;
    const QString path = m_services.openDialog->ask(request);
    if (path.isEmpty())
        return;
    const TuneFileReading file = readTuneFile(path);
    if (!file.error.isEmpty()) {
        platform::MessageRequest message;
        message.title = u"Aprire una suoneria"_s;
        message.text = file.error;
        message.icon = platform::MessageIcon::Warning;
        m_services.platform.messageBox->show(message);
        return;
    }
    setTunes(file.tunes, u"Dal file %1"_s.arg(QFileInfo(path).fileName()));
}

void TuneInput::pasteClipboard()
{
    const QString text = QGuiApplication::clipboard()->text();
    const QStringList tunes = tunesInText(text);
    if (tunes.isEmpty())
        setTune(text.trimmed(), u"Dagli appunti"_s);
    else
        setTunes(tunes, u"Dagli appunti"_s);
}

void TuneInput::readText()
{
    m_reading = readTune(m_text->toPlainText());
    showReading();
    Q_EMIT readingChanged();
}

void TuneInput::showReading()
{
    m_notes->clear();
    m_text->setExtraSelections({});
    const melody::RtttlReading &reading = m_reading.reading;
    if (m_text->toPlainText().trimmed().isEmpty())
        return;
    if (!reading.ok()) {
        auto *item = new QListWidgetItem(u"Non si può leggere: "_s + m_reading.explanation, m_notes);
        item->setForeground(Qt::darkRed);
        if (m_reading.spot.found()) {
            // The fault is marked, not selected: the user may be typing there.
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(m_text->document());
            mark.cursor.setPosition(static_cast<int>(m_reading.spot.start));
            mark.cursor.setPosition(static_cast<int>(m_reading.spot.start + m_reading.spot.length),
                                    QTextCursor::KeepAnchor);
            mark.format.setBackground(QColor(255, 200, 200));
            mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            mark.format.setUnderlineColor(Qt::red);
            m_text->setExtraSelections({mark});
        }
        return;
    }
    if (reading.fixes.isEmpty()) {
        new QListWidgetItem(u"Suoneria letta senza correzioni."_s, m_notes);
        return;
    }
    for (const QString &fix : reading.fixes)
        new QListWidgetItem(u"Corretto: "_s + fix, m_notes);
}

} // namespace brivello::ringtonetools
