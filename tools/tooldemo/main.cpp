// A stand-in for a phone tool on the sample disc. The disc assembly copies
// this one program into the folder of every tool that is started from the
// disc, under that tool's program name, beside a "leggimi.txt" whose first
// line describes the tool. It shows which tool it stands for, so a user who
// installs a tool sees that the right program started.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct ToolIdentity
{
    QString name;
    QString description;
};

// The tool's name is the name of its folder on the disc; its program file
// may be called anything.
QString toolName()
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).dirName();
    if (!folder.isEmpty())
        return folder;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString firstLineOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    return in.readLine().trimmed();
}

ToolIdentity identity()
{
    ToolIdentity id;
    id.name = toolName();
    id.description = firstLineOf(QCoreApplication::applicationDirPath() + u"/leggimi.txt"_s);
    if (id.description.isEmpty())
        id.description = u"Programma dimostrativo del disco."_s;
    return id;
}

QWidget *buildWindow(const ToolIdentity &id)
{
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(id.name);
    auto *layout = new QVBoxLayout(window);
    auto *title = new QLabel(id.name, window);
    QFont font = title->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    title->setFont(font);
    title->setObjectName(u"toolName"_s);
    auto *description = new QLabel(id.description, window);
    description->setWordWrap(true);
    description->setObjectName(u"toolDescription"_s);
    auto *note = new QLabel(u"Versione dimostrativa: nessuna funzione del telefono è attiva."_s, window);
    auto *close = new QPushButton(u"Chiudi"_s, window);
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    layout->addWidget(title);
    layout->addWidget(description);
    layout->addWidget(note);
    layout->addWidget(close, 0, Qt::AlignRight);
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const ToolIdentity id = identity();
    // The first line of standard output names the tool, for scripts and tests.
    std::printf("%s\n", id.name.toUtf8().constData());
    std::fflush(stdout);

    QWidget *window = buildWindow(id);
    window->show();
    // Tests start the tool only to see that it runs and who it says it is.
    if (qEnvironmentVariableIntValue("BRIVELLO_TOOL_QUIT") == 1)
        QTimer::singleShot(0, window, &QWidget::close);
    return app.exec();
}
