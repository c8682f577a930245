#include "authoring/CatalogueGenerator.h"
#include "authoring/Jet4Writer.h"
#include "data/Catalogue.h"
#include "data/DataSource.h"
#include "tests/support/HostileFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QtEndian>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

using brivello::data::Catalogue;
using brivello::data::CatalogueError;
using brivello::data::Table;

namespace {

std::vector<QStringList> rowsOf(const Table &table)
{
    std::vector<QStringList> rows;
    for (size_t r = 0; r < table.rowCount(); ++r)
        rows.push_back(table.row(r));
    return rows;
}

QString accessFile(const QString &name)
{
    return QDir(brivello::test::sharedAccessDir()).filePath(name);
}

// Splits mdb-export's CSV: fields quoted with '"' (doubled inside), which may
// hold line breaks; unquoted fields are numbers or empty.
std::vector<QStringList> parseCsv(const QString &text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(field);
            field.clear();
        } else if (c == u'\n') {
            row.append(field);
            field.clear();
            rows.push_back(row);
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row.append(field);
        rows.push_back(row);
    }
    return rows;
}

// The table as mdb-export prints it, header row first, with the date format
// the catalogue uses.
std::vector<QStringList> exportedTable(const QString &file, const QString &table)
{
    QProcess process;
    const QString format = u"%Y-%m-%d %H:%M:%S"_s;
    process.start(u"mdb-export"_s, {u"-D"_s, format, u"-T"_s, format, u"-b"_s, u"strip"_s, file, table});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return parseCsv(QString::fromUtf8(process.readAllStandardOutput()));
}

// Columns whose exported text is not comparable: pictures (binary), and the
// dates mdb-export itself gets wrong (years before 1900 and 9999).
bool comparable(const QString &table, const QString &column)
{
    static const QStringList skipped{u"Categories.Picture"_s, u"Employees.Photo"_s, u"DateTest.DateTimeCol"_s,
                                     u"DateTest.DateCol"_s, u"DateTest.TimeCol"_s};
    return !skipped.contains(table + u'.' + column);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every table of the file read whole, or the error that stopped it.
std::map<QString, std::vector<QStringList>> readEverything(const QString &path)
{
    std::map<QString, std::vector<QStringList>> tables;
    const auto catalogue = Catalogue::open(path);
    for (const QString &name : catalogue->tableNames())
        tables[name] = rowsOf(*catalogue->table(name));
    return tables;
}

// readEverything() of an untouched file, read once per run.
const std::map<QString, std::vector<QStringList>> &originalTables(const QString &path)
{
    static std::map<QString, std::map<QString, std::vector<QStringList>>> cache;
    auto found = cache.find(path);
    if (found == cache.end())
        found = cache.emplace(path, readEverything(path)).first;
    return found->second;
}

// Sets to 0 the stated length of the one memo of `characters` characters
// that a written catalogue keeps over several pages (its header: length,
// then page and row); false when no such header is found.
bool zeroMemoLength(const QString &path, qsizetype characters)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const auto littleEndian = [](quint32 value) {
        QByteArray four(4, '\0');
        qToLittleEndian(value, four.data());
        return four;
    };
    // Stored compressed (a two-byte mark and a byte a character) or not.
    for (const quint32 stored : {quint32(characters + 2), quint32(2 * characters)}) {
        const qsizetype at = bytes.indexOf(littleEndian(stored));
        if (at < 0)
            continue;
        bytes.replace(at, 4, littleEndian(0));
        return file.seek(0) && file.write(bytes) == bytes.size();
    }
    return false;
}

