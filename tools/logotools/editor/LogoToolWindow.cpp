#include "tools/logotools/editor/LogoToolWindow.h"

#include "logos/pictures/LogoFonts.h"
#include "platform/Dialogs.h"
#include "tools/logotools/editor/GalleryPicker.h"
#include "tools/logotools/editor/OpenFileDialog.h"
#include "tools/logotools/editor/OperatorPicker.h"
#include "tools/logotools/editor/PhoneScreenView.h"
#include "tools/logotools/editor/PixelCanvas.h"
#include "tools/logotools/editor/ReduceDialog.h"
#include "tools/logotools/picture/MonoPicture.h"
#include "tools/logotools/picture/OperatorList.h"
#include "tools/logotools/picture/PhoneScreen.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

constexpr int ZoomStep = 2;

struct ToolText
{
    Tool tool;
    QString name;
    QKeySequence shortcut;
    QString hint;
};

const QList<ToolText> &toolTexts()
{
    static const QList<ToolText> texts = {
        {Tool::Pencil, u"&Matita"_s, QKeySequence(Qt::Key_M),
         u"Matita: clic o trascina per disegnare in nero, col tasto destro in bianco. Da tastiera: "
         "frecce per muoversi, Spazio per un punto, Maiusc+frecce per tracciare."_s},
        {Tool::Eraser, u"&Gomma"_s, QKeySequence(Qt::Key_G),
         u"Gomma: clic o trascina per cancellare. Da tastiera: Spazio cancella il punto del "
         "cursore, Maiusc+frecce cancella lungo il cammino."_s},
        {Tool::Line, u"&Linea"_s, QKeySequence(Qt::Key_L),
         u"Linea: trascina da un capo all'altro (col tasto destro in bianco). Da tastiera: Spazio "
         "sul primo capo, frecce, Spazio sul secondo; Esc annulla."_s},
        {Tool::Rectangle, u"&Rettangolo"_s, QKeySequence(Qt::Key_R),
         u"Rettangolo: trascina da un angolo all'opposto. Da tastiera: Spazio sul primo angolo, "
         "frecce, Spazio sul secondo; Esc annulla."_s},
        {Tool::FilledRectangle, u"Rettangolo &pieno"_s, QKeySequence(Qt::Key_P),
         u"Rettangolo pieno: come il rettangolo, ma riempito."_s},
        {Tool::Fill, u"Riempi&mento"_s, QKeySequence(Qt::Key_B),
         u"Riempimento: clic dentro un'area per riempirla di nero, col tasto destro di bianco. "
         "Da tastiera: Spazio riempie l'area del cursore."_s},
        {Tool::Text, u"&Testo"_s, QKeySequence(Qt::Key_T), QString()},
        {Tool::Stamp, u"&Timbro"_s, QKeySequence(Qt::Key_S), QString()},
    };
    return texts;
}

struct FaceText
{
    logos::FontFace face;
    QString name;
};

const QList<FaceText> &fontFaces()
{
    static const QList<FaceText> faces = {
        {logos::FontFace::Normal, u"Normali (8 righe)"_s},
        {logos::FontFace::Small, u"Piccole, maiuscole (5 righe)"_s},
        {logos::FontFace::Bold, u"Grassetto (8 righe)"_s},
        {logos::FontFace::Big, u"Grandi, maiuscole (14 righe)"_s},
    };
    return faces;
}

QString kindName(LogoKind kind)
{
    switch (kind) {
    case LogoKind::OperatorLogo:
        return u"Logo operatore (72 × 14)"_s;
    case LogoKind::GroupGraphic:
        return u"Logo di gruppo (72 × 14)"_s;
    case LogoKind::PictureMessage:
        return u"Immagine per messaggio (72 × 28)"_s;
    }
    return {};
}

QIcon iconPicture(const logos::PixelBitmap &bitmap)
{
    const QImage picture = toPicture(bitmap).convertToFormat(QImage::Format_RGB32);
    return QIcon(QPixmap::fromImage(picture.scaled(picture.size() * 2)));
}

