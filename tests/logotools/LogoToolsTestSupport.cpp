#include "tests/logotools/LogoToolsTestSupport.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace brivello::test {

int inkCount(const logos::PixelBitmap &bitmap)
{
    return int(inkPoints(bitmap).size());
}

QList<QPoint> inkPoints(const logos::PixelBitmap &bitmap)
{
    QList<QPoint> points;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (bitmap.isInk(x, y))
                points.append(QPoint(x, y));
        }
    }
    return points;
}

QString pixelDifference(const QImage &expected, const QImage &actual)
{
    if (actual.isNull())
        return u"no picture"_s;
    if (expected.size() != actual.size())
        return u"size %1x%2 instead of %3x%4"_s.arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if ((qGray(expected.pixel(x, y)) < 128) != (qGray(actual.pixel(x, y)) < 128))
                return u"pixel %1,%2"_s.arg(x).arg(y);
        }
    }
    return QString();
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString FakeOpenFileDialog::ask(const logotools::OpenFileRequest &request)
{
    m_calls.push_back(request);
    if (m_answers.isEmpty()) {
        m_unexpected << u"open dialog \"%1\" shown with no answer queued"_s.arg(request.title);
        return {};
    }
    return m_answers.dequeue();
}

QStringList FakeOpenFileDialog::problems() const
{
    QStringList problems = m_unexpected;
    for (const QString &answer : m_answers)
        problems << u"open dialog answer never used: %1"_s.arg(answer);
    return problems;
}

} // namespace brivello::test
