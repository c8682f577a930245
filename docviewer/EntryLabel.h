#pragma once

#include <QLabel>

namespace brivello::docviewer {

// The text a label shows for a caption written with the convention of the
// window designer: "&&" stands for one ampersand and a single "&" marks the
// access key, which is not shown.
QString labelCaption(QStringView caption);

// An entry of a contents or index panel: a label that reads like a link and
// opens its page when clicked, or when it has the keyboard focus and the user
// presses Enter or the space bar. The arrow keys move to the entry above or
// below.
class EntryLabel : public QLabel
{
    Q_OBJECT
public:
    EntryLabel(const QString &name, QStringView caption, QWidget *parent);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void updateUnderline();

    bool m_hovered = false;
};

} // namespace brivello::docviewer