QString networkText(const Network &network)
{
    if (!network.isValid())
        return u"nessuna"_s;
    const QString name = network.name.isEmpty() ? u"rete sconosciuta"_s : network.name;
    return u"%1 (%2), MCC %3 MNC %4"_s.arg(name, network.country, network.mcc, network.mnc);
}

Network networkOfCode(const OperatorList &operators, const QString &code)
{
    if (const auto known = operators.find(code))
        return *known;
    const QStringList parts = code.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return {};
    return {parts.at(0), parts.at(1), QString(), QString()};
}

} // namespace

LogoToolWindow::LogoToolWindow(const ToolFace &face, LogoToolServices services, QWidget *parent)
    : QMainWindow(parent), m_face(face), m_services(std::move(services)),
      m_operators(m_services.operators ? *m_services.operators : OperatorList::builtIn()),
      m_kind(face.kinds.first()), m_editor(pictureSize(m_kind))
{
    buildCommands();
    buildMenus();

    m_canvas = new PixelCanvas(m_editor);
    auto *scroll = new QScrollArea;
    scroll->setWidget(m_canvas);
    scroll->setAlignment(Qt::AlignCenter);
    // Small enough for the window to fit a 1024 x 768 screen beside the
    // phone's view; the canvas scrolls when the zoom is larger.
    scroll->setMinimumSize(PictureSize.width() * 6 + 24, PictureSize.height() * 6 + 24);

    auto *left = new QVBoxLayout;
    if (m_face.kinds.size() > 1) {
        m_kindBox = new QComboBox;
        for (LogoKind kind : m_face.kinds)
            m_kindBox->addItem(kindName(kind), int(kind));
        auto *kindRow = new QFormLayout;
        kindRow->addRow(u"&Disegno:"_s, m_kindBox);
        left->addLayout(kindRow);
        connect(m_kindBox, &QComboBox::currentIndexChanged, this,
                [this] { setKind(LogoKind(m_kindBox->currentData().toInt())); });
    }
    left->addWidget(scroll, 1);
    left->addWidget(buildToolOptions());

    m_messageRow = new QWidget;
    m_messageText = new QLineEdit;
    m_messageText->setMaxLength(PictureMessageTextLimit);
    m_messageText->setAccessibleName(u"Testo del messaggio"_s);
    m_messageCount = new QLabel;
    auto *messageLayout = new QHBoxLayout(m_messageRow);
    messageLayout->setContentsMargins(0, 0, 0, 0);
    auto *messageLabel = new QLabel(u"Testo del messa&ggio:"_s);
    messageLabel->setBuddy(m_messageText);
    messageLayout->addWidget(messageLabel);
    messageLayout->addWidget(m_messageText, 1);
    messageLayout->addWidget(m_messageCount);
    left->addWidget(m_messageRow);
    connect(m_messageText, &QLineEdit::textChanged, this, [this] {
        m_messageCount->setText(u"%1/%2"_s.arg(m_messageText->text().size()).arg(PictureMessageTextLimit));
        refreshScreens();
    });

    auto *central = new QWidget;
    auto *columns = new QHBoxLayout(central);
    columns->addLayout(left, 1);
    columns->addWidget(buildSidePanel());
    setCentralWidget(central);

    m_position = new QLabel;
    statusBar()->addPermanentWidget(m_position);

    connect(&m_editor, &PictureEditor::changed, this, [this] {
        followPictureSize();
        refreshScreens();
        refreshTitle();
        refreshCommands();
    });
    connect(&m_editor, &PictureEditor::cursorMoved, this,
            [this](QPoint at) { m_position->setText(u"Punto %1, %2"_s.arg(at.x()).arg(at.y())); });
    connect(&m_editor, &PictureEditor::problem, this, &LogoToolWindow::tell);
    connect(m_canvas, &PixelCanvas::zoomChanged, this,
            [this](int zoom) { tell(u"Ingrandimento: %1 volte"_s.arg(zoom)); });

    m_position->setText(u"Punto 0, 0"_s);
    m_messageCount->setText(u"0/%1"_s.arg(PictureMessageTextLimit));
    m_tools.at(Tool::Pencil)->setChecked(true);
    applyTextSettings();
    applyStampSettings();
    m_editor.setTool(Tool::Pencil);
    showToolOptions();
    refreshKindControls();
    refreshFormats();
    refreshNetwork();
    refreshScreens();
    refreshTitle();
    refreshCommands();
    m_canvas->setFocus();
}

