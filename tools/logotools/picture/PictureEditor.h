#pragma once

#include "logos/pictures/LogoFonts.h"
#include "logos/pictures/PixelBitmap.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>

#include <optional>

namespace brivello::logotools {

using logos::PixelBitmap;

enum class Tool { Pencil, Eraser, Line, Rectangle, FilledRectangle, Fill, Text, Stamp };

// What the text tool writes: a line in one of the gallery's faces.
struct TextSettings
{
    QString text;
    logos::FontFace face = logos::FontFace::Normal;
    int tracking = 0; // extra pixels between letters
};

// Which of the gallery's icons the stamp tool prints.
struct StampSettings
{
    QString icon;
    bool mirrored = false;
};

// The drawing being edited and the tools that change it, without any widget:
// the canvas hands in pointer and keyboard steps in picture pixels and paints
// shown(). Every finished step can be undone.
//
// With the pointer, the first button draws ink and the second paper. A
// stroke, line or rectangle becomes one step when the button is released;
// fill, text and stamp act on the press. Text and stamps put their top-left
// corner at the point and show where they would land while the pointer
// hovers.
//
// From the keyboard, a cursor moves over the pixels; act() (the space bar)
// uses the tool at the cursor: a line or rectangle takes its first corner on
// the first act and is drawn on the second, showing itself as the cursor
// moves in between.
class PictureEditor : public QObject
{
    Q_OBJECT
public:
    explicit PictureEditor(QSize size, QObject *parent = nullptr);

    const PixelBitmap &picture() const { return m_picture; }
    QSize size() const { return {m_picture.width(), m_picture.height()}; }
    // The picture with what is under way: a stroke, a line or rectangle being
    // drawn, a text or stamp under the pointer.
    PixelBitmap shown() const;

    // A new picture as one step that can be undone (a gallery logo, an opened
    // file, a change of size). The cursor stays inside it.
    void replace(const PixelBitmap &picture);
    // Starts afresh with `picture`: nothing to undo, nothing modified.
    void reset(const PixelBitmap &picture);

    Tool tool() const { return m_tool; }
    void setTool(Tool tool);
    const TextSettings &textSettings() const { return m_text; }
    void setTextSettings(const TextSettings &settings);
    const StampSettings &stampSettings() const { return m_stamp; }
    void setStampSettings(const StampSettings &settings);

    // Pointer steps, at picture pixels (which may lie outside the picture).
    void press(QPoint at, bool ink);
    void drag(QPoint at);
    void release(QPoint at);
    void hover(QPoint at);
    void leave();

    // Keyboard steps.
    QPoint cursor() const { return m_cursor; }
    // Moves the cursor, staying inside; with `drawing` the pencil and the
    // eraser draw along the way.
    void moveCursor(int dx, int dy, bool drawing = false);
    void act();
    // Drops a line or rectangle under way.
    void cancel();
    bool hasPendingShape() const { return m_anchor.has_value(); }

    void invert();
    void shift(int dx, int dy);
    void clear();

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    void undo();
    void redo();

    // Changed since reset() or setSaved().
    bool isModified() const { return m_picture != m_saved; }
    void setSaved();

    // The text or stamp as the tool would print it; empty with the reason in
    // `problem` (Italian, for the user) when it cannot.
    PixelBitmap stampBitmap(QString *problem = nullptr) const;

    static constexpr int HistoryLimit = 200;

Q_SIGNALS:
    // The picture, the shown picture or what can be undone changed.
    void changed();
    void cursorMoved(QPoint cursor);
    // A step could not be done; the message is for the user.
    void problem(const QString &message);

private:
    void commit(const PixelBitmap &picture);
    bool isStroke() const { return m_tool == Tool::Pencil || m_tool == Tool::Eraser; }
    bool isShape() const;
    bool isStamp() const { return m_tool == Tool::Text || m_tool == Tool::Stamp; }
    bool strokeInk(bool ink) const { return m_tool == Tool::Eraser ? false : ink; }
    PixelBitmap withShape(QPoint from, QPoint to, bool ink) const;
    void stampAt(QPoint at);
    void setCursor(QPoint at);

    PixelBitmap m_picture;
    PixelBitmap m_saved;
    QList<PixelBitmap> m_undo;
    QList<PixelBitmap> m_redo;
    Tool m_tool = Tool::Pencil;
    TextSettings m_text;
    StampSettings m_stamp;
    QPoint m_cursor;

    // A pointer stroke under way: the picture it is making.
    std::optional<PixelBitmap> m_stroke;
    QPoint m_last;
    bool m_strokeInk = true;
    // The first corner of a line or rectangle under way.
    std::optional<QPoint> m_anchor;
    QPoint m_shapeEnd;
    bool m_shapeInk = true;
    // Where a text or stamp is shown before it is printed.
    std::optional<QPoint> m_preview;
};

} // namespace brivello::logotools
