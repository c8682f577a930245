#pragma once

#include "logos/pictures/PixelBitmap.h"
#include "tools/logotools/editor/OpenFileDialog.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QQueue>
#include <QStringList>

#include <vector>

namespace brivello::test {

int inkCount(const logos::PixelBitmap &bitmap);
// The ink pixels, row by row.
QList<QPoint> inkPoints(const logos::PixelBitmap &bitmap);

// Where two pictures differ in black and white: a message naming the size or
// the first pixel; empty when they are alike.
QString pixelDifference(const QImage &expected, const QImage &actual);

QByteArray fileContents(const QString &path);

// Answers from a queue the test fills, records every request; a dialog shown
// with no answer queued is a problem, like the platform fakes.
class FakeOpenFileDialog final : public logotools::OpenFileDialog
{
public:
    void queueAnswer(const QString &path) { m_answers.enqueue(path); }
    QString ask(const logotools::OpenFileRequest &request) override;
    const std::vector<logotools::OpenFileRequest> &calls() const { return m_calls; }
    QStringList problems() const;

private:
    QQueue<QString> m_answers;
    std::vector<logotools::OpenFileRequest> m_calls;
    QStringList m_unexpected;
};

} // namespace brivello::test