LogoToolWindow::~LogoToolWindow() = default;

void LogoToolWindow::addCommand(Command command, const QString &text, const QKeySequence &shortcut,
                                std::function<void()> action)
{
    auto *qaction = new QAction(text, this);
    if (!shortcut.isEmpty())
        qaction->setShortcut(shortcut);
    connect(qaction, &QAction::triggered, this, [action = std::move(action)] { action(); });
    m_commands[command] = qaction;
}

void LogoToolWindow::buildCommands()
{
    addCommand(Command::New, u"&Nuovo"_s, QKeySequence::New, [this] { newPicture(); });
    addCommand(Command::Gallery, u"Logo dalla &galleria..."_s, QKeySequence(Qt::CTRL | Qt::Key_G),
               [this] { pickFromGallery(); });
    addCommand(Command::Open, u"&Apri..."_s, QKeySequence::Open, [this] { openFile(); });
    addCommand(Command::Save, u"&Salva"_s, QKeySequence::Save, [this] { save(); });
    addCommand(Command::SaveAs, u"Salva &con nome..."_s, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
               [this] { saveAs(); });
    addCommand(Command::Quit, u"&Esci"_s, QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
    addCommand(Command::Undo, u"&Annulla"_s, QKeySequence::Undo, [this] { m_editor.undo(); });
    addCommand(Command::Redo, u"&Ripeti"_s, QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { m_editor.redo(); });
    addCommand(Command::Invert, u"&Inverti i colori"_s, QKeySequence(Qt::CTRL | Qt::Key_I),
               [this] { m_editor.invert(); });
    addCommand(Command::ShiftLeft, u"Sposta a &sinistra"_s, QKeySequence(Qt::ALT | Qt::Key_Left),
               [this] { m_editor.shift(-1, 0); });
    addCommand(Command::ShiftRight, u"Sposta a &destra"_s, QKeySequence(Qt::ALT | Qt::Key_Right),
               [this] { m_editor.shift(1, 0); });
    addCommand(Command::ShiftUp, u"Sposta in &su"_s, QKeySequence(Qt::ALT | Qt::Key_Up),
               [this] { m_editor.shift(0, -1); });
    addCommand(Command::ShiftDown, u"Sposta in gi&ù"_s, QKeySequence(Qt::ALT | Qt::Key_Down),
               [this] { m_editor.shift(0, 1); });
    addCommand(Command::Clear, u"Cance&lla tutto"_s, QKeySequence(Qt::CTRL | Qt::Key_Delete),
               [this] { m_editor.clear(); });
    addCommand(Command::ZoomIn, u"&Ingrandisci"_s, QKeySequence::ZoomIn,
               [this] { m_canvas->setZoom(m_canvas->zoom() + ZoomStep); });
    addCommand(Command::ZoomOut, u"&Riduci"_s, QKeySequence::ZoomOut,
               [this] { m_canvas->setZoom(m_canvas->zoom() - ZoomStep); });
    addCommand(Command::PickNetwork, u"Scegli la &rete..."_s, QKeySequence(Qt::CTRL | Qt::Key_R),
               [this] { pickNetwork(); });
    addCommand(Command::Help, u"&Istruzioni"_s, QKeySequence::HelpContents, [this] { showHelp(); });
    m_commands.at(Command::Redo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_commands.at(Command::ZoomIn)
        ->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});

    auto *group = new QActionGroup(this);
    for (const ToolText &text : toolTexts()) {
        auto *action = new QAction(text.name, group);
        action->setCheckable(true);
        action->setShortcut(text.shortcut);
        action->setToolTip(u"%1 (%2)"_s.arg(QString(text.name).remove(QLatin1Char('&')),
                                            text.shortcut.toString(QKeySequence::NativeText)));
        const Tool tool = text.tool;
        connect(action, &QAction::triggered, this, [this, tool] {
            m_editor.setTool(tool);
            showToolOptions();
            if (tool == Tool::Text && m_textBox->text().isEmpty())
                m_textBox->setFocus();
            else
                m_canvas->setFocus();
        });
        m_tools[tool] = action;
    }
}

void LogoToolWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(u"&File"_s);
    for (Command command : {Command::New, Command::Gallery, Command::Open})
        file->addAction(m_commands.at(command));
    file->addSeparator();
    file->addAction(m_commands.at(Command::Save));
    file->addAction(m_commands.at(Command::SaveAs));
    file->addSeparator();
    file->addAction(m_commands.at(Command::Quit));

    QMenu *edit = menuBar()->addMenu(u"&Modifica"_s);
    edit->addAction(m_commands.at(Command::Undo));
    edit->addAction(m_commands.at(Command::Redo));
    edit->addSeparator();
    for (Command command : {Command::Invert, Command::ShiftLeft, Command::ShiftRight, Command::ShiftUp,
                            Command::ShiftDown, Command::Clear})
        edit->addAction(m_commands.at(command));
    edit->addSeparator();
    edit->addAction(m_commands.at(Command::PickNetwork));

    QMenu *tools = menuBar()->addMenu(u"S&trumenti"_s);
    auto *bar = addToolBar(u"Strumenti"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setMovable(false);
    for (const ToolText &text : toolTexts()) {
        tools->addAction(m_tools.at(text.tool));
        bar->addAction(m_tools.at(text.tool));
    }
    bar->addSeparator();
    for (Command command : {Command::Undo, Command::Redo, Command::Invert})
        bar->addAction(m_commands.at(command));

    QMenu *view = menuBar()->addMenu(u"&Visualizza"_s);
    view->addAction(m_commands.at(Command::ZoomIn));
    view->addAction(m_commands.at(Command::ZoomOut));

    QMenu *help = menuBar()->addMenu(u"&Aiuto"_s);
    help->addAction(m_commands.at(Command::Help));
}

QWidget *LogoToolWindow::buildToolOptions()
{
    m_options = new QStackedWidget;

    m_toolHint = new QLabel;
    m_toolHint->setWordWrap(true);
    m_options->addWidget(m_toolHint);

    auto *textPage = new QWidget;
    m_textBox = new QLineEdit;
    m_textBox->setAccessibleName(u"Testo da scrivere"_s);
    m_fontBox = new QComboBox;
    for (const FaceText &face : fontFaces())
        m_fontBox->addItem(face.name, int(face.face));
    m_trackingBox = new QSpinBox;
    m_trackingBox->setRange(0, 4);
    auto *textForm = new QFormLayout(textPage);
    textForm->setContentsMargins(0, 0, 0, 0);
    textForm->addRow(u"Te&sto:"_s, m_textBox);
    auto *textLook = new QHBoxLayout;
    textLook->addWidget(m_fontBox, 1);
    textLook->addWidget(new QLabel(u"Spaziatura:"_s));
    textLook->addWidget(m_trackingBox);
    textForm->addRow(u"Lettere:"_s, textLook);
    textForm->addRow(new QLabel(u"Clic o Spazio mettono qui l'angolo in alto a sinistra del testo."_s));
    m_options->addWidget(textPage);
    connect(m_textBox, &QLineEdit::textChanged, this, &LogoToolWindow::applyTextSettings);
    connect(m_fontBox, &QComboBox::currentIndexChanged, this, &LogoToolWindow::applyTextSettings);
    connect(m_trackingBox, &QSpinBox::valueChanged, this, &LogoToolWindow::applyTextSettings);
    // Enter in the text box prints the text at the cursor.
    connect(m_textBox, &QLineEdit::returnPressed, this, [this] {
        m_editor.act();
        m_canvas->setFocus();
    });

    auto *stampPage = new QWidget;
    m_iconBox = new QComboBox;
    m_iconBox->setIconSize(QSize(32, 28));
    QStringList names = logos::builtInIcons().keys();
    std::sort(names.begin(), names.end());
    for (const QString &name : std::as_const(names))
        m_iconBox->addItem(iconPicture(logos::builtInIcons().value(name)), name, name);
    m_mirrorBox = new QCheckBox(u"A spe&cchio"_s);
    auto *stampForm = new QFormLayout(stampPage);
    stampForm->setContentsMargins(0, 0, 0, 0);
    auto *stampRow = new QHBoxLayout;
    stampRow->addWidget(m_iconBox, 1);
    stampRow->addWidget(m_mirrorBox);
    // A label names its shortcut only for a widget it is the buddy of.
    auto *iconLabel = new QLabel(u"F&igura:"_s);
    iconLabel->setBuddy(m_iconBox);
    stampForm->addRow(iconLabel, stampRow);
    stampForm->addRow(new QLabel(u"Clic o Spazio mettono qui l'angolo in alto a sinistra della figura."_s));
    m_options->addWidget(stampPage);
    connect(m_iconBox, &QComboBox::currentIndexChanged, this, &LogoToolWindow::applyStampSettings);
    connect(m_mirrorBox, &QCheckBox::toggled, this, &LogoToolWindow::applyStampSettings);
    return m_options;
}

