#include "docviewer/EntryLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace brivello::docviewer {

QString labelCaption(QStringView caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            shown += caption[i];
            continue;
        }
        // The character after an ampersand is shown as it is: a second
        // ampersand, or the access key.
        if (i + 1 < caption.size())
            shown += caption[++i];
    }
    return shown;
}

EntryLabel::EntryLabel(const QString &name, QStringView caption, QWidget *parent)
    : QLabel(labelCaption(caption), parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void EntryLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void EntryLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        Q_EMIT clicked();
        return;
    case Qt::Key_Down:
        event->accept();
        focusNextChild();
        return;
    case Qt::Key_Up:
        event->accept();
        focusPreviousChild();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void EntryLabel::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    updateUnderline();
    QLabel::enterEvent(event);
}

void EntryLabel::leaveEvent(QEvent *event)
{
    m_hovered = false;
    updateUnderline();
    QLabel::leaveEvent(event);
}

void EntryLabel::focusInEvent(QFocusEvent *event)
{
    updateUnderline();
    QLabel::focusInEvent(event);
}

void EntryLabel::focusOutEvent(QFocusEvent *event)
{
    updateUnderline();
    QLabel::focusOutEvent(event);
}

// The entry under the mouse or with the keyboard focus is underlined, so the
// user sees which one a click or a key press opens.
void EntryLabel::updateUnderline()
{
    QFont shown = font();
    shown.setUnderline(m_hovered || hasFocus());
    setFont(shown);
}

} // namespace brivello::docviewer
