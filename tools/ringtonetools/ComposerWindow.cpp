#include "tools/ringtonetools/ComposerWindow.h"

#include "platform/Clock.h"
#include "platform/QtDialogs.h"
#include "tools/ringtonetools/OpenFileDialog.h"
#include "tools/ringtonetools/PlayerBar.h"
#include "tools/ringtonetools/SaveFormats.h"
#include "tools/ringtonetools/SmsHandoff.h"
#include "tools/ringtonetools/ToolServices.h"
#include "tools/ringtonetools/TuneFile.h"
#include "tools/ringtonetools/TuneReading.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

struct KeyCap
{
    char16_t key;
    const char16_t *caption;
};

// The phone's keypad, row by row, and the keys beside it.
constexpr KeyCap Keypad[] = {
    {u'1', u"1\ndo"},        {u'2', u"2\nre"},     {u'3', u"3\nmi"},    {u'4', u"4\nfa"},
    {u'5', u"5\nsol"},       {u'6', u"6\nla"},     {u'7', u"7\nsi"},    {u'8', u"8\npiù corta"},
    {u'9', u"9\npiù lunga"}, {u'*', u"*\nottava"}, {u'0', u"0\npausa"}, {u'#', u"#\ndiesis"},
};
constexpr KeyCap SideKeys[] = {{u'C', u"C\ncancella"}, {u'<', u"◀"}, {u'>', u"▶"}};

bool isNoteKey(QChar key)
{
    return key >= u'1' && key <= u'7';
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

ComposerWindow::ComposerWindow(const ToolServices &services, QWidget *parent)
    : QWidget(parent), m_services(services), m_hold(services.platform.clock->createTimer())
{
    setWindowTitle(u"Compositore Suonerie"_s);
    setObjectName(u"Compositore"_s);
    auto *layout = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(u"nome"_s);
    m_name->setPlaceholderText(u"Nome della suoneria"_s);
    m_artist = new QLineEdit(this);
    m_artist->setObjectName(u"autore"_s);
    m_artist->setPlaceholderText(u"Autore"_s);
    m_tempo = new QSpinBox(this);
    m_tempo->setObjectName(u"tempo"_s);
    m_tempo->setRange(melody::MinBpm, melody::MaxBpm);
    m_tempo->setSuffix(u" bpm"_s);
    m_tempo->setValue(m_tune.tempo());
    top->addWidget(new QLabel(u"Nome:"_s, this));
    top->addWidget(m_name, 2);
    top->addWidget(new QLabel(u"Autore:"_s, this));
    top->addWidget(m_artist, 1);
    top->addWidget(new QLabel(u"Tempo:"_s, this));
    top->addWidget(m_tempo);
    layout->addLayout(top);

    auto *middle = new QHBoxLayout;
    m_screen = new QLabel(this);
    m_screen->setObjectName(u"schermo"_s);
    m_screen->setTextFormat(Qt::RichText);
    m_screen->setWordWrap(true);
    m_screen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_screen->setFocusPolicy(Qt::StrongFocus);
    m_screen->setMargin(10);
    m_screen->setStyleSheet(u"QLabel { background: #b5c99a; color: #1f2a14; border: 3px solid #4b5a3a;"
                            " border-radius: 6px; font-family: monospace; font-size: 15px; }"_s);
    m_screen->installEventFilter(this);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_screen);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(380);
    middle->addWidget(scroll, 3);
    auto *keypadPanel = new QWidget(this);
    buildKeypad(keypadPanel);
    middle->addWidget(keypadPanel, 2);
    layout->addLayout(middle, 1);

    m_keys = new QLabel(this);
    m_keys->setObjectName(u"tasti"_s);
    m_keys->setWordWrap(true);
    m_keys->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_keys);

    auto *bottom = new QHBoxLayout;
    m_player =
        new PlayerBar(services.sound, *services.platform.clock, PlayerBar::Controls::PlayStopOnly, this);
    bottom->addWidget(m_player, 1);
    m_open = new QPushButton(u"Apri…"_s, this);
    m_open->setObjectName(u"apri"_s);
    bottom->addWidget(m_open);
    // Three to a row, so that the window fits a 1024 pixel wide screen.
    auto *saves = new QGridLayout;
    for (const SaveFormat &format : saveFormats()) {
        auto *button = new QPushButton(u"Salva come %1…"_s.arg(format.label), this);
        button->setObjectName(u"salva-"_s + format.id);
        connect(button, &QPushButton::clicked, this, [this, format] {
            if (m_tune.size() == 0) {
                m_status->setText(u"La suoneria è vuota: niente da salvare."_s);
                return;
            }
            const QString saved = saveAs(m_services, format, m_tune.melody());
            if (!saved.isEmpty())
                m_status->setText(savedMessage(saved));
        });
        const int index = static_cast<int>(m_saves.size());
        saves->addWidget(button, index / 3, index % 3);
        m_saves[format.id] = button;
    }
    m_sms = new QPushButton(u"Invia via SMS…"_s, this);
    m_sms->setObjectName(u"sms"_s);
    bottom->addWidget(m_sms);
    layout->addLayout(bottom);
    layout->addLayout(saves);

    m_status = new QLabel(this);
    m_status->setObjectName(u"stato"_s);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    for (QPushButton *button : {m_open, m_sms})
        button->setFocusPolicy(Qt::NoFocus);
    m_hold->setInterval(HoldMilliseconds);
    connect(m_hold.get(), &platform::Timer::timeout, this, &ComposerWindow::holdElapsed);
    connect(m_open, &QPushButton::clicked, this, &ComposerWindow::openFile);
    connect(m_sms, &QPushButton::clicked, this, &ComposerWindow::sendBySms);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString &name) {
        m_tune.setName(name);
        refresh();
    });
    connect(m_tempo, &QSpinBox::valueChanged, this, [this](int bpm) {
        m_tune.setTempo(bpm);
        refresh();
    });
    connect(m_player, &PlayerBar::failed, m_status, &QLabel::setText);
    refresh();
    resize(platform::sizeOnScreen(*this, QSize(900, 560)));
    m_screen->setFocus();
}