QWidget *LogoToolWindow::buildSidePanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *screens = new QGroupBox(u"Sul telefono"_s);
    auto *screensLayout = new QVBoxLayout(screens);
    m_phone = new PhoneScreenView(3);
    m_actualSize = new PhoneScreenView(1);
    screensLayout->addWidget(m_phone, 0, Qt::AlignHCenter);
    auto *actualRow = new QHBoxLayout;
    actualRow->addWidget(new QLabel(u"Dimensione reale:"_s));
    actualRow->addWidget(m_actualSize);
    actualRow->addStretch();
    screensLayout->addLayout(actualRow);
    layout->addWidget(screens);

    m_networkRow = new QGroupBox(u"Rete del logo"_s);
    auto *networkLayout = new QVBoxLayout(m_networkRow);
    m_networkLabel = new QLabel;
    m_networkLabel->setWordWrap(true);
    m_networkButton = new QPushButton(u"Scegli la &rete..."_s);
    networkLayout->addWidget(m_networkLabel);
    networkLayout->addWidget(m_networkButton, 0, Qt::AlignLeft);
    layout->addWidget(m_networkRow);
    connect(m_networkButton, &QPushButton::clicked, this, [this] { pickNetwork(); });

    auto *saving = new QGroupBox(u"Salva per un altro programma"_s);
    auto *savingLayout = new QFormLayout(saving);
    m_formatBox = new QComboBox;
    m_saveButton = new QPushButton(u"Salva con &nome..."_s);
    savingLayout->addRow(u"F&ormato:"_s, m_formatBox);
    savingLayout->addRow(m_saveButton);
    layout->addWidget(saving);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { saveAs(); });

    if (!m_services.sendSteps.empty()) {
        auto *sending = new QGroupBox(u"Invia al telefono"_s);
        auto *sendingLayout = new QVBoxLayout(sending);
        for (const std::shared_ptr<SendStep> &step : m_services.sendSteps) {
            auto *button = new QPushButton(step->buttonText());
            sendingLayout->addWidget(button);
            m_sendButtons.append(button);
            SendStep *raw = step.get();
            connect(button, &QPushButton::clicked, this, [this, raw] { raw->start(document(), this); });
        }
        layout->addWidget(sending);
    }
    layout->addStretch();
    return panel;
}

LogoDocument LogoToolWindow::document() const
{
    LogoDocument document;
    document.kind = m_kind;
    document.picture = toPicture(m_editor.picture());
    if (m_kind == LogoKind::OperatorLogo)
        document.network = m_network;
    if (m_kind == LogoKind::PictureMessage)
        document.text = m_messageText->text();
    return document;
}

