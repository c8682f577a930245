#include "authoring/Jet4PageFile.h"

#include <QCoreApplication>

namespace brivello::authoring::jet4 {

namespace {

constexpr int InlineBitmapBytes = UsageMapRowLength - 5;
constexpr int InlinePages = InlineBitmapBytes * 8;

void setBit(QByteArray &bytes, int offset, uint32_t bit)
{
    char &byte = bytes[offset + int(bit / 8)];
    byte = char(uint8_t(byte) | (1u << (bit % 8)));
}

QByteArray bitmapPage()
{
    QByteArray page(PageSize, '\0');
    page[0] = 0x05;
    page[1] = 0x01;
    return page;
}

} // namespace

PageFile::PageFile(const QString &path) : m_file(path) {}

bool PageFile::open()
{
    if (!m_file.open()) {
        fail(QCoreApplication::translate("Jet4Writer", "cannot create %1: %2")
                 .arg(m_file.path(), m_file.reason()));
        return false;
    }
    return true;
}

uint32_t PageFile::allocate()
{
    if (m_nextPage >= MaxPages)
        fail(QCoreApplication::translate("Jet4Writer",
                                         "the database would exceed the 2 GB an Access file can hold"));
    return m_nextPage++;
}

void PageFile::write(uint32_t number, const QByteArray &page)
{
    if (failed())
        return;
    const qint64 offset = qint64(number) * PageSize;
    if ((m_file.pos() != offset && !m_file.seek(offset)) || !m_file.write(page))
        fail(QCoreApplication::translate("Jet4Writer", "cannot write %1: %2")
                 .arg(m_file.path(), m_file.reason()));
}

bool PageFile::commit()
{
    if (failed()) {
        cancel();
        return false;
    }
    if (!m_file.commit()) {
        fail(QCoreApplication::translate("Jet4Writer", "cannot save %1: %2")
                 .arg(m_file.path(), m_file.reason()));
        return false;
    }
    return true;
}

void PageFile::cancel()
{
    m_file.cancel();
}

void PageFile::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

PageStream::PageStream(PageFile &file, uint32_t owner) : m_file(file), m_owner(owner) {}

uint32_t PageStream::add(const QByteArray &row)
{
    if (!m_page || !m_page->fits(int(row.size()))) {
        finish();
        m_page = std::make_unique<DataPage>(m_file.allocate(), m_owner);
        m_pages.push_back(m_page->number());
    }
    const int index = m_page->add(row);
    return pageRow(m_page->number(), index);
}

void PageStream::finish()
{
    if (m_page)
        m_file.write(m_page->number(), m_page->bytes());
    m_page.reset();
}

QByteArray emptyUsageMapRow()
{
    return QByteArray(UsageMapRowLength, '\0');
}

QByteArray usageMapRow(const std::vector<uint32_t> &pages, PageFile &file)
{
    QByteArray row = emptyUsageMapRow();
    if (pages.empty())
        return row;
    if (pages.back() - pages.front() < uint32_t(InlinePages)) {
        const uint32_t start = pages.front();
        putUInt32(row, 1, start);
        for (const uint32_t page : pages)
            setBit(row, 5, page - start);
        return row;
    }
    row[0] = 0x01;
    auto next = pages.begin();
    while (next != pages.end()) {
        const uint32_t range = *next / PagesPerBitmapPage;
        const uint32_t rangeStart = range * PagesPerBitmapPage;
        QByteArray bitmap = bitmapPage();
        for (; next != pages.end() && *next / PagesPerBitmapPage == range; ++next)
            setBit(bitmap, 4, *next - rangeStart);
        const uint32_t bitmapNumber = file.allocate();
        file.write(bitmapNumber, bitmap);
        if (range < uint32_t(ReferenceMapRanges))
            putUInt32(row, 1 + 4 * int(range), bitmapNumber);
    }
    return row;
}

QByteArray globalUsageMapPage(PageFile &file)
{
    DataPage page(1, 1);
    QByteArray freePages = emptyUsageMapRow();
    if (file.pageCount() <= uint32_t(InlinePages)) {
        for (uint32_t bit = file.pageCount(); bit < uint32_t(InlinePages); ++bit)
            setBit(freePages, 5, bit);
    } else {
        // Pages past the end of the file are free; the bitmap pages themselves are part of it.
        uint32_t ranges = 1;
        while (ranges * PagesPerBitmapPage < file.pageCount() + ranges)
            ++ranges;
        std::vector<uint32_t> numbers;
        for (uint32_t i = 0; i < ranges; ++i)
            numbers.push_back(file.allocate());
        const uint32_t total = file.pageCount();
        freePages[0] = 0x01;
        for (uint32_t i = 0; i < ranges && i < uint32_t(ReferenceMapRanges); ++i) {
            QByteArray bitmap = bitmapPage();
            for (uint32_t bit = 0; bit < uint32_t(PagesPerBitmapPage); ++bit) {
                if (i * PagesPerBitmapPage + bit >= total)
                    setBit(bitmap, 4, bit);
            }
            file.write(numbers[i], bitmap);
            putUInt32(freePages, 1 + 4 * int(i), numbers[i]);
        }
    }
    page.add(freePages);
    page.add(emptyUsageMapRow());
    return page.bytes();
}

} // namespace brivello::authoring::jet4