ComposerWindow::~ComposerWindow() = default;

void ComposerWindow::buildKeypad(QWidget *panel)
{
    auto *grid = new QGridLayout(panel);
    int index = 0;
    for (const KeyCap &cap : Keypad) {
        auto *button = new QPushButton(QString::fromUtf16(cap.caption), panel);
        const QChar key(cap.key);
        button->setObjectName(u"tasto-"_s + key);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumSize(72, 48);
        grid->addWidget(button, index / 3, index % 3);
        ++index;
        m_keypad[key] = button;
        if (isNoteKey(key)) {
            // A note key dots its note when it is held, as on the phone.
            connect(button, &QPushButton::pressed, this, [this, key] {
                const int before = m_tune.size();
                press(key);
                if (m_tune.size() > before)
                    m_hold->start();
            });
            connect(button, &QPushButton::released, this, &ComposerWindow::keyReleasedByMouse);
        } else {
            connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
        }
    }
    int column = 0;
    for (const KeyCap &cap : SideKeys) {
        auto *button = new QPushButton(QString::fromUtf16(cap.caption), panel);
        const QChar key(cap.key);
        button->setObjectName(u"tasto-"_s + key);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumSize(72, 48);
        grid->addWidget(button, 4, column++);
        m_keypad[key] = button;
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
    }
    m_undo = new QPushButton(u"Annulla l'ultima modifica"_s, panel);
    m_undo->setObjectName(u"annulla"_s);
    m_undo->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(m_undo, 5, 0, 1, 3);
    connect(m_undo, &QPushButton::clicked, this, [this] { apply(m_tune.undo(), u"Niente da annullare."_s); });
}

void ComposerWindow::keyReleasedByMouse()
{
    m_hold->stop();
}

void ComposerWindow::holdElapsed()
{
    m_hold->stop();
    apply(m_tune.toggleDot());
}

void ComposerWindow::press(QChar key)
{
    m_screen->setFocus();
    if (isNoteKey(key)) {
        apply(m_tune.pressNote(key.digitValue()),
              u"Il compositore tiene al massimo %1 note."_s.arg(melody::MaxNotes));
        return;
    }
    const bool onNote = m_tune.currentIsNote();
    const bool any = m_tune.current() >= 0;
    switch (key.unicode()) {
    case u'0':
        apply(m_tune.pressPause(), u"Il compositore tiene al massimo %1 note."_s.arg(melody::MaxNotes));
        break;
    case u'8':
        apply(m_tune.shorter(), any ? u"Più corta di 1/32 non si può."_s : u"Nessuna nota da accorciare."_s);
        break;
    case u'9':
        apply(m_tune.longer(), any ? u"Più lunga di 1/1 non si può."_s : u"Nessuna nota da allungare."_s);
        break;
    case u'*':
        apply(m_tune.cycleOctave());
        break;
    case u'#':
        apply(m_tune.toggleSharp(),
              onNote ? u"Mi e si non hanno il diesis."_s : u"Il diesis va su una nota."_s);
        break;
    case u'.':
        apply(m_tune.toggleDot(), u"Solo le note si possono puntare."_s);
        break;
    case u'C':
        apply(m_tune.deleteCurrent(), u"Niente da cancellare."_s);
        break;
    case u'<':
        apply(m_tune.moveLeft(), QString());
        break;
    case u'>':
        apply(m_tune.moveRight(), QString());
        break;
    default:
        break;
    }
}