void LogoToolWindow::applyTextSettings()
{
    m_editor.setTextSettings(
        {m_textBox->text(), logos::FontFace(m_fontBox->currentData().toInt()), m_trackingBox->value()});
}

void LogoToolWindow::applyStampSettings()
{
    m_editor.setStampSettings({m_iconBox->currentData().toString(), m_mirrorBox->isChecked()});
}

void LogoToolWindow::showToolOptions()
{
    const Tool tool = m_editor.tool();
    if (tool == Tool::Text) {
        m_options->setCurrentIndex(1);
        return;
    }
    if (tool == Tool::Stamp) {
        m_options->setCurrentIndex(2);
        return;
    }
    for (const ToolText &text : toolTexts()) {
        if (text.tool == tool)
            m_toolHint->setText(text.hint);
    }
    m_options->setCurrentIndex(0);
}

void LogoToolWindow::setKind(LogoKind kind)
{
    if (kind == m_kind || !m_face.kinds.contains(kind))
        return;
    m_kind = kind;
    if (m_editor.size() != pictureSize(kind))
        m_editor.replace(centredIn(m_editor.picture(), pictureSize(kind)));
    if (!formatFits(m_pathFormat, m_kind))
        m_path.clear();
    refreshKindControls();
    refreshFormats();
    refreshScreens();
    refreshTitle();
}

// An undo or redo across a change of size brings the kind of that size back.
void LogoToolWindow::followPictureSize()
{
    if (m_editor.size() == pictureSize(m_kind))
        return;
    for (LogoKind kind : m_face.kinds) {
        if (pictureSize(kind) == m_editor.size()) {
            m_kind = kind;
            refreshKindControls();
            refreshFormats();
            return;
        }
    }
}

void LogoToolWindow::refreshKindControls()
{
    if (m_kindBox) {
        const QSignalBlocker blocker(m_kindBox);
        m_kindBox->setCurrentIndex(m_kindBox->findData(int(m_kind)));
    }
    m_networkRow->setVisible(m_kind == LogoKind::OperatorLogo);
    m_messageRow->setVisible(m_kind == LogoKind::PictureMessage);
    for (std::size_t i = 0; i < m_services.sendSteps.size(); ++i)
        m_sendButtons.at(qsizetype(i))->setVisible(m_services.sendSteps.at(i)->takes(m_kind));
}

void LogoToolWindow::refreshFormats()
{
    const QVariant before = m_formatBox->currentData();
    const QSignalBlocker blocker(m_formatBox);
    m_formatBox->clear();
    for (const FormatInfo &info : pictureFormats()) {
        if (formatFits(info.format, m_kind))
            m_formatBox->addItem(u"%1 (.%2)"_s.arg(info.name, info.extension), int(info.format));
    }
    const int kept = m_formatBox->findData(before);
    m_formatBox->setCurrentIndex(kept >= 0 ? kept : 0);
}

void LogoToolWindow::refreshScreens()
{
    const PixelBitmap screen = logotools::phoneScreen(
        m_kind, m_editor.shown(), m_kind == LogoKind::PictureMessage ? m_messageText->text() : QString());
    m_phone->setScreen(screen);
    m_actualSize->setScreen(screen);
}

void LogoToolWindow::refreshNetwork()
{
    m_networkLabel->setText(networkText(m_network));
}

void LogoToolWindow::refreshTitle()
{
    const QString name = m_path.isEmpty() ? u"senza nome"_s : QFileInfo(m_path).fileName();
    setWindowTitle(u"%1[*] - %2"_s.arg(name, m_face.title));
    setWindowModified(m_editor.isModified());
}

void LogoToolWindow::refreshCommands()
{
    m_commands.at(Command::Undo)->setEnabled(m_editor.canUndo());
    m_commands.at(Command::Redo)->setEnabled(m_editor.canRedo());
}

void LogoToolWindow::tell(const QString &message)
{
    statusBar()->showMessage(message);
}

QString LogoToolWindow::dialogFolder() const
{
    return m_lastFolder.isEmpty() ? m_services.startFolder : m_lastFolder;
}

