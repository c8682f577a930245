#include "data/Table.h"

#include <algorithm>
#include <future>
#include <limits>
#include <stdexcept>

namespace brivello::data {

namespace {

quint32 checkedEnd(size_t end)
{
    if (end > std::numeric_limits<quint32>::max())
        throw std::length_error("a column of the catalogue holds more than 4 Gi characters");
    return static_cast<quint32>(end);
}

bool isAscii(const char *bytes, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

void TextColumn::append(QStringView value)
{
    const quint32 end = checkedEnd(m_text.size() + static_cast<size_t>(value.size()));
    m_text.append(reinterpret_cast<const char16_t *>(value.utf16()), static_cast<size_t>(value.size()));
    m_ends.push_back(end);
}

void TextColumn::appendUtf8(const char *bytes, qsizetype length)
{
    if (!isAscii(bytes, length)) {
        append(QString::fromUtf8(bytes, length));
        return;
    }
    const size_t start = m_text.size();
    const quint32 end = checkedEnd(start + static_cast<size_t>(length));
    m_text.resize(end);
    std::copy(bytes, bytes + length, m_text.begin() + static_cast<std::ptrdiff_t>(start));
    m_ends.push_back(end);
}

// Shrinking copies the whole text: a column that wastes little keeps its room.
void TextColumn::shrinkToFit()
{
    if (m_text.capacity() - m_text.size() > m_text.size() / 8)
        m_text.shrink_to_fit();
    m_ends.shrink_to_fit();
}

namespace {

std::shared_ptr<const TextColumn> foldedOf(const TextColumn &values)
{
    auto folded = std::make_shared<TextColumn>();
    folded->reserve(values.size());
    // Folding keeps the length of nearly every text.
    folded->reserveText(values.textSize());
    QString scratch;
    for (size_t row = 0; row < values.size(); ++row) {
        const QStringView value = values.at(row);
        // Plain ASCII folds without a round trip through QString.
        bool ascii = true;
        for (const QChar c : value) {
            if (c.unicode() >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (ascii) {
            scratch.resize(value.size());
            QChar *out = scratch.data();
            for (qsizetype i = 0; i < value.size(); ++i) {
                const char16_t c = value[i].unicode();
                out[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
            }
            folded->append(scratch);
        } else {
            folded->append(foldCase(value.toString()));
        }
    }
    folded->shrinkToFit();
    return folded;
}

} // namespace

Table::Table() = default;

Table::Table(QString name, QStringList columns, const std::vector<QStringList> &rows)
    : name(std::move(name)), columns(std::move(columns)), m_rowCount(rows.size())
{
    std::vector<std::shared_ptr<const TextColumn>> texts;
    for (qsizetype c = 0; c < this->columns.size(); ++c) {
        auto values = std::make_shared<TextColumn>();
        values->reserve(rows.size());
        for (const QStringList &row : rows)
            values->append(c < row.size() ? QStringView(row.at(c)) : QStringView());
        values->shrinkToFit();
        texts.push_back(std::move(values));
    }
    adopt(std::move(texts), {});
}

Table::Table(QString name, QStringList columns, size_t rowCount,
             std::vector<std::unique_ptr<TextColumn>> kept, std::shared_ptr<const TableReader> reader)
    : name(std::move(name)), columns(std::move(columns)), m_rowCount(rowCount), m_reader(std::move(reader))
{
    std::vector<std::shared_ptr<const TextColumn>> texts;
    for (auto &column : kept)
        texts.emplace_back(std::move(column));
    texts.resize(static_cast<size_t>(this->columns.size()));
    adopt(std::move(texts), {});
}

Table::Table(const Table &other) : name(other.name), columns(other.columns)
{
    const std::lock_guard lock(other.m_mutex);
    m_rowCount = other.m_rowCount;
    m_reader = other.m_reader;
    adopt(other.m_texts, other.m_folded);
}

Table &Table::operator=(const Table &other)
{
    if (this == &other)
        return *this;
    name = other.name;
    columns = other.columns;
    std::vector<std::shared_ptr<const TextColumn>> texts;
    std::vector<std::shared_ptr<const TextColumn>> folded;
    {
        const std::lock_guard lock(other.m_mutex);
        m_rowCount = other.m_rowCount;
        m_reader = other.m_reader;
        texts = other.m_texts;
        folded = other.m_folded;
    }
    const std::lock_guard lock(m_mutex);
    adopt(std::move(texts), std::move(folded));
    m_cachedRow = SIZE_MAX;
    m_cachedValues.clear();
    return *this;
}

Table::~Table() = default;

// The values are shared, never changed, so copies may hold the same blocks.
void Table::adopt(std::vector<std::shared_ptr<const TextColumn>> texts,
                  std::vector<std::shared_ptr<const TextColumn>> folded)
{
    const auto count = static_cast<size_t>(columns.size());
    texts.resize(count);
    folded.resize(count);
    m_slots = std::make_unique<Slot[]>(count);
    for (size_t c = 0; c < count; ++c) {
        m_slots[c].text.store(texts[c].get(), std::memory_order_release);
        m_slots[c].folded.store(folded[c].get(), std::memory_order_release);
    }
    m_texts = std::move(texts);
    m_folded = std::move(folded);
}

int Table::column(QStringView wanted) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (QStringView(columns.at(i)).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool Table::holds(int column) const
{
    return m_slots[static_cast<size_t>(column)].text.load(std::memory_order_acquire) != nullptr;
}

QString Table::value(size_t row, int column) const
{
    if (const TextColumn *held = m_slots[static_cast<size_t>(column)].text.load(std::memory_order_acquire))
        return held->at(row).toString();
    const std::lock_guard lock(m_mutex);
    if (m_cachedRow != row) {
        m_cachedValues = m_reader->readRow(row);
        m_cachedRow = row;
    }
    return column < m_cachedValues.size() ? m_cachedValues.at(column) : QString();
}

QStringList Table::row(size_t row) const
{
    QStringList values;
    for (int c = 0; c < columns.size(); ++c)
        values.append(value(row, c));
    return values;
}

std::vector<QStringList> Table::rows() const
{
    std::vector<QStringList> all;
    all.reserve(m_rowCount);
    for (size_t r = 0; r < m_rowCount; ++r)
        all.push_back(row(r));
    return all;
}

const TextColumn &Table::heldColumn(int column) const
{
    const auto c = static_cast<size_t>(column);
    if (const TextColumn *held = m_slots[c].text.load(std::memory_order_acquire))
        return *held;
    const std::lock_guard lock(m_mutex);
    if (const TextColumn *held = m_slots[c].text.load(std::memory_order_acquire))
        return *held;
    auto read = std::make_shared<const TextColumn>(m_reader->readColumn(column));
    m_texts[c] = read;
    m_slots[c].text.store(read.get(), std::memory_order_release);
    return *read;
}

const TextColumn &Table::foldedColumn(int column) const
{
    const auto c = static_cast<size_t>(column);
    if (const TextColumn *folded = m_slots[c].folded.load(std::memory_order_acquire))
        return *folded;
    // The column's own lock first, the table's inside it, never the other way.
    const std::lock_guard folding(m_slots[c].folding);
    if (const TextColumn *folded = m_slots[c].folded.load(std::memory_order_acquire))
        return *folded;
    auto folded = foldedOf(heldColumn(column));
    {
        const std::lock_guard lock(m_mutex);
        m_folded[c] = folded;
    }
    m_slots[c].folded.store(folded.get(), std::memory_order_release);
    return *folded;
}

void Table::prepareFolded(const QList<int> &columns) const
{
    if (columns.isEmpty())
        return;
    std::vector<std::future<void>> others;
    for (qsizetype i = 1; i < columns.size(); ++i)
        others.push_back(
            std::async(std::launch::async, [this, column = columns.at(i)] { foldedColumn(column); }));
    foldedColumn(columns.first());
    // get() passes on what a fold threw, once every fold has ended.
    for (auto &other : others)
        other.wait();
    for (auto &other : others)
        other.get();
}

size_t Table::bytes() const
{
    const std::lock_guard lock(m_mutex);
    size_t total = 0;
    for (const auto &text : m_texts)
        total += text ? text->bytes() : 0;
    for (const auto &folded : m_folded)
        total += folded ? folded->bytes() : 0;
    return total;
}

QString foldCase(const QString &text)
{
    return text.toCaseFolded();
}

} // namespace brivello::data
