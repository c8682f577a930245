#pragma once

#include "tools/logotools/editor/GalleryPicker.h"
#include "tools/logotools/editor/OperatorPicker.h"
#include "tools/logotools/editor/ReduceDialog.h"
#include "tools/logotools/editor/SendStep.h"
#include "tools/logotools/editor/ToolFaces.h"
#include "tools/logotools/picture/LogoDocument.h"
#include "tools/logotools/picture/PictureEditor.h"
#include "tools/logotools/picture/PictureFiles.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace brivello::platform {
class MessageBox;
class SaveFileDialog;
} // namespace brivello::platform

namespace brivello::logotools {

class OpenFileDialog;
class OperatorList;
class PhoneScreenView;
class PixelCanvas;

// What the window needs from outside: the dialogs it asks through, the send
// steps it offers, its help text and the operator list.
struct LogoToolServices
{
    std::shared_ptr<platform::SaveFileDialog> saveFileDialog;
    std::shared_ptr<OpenFileDialog> openFileDialog;
    std::shared_ptr<platform::MessageBox> messageBox;
    // Ways to hand the picture on to a phone; none, no such buttons.
    std::vector<std::shared_ptr<SendStep>> sendSteps;
    // The tool's leggimi.txt.
    QString helpFile;
    // Where the file dialogs open until a file has been opened or saved.
    QString startFolder;
    // libGammu's networks unless told otherwise.
    const OperatorList *operators = nullptr;
};

// The editor window of the three tools: the picture enlarged on the canvas,
// the drawing tools and their options, the phone's screen beside it at two
// sizes, the network of an operator logo, the text of a picture message, and
// the commands to start from a gallery logo, open, save in the phone formats
// and hand on to the send steps.
class LogoToolWindow : public QMainWindow
{
    Q_OBJECT
public:
    enum class Command {
        New,
        Gallery,
        Open,
        Save,
        SaveAs,
        Quit,
        Undo,
        Redo,
        Invert,
        ShiftLeft,
        ShiftRight,
        ShiftUp,
        ShiftDown,
        Clear,
        ZoomIn,
        ZoomOut,
        PickNetwork,
        Help
    };

    LogoToolWindow(const ToolFace &face, LogoToolServices services, QWidget *parent = nullptr);
    ~LogoToolWindow() override;

    const ToolFace &face() const { return m_face; }
    LogoKind kind() const { return m_kind; }
    // The picture with everything that goes with it, as a save or a send
    // step takes it.
    LogoDocument document() const;
    PictureEditor &editor() { return m_editor; }
    const Network &network() const { return m_network; }
    // The file that Save writes without asking; empty until there is one.
    QString filePath() const { return m_path; }

    QAction &command(Command command) const { return *m_commands.at(command); }
    QAction &toolAction(Tool tool) const { return *m_tools.at(tool); }
    PixelCanvas &canvas() const { return *m_canvas; }
    PhoneScreenView &phoneScreen() const { return *m_phone; }
    PhoneScreenView &actualSizeScreen() const { return *m_actualSize; }
    // Only in a face that edits more than one kind of picture.
    QComboBox *kindBox() const { return m_kindBox; }
    QComboBox &formatBox() const { return *m_formatBox; }
    QPushButton &saveButton() const { return *m_saveButton; }
    QLineEdit &textBox() const { return *m_textBox; }
    QComboBox &fontBox() const { return *m_fontBox; }
    QSpinBox &trackingBox() const { return *m_trackingBox; }
    QComboBox &iconBox() const { return *m_iconBox; }
    QCheckBox &mirrorBox() const { return *m_mirrorBox; }
    QLineEdit &messageTextBox() const { return *m_messageText; }
    QLabel &networkLabel() const { return *m_networkLabel; }
    QPushButton &networkButton() const { return *m_networkButton; }
    const QList<QPushButton *> &sendButtons() const { return m_sendButtons; }
    // The dialogs the window has open, if any.
    GalleryPicker *galleryPicker() const { return m_galleryPicker; }
    ReduceDialog *reduceDialog() const { return m_reduceDialog; }
    OperatorPicker *operatorPicker() const { return m_operatorPicker; }

    void setKind(LogoKind kind);
    void newPicture();
    void pickFromGallery();
    void openFile();
    // Writes the file of the last open or save; asks for one when there is
    // none. True once the picture is on disk.
    bool save();
    // Asks for a name and saves in the format chosen (or the one the typed
    // extension names). True once the picture is on disk.
    bool saveAs();
    // Lets the user pick the network; `then` runs once one is picked.
    void pickNetwork(std::function<void()> then = {});
    void showHelp();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildToolOptions();
    QWidget *buildSidePanel();
    void buildCommands();
    void buildMenus();
    void addCommand(Command command, const QString &text, const QKeySequence &shortcut,
                    std::function<void()> action);
    void applyTextSettings();
    void applyStampSettings();
    void showToolOptions();
    void refreshFormats();
    void refreshScreens();
    void refreshKindControls();
    void refreshNetwork();
    void refreshTitle();
    void refreshCommands();
    void followPictureSize();
    void useOpenedPicture(const OpenedPicture &opened, const QString &path);
    bool writeFile(const QString &path, PictureFormat format);
    bool confirmDiscard();
    void tell(const QString &message);
    QString dialogFolder() const;
    PictureFormat selectedFormat() const;

    ToolFace m_face;
    LogoToolServices m_services;
    const OperatorList &m_operators;
    LogoKind m_kind;
    PictureEditor m_editor;
    Network m_network;
    QString m_path;
    PictureFormat m_pathFormat = PictureFormat::Bmp;
    QString m_lastFolder;

    std::map<Command, QAction *> m_commands;
    std::map<Tool, QAction *> m_tools;
    PixelCanvas *m_canvas = nullptr;
    PhoneScreenView *m_phone = nullptr;
    PhoneScreenView *m_actualSize = nullptr;
    QComboBox *m_kindBox = nullptr;
    QComboBox *m_formatBox = nullptr;
    QPushButton *m_saveButton = nullptr;
    QStackedWidget *m_options = nullptr;
    QLabel *m_toolHint = nullptr;
    QLineEdit *m_textBox = nullptr;
    QComboBox *m_fontBox = nullptr;
    QSpinBox *m_trackingBox = nullptr;
    QComboBox *m_iconBox = nullptr;
    QCheckBox *m_mirrorBox = nullptr;
    QWidget *m_messageRow = nullptr;
    QLineEdit *m_messageText = nullptr;
    QLabel *m_messageCount = nullptr;
    QWidget *m_networkRow = nullptr;
    QLabel *m_networkLabel = nullptr;
    QPushButton *m_networkButton = nullptr;
    QLabel *m_position = nullptr;
    QList<QPushButton *> m_sendButtons;
    QPointer<GalleryPicker> m_galleryPicker;
    QPointer<ReduceDialog> m_reduceDialog;
    QPointer<OperatorPicker> m_operatorPicker;
};

} // namespace brivello::logotools