PictureFormat LogoToolWindow::selectedFormat() const
{
    return PictureFormat(m_formatBox->currentData().toInt());
}

bool LogoToolWindow::confirmDiscard()
{
    if (!m_editor.isModified())
        return true;
    platform::MessageRequest request;
    request.title = m_face.title;
    request.text = u"Il disegno non è stato salvato. Salvarlo adesso?"_s;
    request.buttons = platform::MessageButtons::YesNoCancel;
    request.icon = platform::MessageIcon::Question;
    switch (m_services.messageBox->show(request)) {
    case platform::MessageAnswer::Yes:
        return save();
    case platform::MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void LogoToolWindow::closeEvent(QCloseEvent *event)
{
    if (confirmDiscard())
        event->accept();
    else
        event->ignore();
}

void LogoToolWindow::newPicture()
{
    if (!confirmDiscard())
        return;
    m_editor.reset(PixelBitmap(pictureSize(m_kind).width(), pictureSize(m_kind).height()));
    m_path.clear();
    refreshTitle();
    tell(u"Nuovo disegno."_s);
}

void LogoToolWindow::pickFromGallery()
{
    auto *picker = new GalleryPicker(this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    m_galleryPicker = picker;
    connect(picker, &QDialog::accepted, this, [this, picker] {
        const QImage logo = picker->chosenLogo();
        if (logo.isNull())
            return;
        m_editor.replace(centredIn(toBitmap(logo), pictureSize(m_kind)));
        m_path.clear();
        refreshTitle();
        tell(u"Logo della galleria: %1."_s.arg(picker->chosenName()));
        m_canvas->setFocus();
    });
    picker->open();
}

void LogoToolWindow::openFile()
{
    OpenFileRequest request;
    request.title = u"Apri un'immagine"_s;
    request.startFolder = dialogFolder();
    request.filter = u"Immagini (*.bmp *.png *.jpg *.jpeg *.gif *.nol *.ngg *.nlm *.otb *.wbmp);;"
                     "Tutti i file (*)"_s;
    const QString path = m_services.openFileDialog->ask(request);
    if (path.isEmpty())
        return;
    OpenedPicture opened;
    QString error;
    if (!readPictureFile(path, &opened, &error)) {
        platform::MessageRequest message;
        message.title = m_face.title;
        message.text = error;
        message.icon = platform::MessageIcon::Warning;
        m_services.messageBox->show(message);
        return;
    }
    m_lastFolder = QFileInfo(path).absolutePath();
    useOpenedPicture(opened, path);
}

void LogoToolWindow::useOpenedPicture(const OpenedPicture &opened, const QString &path)
{
    LogoKind target = m_kind;
    if (opened.kind && m_face.kinds.contains(*opened.kind)) {
        target = *opened.kind;
    } else {
        for (LogoKind kind : m_face.kinds) {
            if (pictureSize(kind) == opened.picture.size())
                target = kind;
        }
    }
    if (!opened.networkCode.isEmpty()) {
        m_network = networkOfCode(m_operators, opened.networkCode);
        refreshNetwork();
    }
    const QSize size = pictureSize(target);
    const bool fits = opened.picture.width() <= size.width() && opened.picture.height() <= size.height();
    if (!opened.oneBit || !fits) {
        setKind(target);
        auto *dialog = new ReduceDialog(opened.picture, size, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_reduceDialog = dialog;
        connect(dialog, &QDialog::accepted, this, [this, dialog, path] {
            m_editor.replace(dialog->result());
            m_path.clear();
            refreshTitle();
            tell(u"Aperta e ridotta a due colori: %1"_s.arg(path));
            m_canvas->setFocus();
        });
        dialog->open();
        return;
    }
    // The kind changes without its own step: the opened picture replaces
    // the drawing in one step that can be undone.
    m_kind = target;
    m_editor.replace(centredIn(toBitmap(opened.picture), size));
    refreshKindControls();
    refreshFormats();
    const std::optional<PictureFormat> format = formatOfPath(path);
    m_path.clear();
    if (format && formatFits(*format, target) && opened.picture.size() == size) {
        // Saving writes the same file again, in its own format.
        m_path = path;
        m_pathFormat = *format;
        m_editor.setSaved();
        m_formatBox->setCurrentIndex(m_formatBox->findData(int(*format)));
    }
    refreshScreens();
    refreshTitle();
    tell(u"Aperto: %1"_s.arg(path));
}

bool LogoToolWindow::save()
{
    if (m_path.isEmpty() || !formatFits(m_pathFormat, m_kind))
        return saveAs();
    return writeFile(m_path, m_pathFormat);
}

bool LogoToolWindow::saveAs()
{
    PictureFormat format = selectedFormat();
    const FormatInfo &info = formatInfo(format);
    platform::SaveFileRequest request;
    request.title = u"Salva il disegno"_s;
    request.startFolder = dialogFolder();
    request.filter = dialogFilter(format);
    request.defaultExtension = info.extension;
    QString path = m_services.saveFileDialog->ask(request);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + info.extension;
    // A name typed with the extension of another format asks for that format.
    if (const std::optional<PictureFormat> typed = formatOfPath(path)) {
        if (!formatFits(*typed, m_kind)) {
            platform::MessageRequest message;
            message.title = m_face.title;
            message.text =
                u"Il formato .%1 non è adatto a questo disegno: il file non è stato salvato."_s.arg(
                    formatInfo(*typed).extension);
            message.icon = platform::MessageIcon::Warning;
            m_services.messageBox->show(message);
            return false;
        }
        format = *typed;
    }
    return writeFile(path, format);
}

bool LogoToolWindow::writeFile(const QString &path, PictureFormat format)
{
    if (formatInfo(format).needsNetwork && !m_network.isValid()) {
        tell(u"Un logo operatore porta con sé la rete: sceglierla per salvarlo."_s);
        pickNetwork([this, path, format] { writeFile(path, format); });
        return false;
    }
    QString error;
    if (!savePicture(path, format, document(), &error)) {
        platform::MessageRequest message;
        message.title = m_face.title;
        message.text = u"Il disegno non è stato salvato.\n%1"_s.arg(error);
        message.icon = platform::MessageIcon::Critical;
        m_services.messageBox->show(message);
        tell(u"Non salvato."_s);
        return false;
    }
    m_path = path;
    m_pathFormat = format;
    m_lastFolder = QFileInfo(path).absolutePath();
    m_editor.setSaved();
    refreshTitle();
    tell(u"Salvato come %1: %2"_s.arg(formatInfo(format).name, path));
    return true;
}

void LogoToolWindow::pickNetwork(std::function<void()> then)
{
    auto *picker = new OperatorPicker(m_operators, this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    if (m_network.isValid())
        picker->selectNetwork(m_network);
    m_operatorPicker = picker;
    connect(picker, &QDialog::accepted, this, [this, picker, then = std::move(then)] {
        const std::optional<Network> chosen = picker->chosenNetwork();
        if (!chosen)
            return;
        m_network = *chosen;
        refreshNetwork();
        tell(u"Rete del logo: %1"_s.arg(networkText(m_network)));
        if (then)
            then();
    });
    picker->open();
}

void LogoToolWindow::showHelp()
{
    QFile file(m_services.helpFile);
    if (m_services.helpFile.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        platform::MessageRequest message;
        message.title = m_face.title;
        message.text = u"Le istruzioni non si trovano: %1"_s.arg(m_services.helpFile);
        message.icon = platform::MessageIcon::Warning;
        m_services.messageBox->show(message);
        return;
    }
    auto *dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(u"help"_s);
    dialog->setWindowTitle(u"Istruzioni - %1"_s.arg(m_face.title));
    auto *text = new QPlainTextEdit(QString::fromUtf8(file.readAll()), dialog);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The help lines its columns up with blanks.
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    buttons->button(QDialogButtonBox::Close)->setText(u"Chiudi"_s);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    dialog->resize(760, 560);
    dialog->open();
}

} // namespace brivello::logotools
