#pragma once

#include <QString>

#include <stdexcept>

namespace brivello::data {

// Thrown when the catalogue cannot be used. message() is a sentence in Italian
// that names the file and can be shown to the user as it is; what() holds the
// same sentence in UTF-8.
class CatalogueError : public std::runtime_error
{
public:
    enum class Kind {
        Missing,      // the file does not exist or cannot be opened for reading
        NotAccess,    // the file is not an Access database at all
        Damaged,      // it looks like one but is truncated or inconsistent
        MissingTable, // the database lacks a table the program reads
        MissingField, // a table lacks a field the program reads
        Stopped,      // a read was stopped by the program before it ended
    };

    CatalogueError(Kind kind, const QString &filePath, const QString &message);

    Kind kind() const { return m_kind; }
    QString filePath() const { return m_filePath; }
    QString message() const { return m_message; }

    static CatalogueError missing(const QString &filePath);
    static CatalogueError unreadable(const QString &filePath);
    static CatalogueError notAccess(const QString &filePath, const QString &reason);
    static CatalogueError damaged(const QString &filePath, const QString &reason);
    static CatalogueError missingTable(const QString &filePath, const QString &table);
    static CatalogueError missingField(const QString &filePath, const QString &table, const QString &field);
    static CatalogueError stopped(const QString &filePath);

private:
    Kind m_kind;
    QString m_filePath;
    QString m_message;
};

} // namespace brivello::data
