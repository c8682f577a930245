#pragma once

#include "toolcatalogue/ToolRun.h"
#include "ui/MainWindow.h"

#include <memory>

class QLabel;
class QListWidget;
class QProgressDialog;

namespace brivello::data {
class Catalogue;
class DataSource;
} // namespace brivello::data

namespace brivello::toolcatalogue {

class ToolWindows;
class ToolCopy;
struct CopyOutcome;

// The tools window: the list of tools with the details and the screen
// picture of the selected one, and the install button.
class frmTools : public ui::MainWindow
{
    Q_OBJECT
public:
    frmTools(const ui::Context &context, ToolWindows &windows);
    ~frmTools() override;

    // Centres the page and opens datTools on the table Tools, standing on
    // its first record. Throws data::CatalogueError when it cannot.
    void formLoad() override;
    // Fills the list anew with every tool, in the table's order, with no
    // entry selected; the details keep showing the tool selected before.
    void formActivate() override;

    // Finds the selected tool and shows its details and screen picture.
    void lstTools_Click();
    // Installs the selected tool: a copy into a folder the install dialog
    // asks for, or a start of the tool's own program.
    void pctInstall_Click();

    // The install directory, shared with the install dialog: empty until
    // the dialog's first OK, then the last folder confirmed there.
    const QString &strInstallDir() const { return m_strInstallDir; }
    void setStrInstallDir(const QString &folder) { m_strInstallDir = folder; }
    const QString &strToolCriteria() const { return m_strToolCriteria; }

    // The tool's record on which datTools stands, for the install.
    ToolRecord currentRecord() const;
    // A copy is running.
    bool isCopying() const { return m_copy != nullptr; }

    data::DataSource &datTools() const { return *m_datTools; }
    QListWidget &lstTools() const { return *m_lstTools; }
    ui::PictureBox &pctInstall() const { return *m_pctInstall; }
    ui::PictureBox &pctScreens() const { return *m_pctScreens; }
    QLabel &lblTelefoon() const { return *m_lblTelefoon; }
    QLabel &lblTel() const { return *m_lblTel; }
    QLabel &lblType() const { return *m_lblType; }
    QLabel &lblSoort() const { return *m_lblSoort; }
    QLabel &Label1() const { return *m_label1; }
    QLabel &lblMedium() const { return *m_lblMedium; }
    QLabel &lblBeschrijving() const { return *m_lblBeschrijving; }
    // While a large folder is copied: the dialog that shows the progress.
    QProgressDialog *progressDialog() const { return m_progress; }

Q_SIGNALS:
    // An install has done all it will do: the copy ended and its message
    // was shown, the program was started, or the install stopped.
    void installEnded();
    // The copy install has copied a file of the tool's folder.
    void toolFileCopied(const QString &name);

private:
    void fillList();
    void showSelectedTool();
    void installSelectedTool();
    void buildList();
    void buildDetails();
    void selectionChanged();
    void showMessage(const QString &text, bool warning);
    void copyInstall(const ToolRecord &tool);
    void startCopy(const QString &sourceFolder, const QStringList &files, const QString &target);
    void showProgress(int total);
    void copyFinished(const CopyOutcome &outcome, const QString &target);
    static QString failureText(const CopyOutcome &outcome);

    ToolWindows &m_windows;
    QListWidget *m_lstTools = nullptr;
    ui::PictureBox *m_pctInstall = nullptr;
    QLabel *m_lblTelefoon = nullptr;
    QLabel *m_lblTel = nullptr;
    QLabel *m_lblType = nullptr;
    QLabel *m_lblSoort = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_lblMedium = nullptr;
    QLabel *m_lblBeschrijving = nullptr;
    ui::PictureBox *m_pctScreens = nullptr;
    QProgressDialog *m_progress = nullptr;

    std::shared_ptr<data::Catalogue> m_catalogue;
    std::unique_ptr<data::DataSource> m_datTools;
    std::unique_ptr<ToolCopy> m_copy;

    QString m_strToolCriteria;
    QString m_strInstallDir;
};

} // namespace brivello::toolcatalogue