// Zeroes the last data page that belongs to a user table (not to the list
// of tables, whose definition is page 2) of a Jet 4 file.
bool zeroLastDataPageOfUserTable(const QString &path)
{
    constexpr qsizetype PageSize = 4096;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    for (qsizetype page = bytes.size() / PageSize - 1; page > 2; --page) {
        const char *start = bytes.constData() + page * PageSize;
        if (start[0] == 0x01 && qFromLittleEndian<quint32>(start + 4) != 2) {
            std::fill_n(bytes.data() + page * PageSize, PageSize, '\0');
            return file.seek(0) && file.write(bytes) == bytes.size();
        }
    }
    return false;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsUserTablesInStoredOrder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("tables");
        QTest::newRow("Jet 3") << u"nwind.mdb"_qs
                               << QStringList{u"Order Details"_qs, u"Orders"_qs,     u"Products"_qs,
                                              u"Shippers"_qs,      u"Categories"_qs, u"Customers"_qs,
                                              u"Employees"_qs,     u"Suppliers"_qs,  u"Umsätze"_qs};
        QTest::newRow("Jet 4") << u"DateTestDatabase.mdb"_qs << QStringList{u"DateTest"_qs};
        QTest::newRow("ACE 12") << u"ASampleDatabase.accdb"_qs << QStringList{u"Asset Items"_qs};
    }

    void listsUserTablesInStoredOrder()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        QFETCH(QString, file);
        QFETCH(QStringList, tables);
        const auto catalogue = Catalogue::open(accessFile(file));
        QCOMPARE(catalogue->tableNames(), tables);
        QCOMPARE(catalogue->path(), accessFile(file));
    }

    void readsEveryTableWhole_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("rows");
        const QString nwind = u"nwind.mdb"_s;
        QTest::newRow("Order Details") << nwind << u"Order Details"_qs << 2155;
        QTest::newRow("Orders") << nwind << u"Orders"_qs << 830;
        QTest::newRow("Products") << nwind << u"Products"_qs << 77;
        QTest::newRow("Shippers") << nwind << u"Shippers"_qs << 3;
        QTest::newRow("Categories") << nwind << u"Categories"_qs << 8;
        QTest::newRow("Customers") << nwind << u"Customers"_qs << 91;
        QTest::newRow("Employees") << nwind << u"Employees"_qs << 9;
        QTest::newRow("Suppliers") << nwind << u"Suppliers"_qs << 29;
        QTest::newRow("Umsätze") << nwind << u"Umsätze"_qs << 830;
        QTest::newRow("DateTest") << u"DateTestDatabase.mdb"_qs << u"DateTest"_qs << 6;
        QTest::newRow("Asset Items") << u"ASampleDatabase.accdb"_qs << u"Asset Items"_qs << 65;
    }

    // Row counts, and every value in stored order against mdb-export.
    void readsEveryTableWhole()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(int, rows);
        const auto read = Catalogue::open(accessFile(file))->table(table);
        QCOMPARE(read->name, table);
        QCOMPARE(static_cast<int>(read->rowCount()), rows);
        for (const QStringList &row : rowsOf(*read))
            QCOMPARE(row.size(), read->columns.size());

        if (QStandardPaths::findExecutable(u"mdb-export"_s).isEmpty())
            QSKIP("mdb-export is not installed: values were not compared");
        const std::vector<QStringList> exported = exportedTable(accessFile(file), table);
        QVERIFY2(!exported.empty(), "mdb-export printed nothing");
        QCOMPARE(exported.front(), read->columns);
        QCOMPARE(static_cast<int>(exported.size()) - 1, rows);
        int compared = 0;
        for (int r = 0; r < rows; ++r) {
            const QStringList &expected = exported.at(r + 1);
            QCOMPARE(expected.size(), read->columns.size());
            for (int c = 0; c < expected.size(); ++c) {
                if (!comparable(table, read->columns.at(c)))
                    continue;
                if (read->row(r).at(c) != expected.at(c))
                    QFAIL(qPrintable(u"row %1, column %2: read «%3», mdb-export «%4»"_s.arg(r).arg(
                        read->columns.at(c), read->row(r).at(c), expected.at(c))));
                ++compared;
            }
        }
        QVERIFY(compared > 0);
    }

    void jet3TextIsWindows1252()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        const auto catalogue = Catalogue::open(accessFile(u"nwind.mdb"_s));
        const auto customers = catalogue->table(u"Customers"_s);
        const int city = customers->column(u"city");
        const int name = customers->column(u"COMPANYNAME");
        QVERIFY(city >= 0 && name >= 0);
        QStringList cities;
        QStringList names;
        for (const QStringList &row : rowsOf(*customers)) {
            cities.append(row.at(city));
            names.append(row.at(name));
        }
        QVERIFY(cities.contains(u"México D.F."_s));
        QVERIFY(cities.contains(u"München"_s));
        QVERIFY(names.contains(u"Bon app'"_s));
        QVERIFY(names.contains(u"Océano Atlántico Ltda."_s));
        QCOMPARE(catalogue->table(u"umsätze"_s)->name, u"Umsätze"_s);
    }

    void nonTextValuesComeOutAsText()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        const auto catalogue = Catalogue::open(accessFile(u"nwind.mdb"_s));
        const auto products = catalogue->table(u"Products"_s);
        const QStringList chai = products->row(0);
        QCOMPARE(chai.at(products->column(u"ProductName")), u"Chai"_s);
        QCOMPARE(chai.at(products->column(u"UnitPrice")), u"18.0000"_s);
        QCOMPARE(chai.at(products->column(u"UnitsInStock")), u"39"_s);
        QCOMPARE(chai.at(products->column(u"Discontinued")), u"0"_s);
        const auto employees = catalogue->table(u"Employees"_s);
        QCOMPARE(employees->row(0).at(employees->column(u"BirthDate")), u"1948-12-08 00:00:00"_s);
        QCOMPARE(employees->row(0).at(employees->column(u"Photo")), QString());
    }

    // Dates outside 1900..9998 are converted here, not by libmdb.
    void datesAtTheEdgesOfTheCalendar()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        const auto table = Catalogue::open(accessFile(u"DateTestDatabase.mdb"_s))->table(u"DateTest"_s);
        const int date = table->column(u"DateTimeCol");
        const int text = table->column(u"LongTextCol");
        QCOMPARE(table->row(1).at(text), u"Year 9999"_s);
        QCOMPARE(table->row(1).at(date), u"9999-01-01 00:00:00"_s);
        QCOMPARE(table->row(2).at(date), u"1898-01-01 00:00:00"_s);
        QCOMPARE(table->row(3).at(date), u"0632-01-01 00:00:00"_s);
        QCOMPARE(table->row(5).at(text), u"New line\r\nin field"_s);
    }

    void tablesAreNamedWithoutCaseAndReadOnce()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        const auto catalogue = Catalogue::open(accessFile(u"nwind.mdb"_s));
        const auto first = catalogue->table(u"SHIPPERS"_s);
        QCOMPARE(first->name, u"Shippers"_s);
        QCOMPARE(catalogue->table(u"shippers"_s).get(), first.get());
        QCOMPARE(first->column(u"companyname"), 1);
        QCOMPARE(first->column(u"nope"), -1);
    }

    void missingTableNamesTableAndFile()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        const auto catalogue = Catalogue::open(accessFile(u"nwind.mdb"_s));
        try {
            catalogue->table(u"Zoekmethodes"_s);
            QFAIL("no error for a missing table");
        } catch (const CatalogueError &error) {
            QCOMPARE(error.kind(), CatalogueError::Kind::MissingTable);
            QCOMPARE(error.filePath(), accessFile(u"nwind.mdb"_s));
            QVERIFY(error.message().contains(u"«Zoekmethodes»"_s));
            QVERIFY(error.message().contains(u"nwind.mdb"_s));
            QCOMPARE(QString::fromUtf8(error.what()), error.message());
        }
        // System tables are not the program's to read.
        QVERIFY_THROWS_EXCEPTION(CatalogueError, catalogue->table(u"MSysObjects"_s));
    }

    // Mended fault: a table definition whose usage map was lost (a page
    // replaced by a read error) crashed the program inside libmdb.
    void tableWithoutUsageMapIsRefusedAsDamaged()
    {
        const QString path = brivello::test::damagedCatalogue(u"startup-segv-null-usage-map.dat"_s);
        const auto catalogue = Catalogue::open(path);
        QStringList refused;
        for (const QString &name : catalogue->tableNames()) {
            try {
                QVERIFY(!catalogue->table(name)->columns.isEmpty());
            } catch (const CatalogueError &error) {
                QCOMPARE(error.kind(), CatalogueError::Kind::Damaged);
                QCOMPARE(error.filePath(), path);
                QVERIFY2(error.message().contains(QChar(0x00AB) + name + QChar(0x00BB)),
                         qPrintable(error.message()));
                refused << name;
            }
        }
        // The four small tables keep their maps on the one page that was lost.
        QCOMPARE(refused, (QStringList{u"Genres"_s, u"Zoekmethodes"_s, u"Rubrieken"_s, u"Tools"_s}));
        // The table beside them is whole.
        QCOMPARE(catalogue->table(u"Main"_s)->rowCount(), size_t(192));
    }

    // A zeroed data page of Main: the catalogue opens, Main is refused.
    void zeroedPageOfMainIsRefusedWhenMainIsRead()
    {
        const QString path = brivello::test::damagedCatalogue(u"first-search-abort-damaged-main.dat"_s);
        const auto catalogue = Catalogue::open(path);
        QCOMPARE(catalogue->table(u"Genres"_s)->rowCount(), size_t(11));
        try {
            catalogue->table(u"Main"_s);
            QFAIL("a Main with a zeroed page was read");
        } catch (const CatalogueError &error) {
            QCOMPARE(error.kind(), CatalogueError::Kind::Damaged);
            QVERIFY(error.message().contains(u"first-search-abort-damaged-main.dat"_s));
        }
    }

    void unusableFilesGiveAClearError_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("words");
        const auto random = [](qsizetype size) {
            QByteArray bytes(size, Qt::Uninitialized);
            QRandomGenerator generator(size);
            for (char &byte : bytes)
                byte = static_cast<char>(generator.bounded(256));
            return bytes;
        };
        const int notAccess = static_cast<int>(CatalogueError::Kind::NotAccess);
        const int damaged = static_cast<int>(CatalogueError::Kind::Damaged);
        QTest::newRow("empty") << QByteArray() << notAccess << u"vuoto"_qs;
        QTest::newRow("random bytes, small") << random(100) << notAccess << u"non è un database Access"_qs;
        QTest::newRow("random bytes, pages")
            << random(3 * 4096) << notAccess << u"non è un database Access"_qs;
        QByteArray zeroFirst = random(8 * 2048);
        zeroFirst[0] = 0;
        QTest::newRow("random bytes after a zero")
            << zeroFirst << notAccess << u"non è un database Access"_qs;
        // The rows cut from a real file need the Access files made by others.
        if (!QFileInfo(accessFile(u"nwind.mdb"_s)).isFile())
            return;
        const QByteArray nwind = fileBytes(accessFile(u"nwind.mdb"_s));
        QTest::newRow("a real header, then random pages")
            << nwind.left(2048) + random(20 * 2048) << damaged << u"danneggiato"_qs;
        QByteArray unknownVersion = nwind.left(3 * 2048);
        unknownVersion[0x14] = 9;
        QTest::newRow("unknown version") << unknownVersion << notAccess << u"versione"_qs;
        QTest::newRow("half a page") << nwind.left(1000) << damaged << u"troncato"_qs;
        QTest::newRow("two pages") << nwind.left(2 * 2048) << damaged << u"troncato"_qs;
        QTest::newRow("not whole pages") << nwind.left(nwind.size() - 1000) << damaged << u"troncato"_qs;
    }

    void unusableFilesGiveAClearError()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, kind);
        QFETCH(QString, words);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        writeFile(path, content);
        try {
            readEverything(path);
            QFAIL("the file was accepted");
        } catch (const CatalogueError &error) {
            QCOMPARE(static_cast<int>(error.kind()), kind);
            QCOMPARE(error.filePath(), path);
            QVERIFY2(error.message().contains(words), qPrintable(error.message()));
            QVERIFY(error.message().contains(QDir::toNativeSeparators(path)));
        }
    }

    void missingFileAndFolder()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"ringtones.dat"_s);
        try {
            Catalogue::open(missing);
            QFAIL("a missing file was accepted");
        } catch (const CatalogueError &error) {
            QCOMPARE(error.kind(), CatalogueError::Kind::Missing);
            QCOMPARE(error.message(),
                     u"Impossibile aprire il catalogo: il file «%1» non esiste."_s.arg(missing));
        }
        try {
            Catalogue::open(dir.path());
            QFAIL("a folder was accepted");
        } catch (const CatalogueError &error) {
            QCOMPARE(error.kind(), CatalogueError::Kind::NotAccess);
            QVERIFY(error.message().contains(u"cartella"_s));
        }
    }

    // Mended fault: a FIFO named ringtones.dat held the start-up forever.
    void fifoIsRefusedAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        const brivello::test::FifoGuard fifo(path);
        QVERIFY(fifo.made());
        try {
            Catalogue::open(path);
            QFAIL("a FIFO was accepted");
        } catch (const CatalogueError &error) {
            QCOMPARE(error.kind(), CatalogueError::Kind::NotAccess);
            QVERIFY2(error.message().contains(u"non è un file"_s), qPrintable(error.message()));
        }
        QVERIFY2(!fifo.releasedAReader(), "the catalogue waited on the FIFO");
    }

    // Memos far beyond libmdb's default buffer come out whole, nulls as empty
    // text, in a catalogue written the way the disc's is.
    void longMemosAndNullsFromAWrittenCatalogue()
    {
        using namespace brivello::authoring;
        QString longMemo;
        for (int i = 0; longMemo.size() < 700000; ++i)
            longMemo += u"Più bieps %1; "_s.arg(i);
        const TableData main{u"Main"_s,
                             {{u"song"_s}, {u"artiest"_s}, {u"bieps"_s, ColumnType::Memo}},
                             {{u"Rose"_s, u"D'Alessio"_s, longMemo},
                              {u"rosa"_s, std::nullopt, std::nullopt},
                              {u"Sole"_s, u"Mina"_s, u"corto"_s}}};
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        QString error;
        QVERIFY2(writeJet4(path, {main}, &error), qPrintable(error));

        const auto catalogue = Catalogue::open(path);
        const auto table = catalogue->table(u"main"_s);
        QCOMPARE(table->columns, (QStringList{u"song"_s, u"artiest"_s, u"bieps"_s}));
        QCOMPARE(table->rowCount(), size_t(3));
        QCOMPARE(table->row(0).at(2).size(), longMemo.size());
        QCOMPARE(table->row(0).at(2), longMemo);
        QCOMPARE(table->row(1), (QStringList{u"rosa"_s, QString(), QString()}));
        QCOMPARE(table->row(2).at(2), u"corto"_s);

        brivello::data::DataSource source(catalogue, u"Main"_s);
        QVERIFY(source.findFirst(u"artiest = 'd''alessio' and song like 'ROS*'"_s));
        QCOMPARE(source.field(u"BIEPS"), longMemo);
        QVERIFY(source.findNext(u"song like 'ROS*'"_s));
        QCOMPARE(source.field(u"artiest"), QString());
    }

    // Mended fault: while the ringtone table was read in the background, the
    // program's own output went nowhere (the home window's "shown" line of
    // the smoke run was lost on a slow machine).
    void aReadInTheBackgroundLeavesTheProgramsOutputAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        QString error;
        // Small enough for a sanitizer build, long enough to read while the
        // main thread writes.
        QVERIFY2(brivello::authoring::writeGeneratedCatalogue(path, {2000, 3}, &error), qPrintable(error));
        QTemporaryFile captured;
        QVERIFY(captured.open());
        std::fflush(stdout);
        const int savedOut = ::dup(STDOUT_FILENO);
        QVERIFY(savedOut >= 0);
        ::dup2(captured.handle(), STDOUT_FILENO);

        std::atomic<bool> reading = true;
        std::thread reader([&] {
            try {
                for (int i = 0; i < 3; ++i)
                    Catalogue::open(path)->table(u"Main"_s);
            } catch (const CatalogueError &) {
            }
            reading = false;
        });
        int written = 0;
        while (reading) {
            const QByteArray line = QByteArray::number(written) + '\n';
            if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) == line.size())
                ++written;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        reader.join();
        ::dup2(savedOut, STDOUT_FILENO);
        ::close(savedOut);

        QVERIFY(written > 0);
        QFile read(captured.fileName());
        QVERIFY(read.open(QIODevice::ReadOnly));
        QCOMPARE(read.readAll().count('\n'), written);
    }

    // Mended fault: a memo kept over several pages whose header lost its
    // length made libmdb hand back its value buffer unwritten and copy it up
    // to the first zero byte it met, past the buffer's end if need be: the
    // value came out as whatever the memory held. The table is now refused
    // as damaged, read whole or a row at a time.
    void memoOverPagesWithoutLengthIsRefused()
    {
        using namespace brivello::authoring;
        const QString memo(6000, u'a'); // more than a page: kept over several
        const TableData main{u"Main"_s, {{u"song"_s}, {u"bieps"_s, ColumnType::Memo}}, {{u"Rose"_s, memo}}};
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        QString error;
        QVERIFY2(writeJet4(path, {main}, &error), qPrintable(error));
        QCOMPARE(Catalogue::open(path)->table(u"Main"_s)->value(0, 1), memo);

        QVERIFY(zeroMemoLength(path, memo.size()));
        const auto catalogue = Catalogue::open(path);
        const auto kept = catalogue->table(u"Main"_s, {u"song"_s});
        QCOMPARE(kept->value(0, 0), u"Rose"_s);
        for (const auto &read : std::vector<std::function<void()>>{[&] { catalogue->table(u"Main"_s); },
                                                                   [&] { kept->value(0, 1); }}) {
            try {
                read();
                QFAIL("a memo without its length was read");
            } catch (const CatalogueError &error) {
                QCOMPARE(error.kind(), CatalogueError::Kind::Damaged);
                QVERIFY2(error.message().contains(u"lunghezza"_s), qPrintable(error.message()));
            }
        }
    }

    // Mended fault: a table whose name holds "%2" was named wrongly in the
    // message about its lost rows (the count took the place of the "%2").
    void lostRowsAreToldWithTheTableNameAsStored()
    {
        using namespace brivello::authoring;
        const QString name = u"Sconti%2"_s;
        TableData table{name, {{u"song"_s}}, {}};
        for (int i = 0; i < 400; ++i)
            table.rows.push_back({u"Titolo abbastanza lungo numero %1"_s.arg(i)});
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        QString error;
        QVERIFY2(writeJet4(path, {table}, &error), qPrintable(error));
        QVERIFY(zeroLastDataPageOfUserTable(path));
        try {
            Catalogue::open(path)->table(name);
            QFAIL("a table with a zeroed page was read");
        } catch (const CatalogueError &caught) {
            QCOMPARE(caught.kind(), CatalogueError::Kind::Damaged);
            QVERIFY2(caught.message().contains(u"della tabella «Sconti%2» si leggono "_s),
                     qPrintable(caught.message()));
        }
    }

    // A table whose definition claims more rows than the whole file could
    // hold is refused by the start-up's check, before any column is sized
    // by that count.
    void rowCountBeyondTheFileIsRefusedAtStartUp()
    {
        const QString path = QDir(qEnvironmentVariable("BRIVELLO_SOURCE_DIR"))
                                 .filePath(u"tests/fuzz/corpus/catalogue/row-count-beyond-file.dat"_s);
        const auto catalogue = Catalogue::open(path);
        try {
            catalogue->requireFields(u"Main"_s, {u"song"_s});
            QFAIL("a row count beyond the file was accepted");
        } catch (const CatalogueError &error) {
            QCOMPARE(error.kind(), CatalogueError::Kind::Damaged);
            QVERIFY2(error.message().contains(u"4294967232 righe"_s), qPrintable(error.message()));
        }
        QCOMPARE(catalogue->table(u"Genres"_s)->rowCount(), size_t(11));
    }

    // A table kept in part holds the columns asked for; every other value is
    // read from the file when asked for, and comes out as the whole read has
    // it, long memos included; a search on a column left in the file finds
    // what a search on the whole table finds.
    void tableKeptInPartReadsTheRestFromTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        QString error;
        QVERIFY2(brivello::authoring::writeGeneratedCatalogue(path, {2500, 5}, &error), qPrintable(error));
        const auto catalogue = Catalogue::open(path);
        const auto whole = catalogue->table(u"Main"_s);
        const QStringList listed{u"SONG"_s, u"artiest"_s, u"Genre"_s, u"bestand"_s};
        const auto part = catalogue->table(u"main"_s, listed);
        QCOMPARE(part->columns, whole->columns);
        QCOMPARE(part->rowCount(), whole->rowCount());
        for (int c = 0; c < part->columns.size(); ++c)
            QCOMPARE(part->holds(c), listed.contains(part->columns.at(c), Qt::CaseInsensitive));
        // Backwards, so that no row is served from the row read before it.
        for (size_t r = whole->rowCount(); r-- > 0;) {
            if (part->row(r) != whole->row(r))
                QFAIL(qPrintable(u"row %1 differs"_s.arg(r)));
        }

        brivello::data::DataSource wholeSource(whole);
        brivello::data::DataSource partSource(catalogue, part);
        const QString tempo = whole->value(1234, whole->column(u"tempo"));
        const QString byTempo = u"tempo = '%1' and Genre like '*'"_s.arg(tempo);
        QCOMPARE(partSource.findAll(byTempo), wholeSource.findAll(byTempo));
        QVERIFY(partSource.findAll(byTempo).size() > 1);
        QVERIFY(part->holds(part->column(u"tempo")));

        // A read the program stops (it ends while the table is read) ends
        // with its own kind of error, not with a table cut short.
        const std::atomic<bool> stop{true};
        try {
            catalogue->table(u"Main"_s, listed, &stop);
            QFAIL("a stopped read gave a table");
        } catch (const CatalogueError &stopped) {
            QCOMPARE(stopped.kind(), CatalogueError::Kind::Stopped);
        }

        try {
            catalogue->table(u"Main"_s, {u"song"_s, u"colore"_s});
            QFAIL("a missing field was accepted");
        } catch (const CatalogueError &missing) {
            QCOMPARE(missing.kind(), CatalogueError::Kind::MissingField);
        }
    }

    void longMemoLeftInTheFileComesOutWhole()
    {
        using namespace brivello::authoring;
        QString longMemo;
        for (int i = 0; longMemo.size() < 400000; ++i)
            longMemo += u"Più bieps %1; "_s.arg(i);
        const TableData main{u"Main"_s,
                             {{u"song"_s}, {u"bieps"_s, ColumnType::Memo}},
                             {{u"Rose"_s, longMemo}, {u"Sole"_s, std::nullopt}}};
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ringtones.dat"_s);
        QString error;
        QVERIFY2(writeJet4(path, {main}, &error), qPrintable(error));
        const auto part = Catalogue::open(path)->table(u"Main"_s, {u"song"_s});
        QVERIFY(!part->holds(1));
        QCOMPARE(part->value(1, 1), QString());
        QCOMPARE(part->value(0, 1), longMemo);
        QCOMPARE(part->value(0, 0), u"Rose"_s);
    }

    // libmdb converts to the code set named by MDBICONV; the catalogue reads
    // UTF-8 all the same and leaves the variable as it found it.
    void textStaysUtf8WhateverTheEnvironmentSays()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        std::shared_ptr<const Table> customers;
        {
            const brivello::test::EnvironmentGuard iconv("MDBICONV", QByteArray("ISO-8859-15"));
            customers = Catalogue::open(accessFile(u"nwind.mdb"_s))->table(u"Customers"_qs);
            QCOMPARE(qgetenv("MDBICONV"), QByteArray("ISO-8859-15"));
        }
        const int city = customers->column(u"City");
        bool mexico = false;
        for (const QStringList &row : rowsOf(*customers))
            mexico = mexico || row.at(city) == u"México D.F."_s;
        QVERIFY(mexico);
    }

    // A copy cut at a page boundary either reads exactly like the original
    // (the pages lost were unused) or fails with a CatalogueError; it never
    // hands back fewer rows or other values.
    void truncatedCopiesNeverLoseRowsSilently_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("mustFail");
        for (int pages : {3, 4, 10, 40, 100, 500, 1000, 1300, 1465})
            QTest::addRow("nwind, %d pages", pages) << u"nwind.mdb"_qs << pages << (pages <= 500);
        for (int pages : {3, 5, 20, 40, 66})
            QTest::addRow("DateTest, %d pages", pages)
                << u"DateTestDatabase.mdb"_qs << pages << (pages <= 20);
        for (int pages : {3, 30, 100, 132})
            QTest::addRow("accdb, %d pages", pages) << u"ASampleDatabase.accdb"_qs << pages << (pages <= 30);
    }

    void truncatedCopiesNeverLoseRowsSilently()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        QFETCH(QString, file);
        QFETCH(int, pages);
        QFETCH(bool, mustFail);
        const QString original = accessFile(file);
        const qint64 pageSize = file == QLatin1String("nwind.mdb") ? 2048 : 4096;
        QTemporaryDir dir;
        const QString copy = dir.filePath(u"ringtones.dat"_s);
        writeFile(copy, fileBytes(original).left(pages * pageSize));
        try {
            const auto tables = readEverything(copy);
            QVERIFY2(!mustFail, "a copy missing most of its pages was accepted");
            QVERIFY(tables == originalTables(original));
        } catch (const CatalogueError &error) {
            QVERIFY2(error.kind() == CatalogueError::Kind::Damaged ||
                         error.kind() == CatalogueError::Kind::NotAccess,
                     qPrintable(error.message()));
            QCOMPARE(error.filePath(), copy);
        }
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
