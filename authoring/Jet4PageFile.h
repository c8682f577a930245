#pragma once

// Page allocation for the Jet 4 writer: the file being written, streams of
// data pages owned by one table, and the usage maps that tell readers which
// pages a table owns.

#include "authoring/Jet4Format.h"
#include "data/SafeWrite.h"

#include <memory>

namespace brivello::authoring::jet4 {

// The file being written, page by page. Page numbers are handed out in
// order; pages may be written in any order. The first failure sticks.
class PageFile
{
public:
    explicit PageFile(const QString &path);

    bool open();
    uint32_t allocate();
    uint32_t pageCount() const { return m_nextPage; }
    void write(uint32_t number, const QByteArray &page);
    bool commit();
    void cancel();

    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    void fail(const QString &message);

private:
    data::SafeWriter m_file;
    uint32_t m_nextPage = 0;
    QString m_error;
};

// The data pages of one owner, filled one after another: each new page gets
// a higher number than the last, so readers meet the rows in the order they
// were added.
class PageStream
{
public:
    PageStream(PageFile &file, uint32_t owner);

    uint32_t add(const QByteArray &row); // returns the row's page/row pointer
    void finish();
    const std::vector<uint32_t> &pages() const { return m_pages; }

private:
    PageFile &m_file;
    uint32_t m_owner;
    std::unique_ptr<DataPage> m_page;
    std::vector<uint32_t> m_pages;
};

// The map row listing exactly `pages` (ascending). Inline (type 0) when they
// span fewer than 512 pages; otherwise a reference map (type 1) whose bitmap
// pages are allocated and written here.
QByteArray usageMapRow(const std::vector<uint32_t> &pages, PageFile &file);

// A map row that lists no page.
QByteArray emptyUsageMapRow();

// Page 1: the map of free pages of the whole file. Call it last: a large file
// gets bitmap pages of its own at its end.
QByteArray globalUsageMapPage(PageFile &file);

} // namespace brivello::authoring::jet4