bool ComposerWindow::handleKey(int key, bool autoRepeat, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Z && modifiers.testFlag(Qt::ControlModifier)) {
        apply(m_tune.undo(), u"Niente da annullare."_s);
        return true;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_7) {
        if (!autoRepeat) {
            m_heldKey = key;
            m_heldDotted = false;
            press(QChar(u'0' + (key - Qt::Key_0)));
        } else if (key == m_heldKey && !m_heldDotted) {
            // The key is held: the phone dots the note.
            m_heldDotted = true;
            apply(m_tune.toggleDot());
        }
        return true;
    }
    if (autoRepeat && key != Qt::Key_Left && key != Qt::Key_Right)
        return true;
    switch (key) {
    case Qt::Key_0:
    case Qt::Key_8:
    case Qt::Key_9:
        press(QChar(u'0' + (key - Qt::Key_0)));
        return true;
    case Qt::Key_Asterisk:
        press(u'*');
        return true;
    case Qt::Key_NumberSign:
        press(u'#');
        return true;
    case Qt::Key_Period:
        press(u'.');
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_C:
        press(u'C');
        return true;
    case Qt::Key_Left:
        press(u'<');
        return true;
    case Qt::Key_Right:
        press(u'>');
        return true;
    default:
        return false;
    }
}

bool ComposerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_screen && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (handleKey(key->key(), key->isAutoRepeat(), key->modifiers()))
            return true;
    }
    if (watched == m_screen && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat() && key->key() == m_heldKey)
            m_heldKey = 0;
    }
    return QWidget::eventFilter(watched, event);
}

void ComposerWindow::apply(bool changed, const QString &refusal)
{
    if (changed) {
        m_status->clear();
        refresh();
    } else if (!refusal.isEmpty()) {
        m_status->setText(refusal);
    }
}

void ComposerWindow::refresh()
{
    const QStringList entries = m_tune.screen();
    QStringList shown;
    for (int i = 0; i < entries.size(); ++i) {
        const QString entry = escaped(entries[i]);
        shown.append(i == m_tune.current()
                         ? u"<span style=\"background:#1f2a14; color:#b5c99a;\">%1</span>"_s.arg(entry)
                         : entry);
    }
    const QString head =
        u"<div style=\"font-size:12px;\">Ottava %1 · %2 note</div>"_s.arg(m_tune.octave()).arg(m_tune.size());
    const QString cursor =
        m_tune.current() < 0 ? u"<span style=\"background:#1f2a14;\">&nbsp;</span> "_s : QString();
    m_screen->setText(head + u"<p>"_s + cursor + shown.join(u' ') + u"</p>"_s);
    const melody::Melody tune = m_tune.melody();
    m_keys->setText(tune.notes.empty() ? QString()
                                       : u"Tasti da premere sul telefono: "_s + melody::nokiaKeypad(tune));
    m_undo->setEnabled(m_tune.canUndo());
    m_player->setMelody(tune);
}

bool ComposerWindow::loadRtttl(const QString &text)
{
    const TuneReading reading = readTune(text);
    if (!reading.reading.ok()) {
        platform::MessageRequest message;
        message.title = u"Compositore Suonerie"_s;
        message.text = u"La suoneria non si può aprire: "_s + reading.explanation;
        message.icon = platform::MessageIcon::Warning;
        m_services.platform.messageBox->show(message);
        return false;
    }
    QStringList notes = reading.reading.fixes;
    notes += m_tune.load(reading.reading.melody);
    {
        const QSignalBlocker quietName(m_name);
        const QSignalBlocker quietTempo(m_tempo);
        m_name->setText(m_tune.name());
        m_tempo->setValue(m_tune.tempo());
    }
    refresh();
    m_status->setText(notes.join(u' '));
    return true;
}

void ComposerWindow::openFile()
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
    if (loadRtttl(file.tunes.first()) && file.tunes.size() > 1)
        m_status->setText(u"Il file contiene %1 suonerie: aperta la prima. "_s.arg(file.tunes.size()) +
                          m_status->text());
}

void ComposerWindow::sendBySms()
{
    if (m_tune.size() == 0) {
        m_status->setText(u"La suoneria è vuota: niente da inviare."_s);
        return;
    }
    if (ringtonetools::sendBySms(m_services, m_artist->text(), m_tune.melody()))
        m_status->setText(u"Suoneria passata al programma SMS."_s);
}

} // namespace brivello::ringtonetools
