#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace brivello::platform {

class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;
    // Starts `program` with `arguments` in `workingDirectory` without waiting
    // for it. The arguments go to the program as they are: no shell ever
    // parses them. Returns whether the program started.
    virtual bool start(const QString &program, const QStringList &arguments,
                       const QString &workingDirectory) = 0;
};

class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // Hands the address to the system's default handler (the web browser).
    virtual bool open(const QUrl &address) = 0;
};

class CurrentDirectory
{
public:
    virtual ~CurrentDirectory() = default;
    virtual bool set(const QString &path) = 0;
    virtual QString current() const = 0;
};

} // namespace brivello::platform
