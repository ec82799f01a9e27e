// The result box: a read-only, multi-line, word-wrapped view of a coded text.
//
// A coded text can be millions of characters long without a single line
// break (a Morse code has none of its own), and the usual text widgets lay
// out a paragraph as a whole before showing any of it. This view wraps the
// text into visual lines itself, starting with what is on screen and going
// on in small slices between events, and draws only the visible lines. The
// text is kept exactly as given (CR LF included): the user can select it with
// the mouse and copy it (Ctrl+C, Ctrl+A, context menu), not change it.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>

#include <memory>
#include <vector>

class QTextLayout;

namespace velmora {

class ResultView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit ResultView(QWidget *parent = nullptr);
    ~ResultView() override;

    // Replaces the whole content. Line breaks may be CR LF, LF or CR.
    void setPlainText(const QString &text);
    // The text exactly as set.
    QString toPlainText() const { return m_text; }

    bool hasSelection() const { return m_anchor != m_position; }
    qsizetype selectionStart() const { return std::min(m_anchor, m_position); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_position); }
    QString selectedText() const;
    // Selects [start, end) of the text (clamped); anchor at start.
    void setSelection(qsizetype start, qsizetype end);
    // Where the selection ends (the caret of a read-only text box).
    qsizetype cursorPosition() const { return m_position; }

    // Visual lines wrapped so far, and whether the whole text is wrapped.
    qsizetype lineCount() const { return qsizetype(m_lines.size()); }
    bool isLayoutComplete() const { return m_layoutDone; }
    void completeLayout();
    // The first visible visual line.
    qsizetype firstVisibleLine() const;
    // The text offset where a visual line starts.
    qsizetype lineStart(qsizetype line) const;

    // Geometry, in viewport coordinates, for assistive technology.
    QRect characterRect(qsizetype offset);
    qsizetype offsetAt(const QPoint &viewportPos);
    void scrollToOffset(qsizetype offset);

public slots:
    void selectAll();
    void copy();
    void clearSelection();

signals:
    void selectionChanged();
    void copyAvailable(bool available);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Line {
        qsizetype start;
        qint32 length; // without the line break
    };

    void restartLayout();
    void updateMetrics();
    // Wraps one visual line starting at m_layoutPos and appends it.
    void layoutOneLine();
    void layoutUntilLine(qsizetype line);
    void layoutUntilOffset(qsizetype offset);
    void layoutSlice();
    void updateScrollBar();
    void scrollToLineTop(qsizetype line);
    int visibleLineCount() const;
    int availableWidth() const;
    float advanceOf(const char16_t *p, const char16_t *end, int *units);
    qsizetype lineOfOffset(qsizetype offset);
    std::unique_ptr<QTextLayout> makeLayout(qsizetype line) const;
    void setPositions(qsizetype anchor, qsizetype position);
    void extendSelectionTo(const QPoint &viewportPos);
    void wordAt(qsizetype offset, qsizetype *start, qsizetype *end) const;
    void updateSelectionClipboard();

    QString m_text;
    std::vector<Line> m_lines;
    qsizetype m_layoutPos = 0;
    bool m_layoutDone = true;
    QBasicTimer m_layoutTimer;

    // Character advances of the current font, filled as characters appear.
    std::vector<float> m_advances;
    float m_tabWidth = 0;
    int m_lineHeight = 1;
    int m_ascent = 0;
    int m_margin = 3;
    int m_layoutWidth = -1;

    qsizetype m_anchor = 0;
    qsizetype m_position = 0;
    bool m_selecting = false;
    bool m_wordSelecting = false;
    qsizetype m_wordAnchorStart = 0;
    qsizetype m_wordAnchorEnd = 0;
    QPoint m_lastDragPos;
    QBasicTimer m_autoScrollTimer;
};

} // namespace velmora
