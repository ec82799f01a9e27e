#include "ui/resultview.h"

#include "ui/resultviewaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

// Time given to wrapping in one slice between events, and how many lines are
// wrapped between two looks at the clock.
constexpr qint64 kSliceNanoseconds = 8'000'000;
constexpr int kLinesBetweenClockChecks = 128;

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

bool isWordSeparator(char16_t c)
{
    return c == u' ' || c == u'/' || c == u'\t' || isLineBreak(c);
}

int clampToInt(qsizetype value)
{
    return int(std::clamp<qsizetype>(value, 0, std::numeric_limits<int>::max()));
}

} // namespace

ResultView::ResultView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    registerResultViewAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateMetrics();
    restartLayout();
}

ResultView::~ResultView() = default;

// ---------------------------------------------------------------------------
// Text and selection

void ResultView::setPlainText(const QString &text)
{
    const QString oldText = m_text;
    const bool hadSelection = hasSelection();
    m_text = text;
    m_anchor = m_position = 0;
    m_selecting = false;
    m_autoScrollTimer.stop();
    restartLayout();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    if (hadSelection) {
        emit selectionChanged();
        emit copyAvailable(false);
    }
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, 0, oldText, m_text);
        QAccessible::updateAccessibility(&event);
    }
}

QString ResultView::selectedText() const
{
    return m_text.mid(selectionStart(), selectionEnd() - selectionStart());
}

void ResultView::setSelection(qsizetype start, qsizetype end)
{
    setPositions(start, end);
}

void ResultView::selectAll()
{
    setPositions(0, m_text.size());
}

void ResultView::clearSelection()
{
    setPositions(m_position, m_position);
}

void ResultView::copy()
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText(), QClipboard::Clipboard);
}

void ResultView::setPositions(qsizetype anchor, qsizetype position)
{
    anchor = std::clamp<qsizetype>(anchor, 0, m_text.size());
    position = std::clamp<qsizetype>(position, 0, m_text.size());
    if (anchor == m_anchor && position == m_position)
        return;
    const bool hadSelection = hasSelection();
    m_anchor = anchor;
    m_position = position;
    viewport()->update();
    emit selectionChanged();
    if (hadSelection != hasSelection())
        emit copyAvailable(hasSelection());
    if (QAccessible::isActive()) {
        QAccessibleTextSelectionEvent event(this, clampToInt(selectionStart()), clampToInt(selectionEnd()));
        event.setCursorPosition(clampToInt(m_position));
        QAccessible::updateAccessibility(&event);
    }
}

void ResultView::updateSelectionClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void ResultView::wordAt(qsizetype offset, qsizetype *start, qsizetype *end) const
{
    const qsizetype n = m_text.size();
    offset = std::clamp<qsizetype>(offset, 0, n);
    if (offset == n || isWordSeparator(m_text.at(offset).unicode())) {
        *start = offset;
        *end = std::min(offset + 1, n);
        return;
    }
    qsizetype s = offset;
    while (s > 0 && !isWordSeparator(m_text.at(s - 1).unicode()))
        --s;
    qsizetype e = offset;
    while (e < n && !isWordSeparator(m_text.at(e).unicode()))
        ++e;
    *start = s;
    *end = e;
}

// ---------------------------------------------------------------------------
// Wrapping

void ResultView::updateMetrics()
{
    const QFontMetricsF metrics(font());
    m_lineHeight = std::max(1, int(std::ceil(metrics.lineSpacing())));
    m_ascent = int(std::ceil(metrics.ascent()));
    m_tabWidth = float(std::max<qreal>(1.0, 8 * metrics.horizontalAdvance(QLatin1Char(' '))));
    m_advances.assign(0x10000, -1.0f);
}

int ResultView::availableWidth() const
{
    // A pixel to spare on the right: the sums of single advances and the
    // shaped line can differ by a little.
    return std::max(1, viewport()->width() - 2 * m_margin - 1);
}

int ResultView::visibleLineCount() const
{
    return std::max(1, (viewport()->height() - m_margin) / m_lineHeight);
}

void ResultView::restartLayout()
{
    m_lines.clear();
    m_layoutPos = 0;
    m_layoutDone = false;
    m_layoutWidth = availableWidth();
    if (m_text.isEmpty()) {
        m_lines.push_back({0, 0});
        m_layoutDone = true;
    }
    // What the screen shows now, then the rest in slices between events.
    layoutUntilLine(qsizetype(verticalScrollBar()->value()) + visibleLineCount() + 1);
    if (m_layoutDone)
        m_layoutTimer.stop();
    else
        m_layoutTimer.start(0, this);
    updateScrollBar();
}

float ResultView::advanceOf(const char16_t *p, const char16_t *end, int *units)
{
    const QFontMetricsF metrics(font());
    if (QChar::isHighSurrogate(*p) && p + 1 < end && QChar::isLowSurrogate(p[1])) {
        *units = 2;
        return float(metrics.horizontalAdvance(QString::fromUtf16(p, 2)));
    }
    *units = 1;
    float &cached = m_advances[*p];
    if (cached < 0)
        cached = float(metrics.horizontalAdvance(QChar(*p)));
    return cached;
}

void ResultView::layoutOneLine()
{
    const char16_t *data = reinterpret_cast<const char16_t *>(m_text.constData());
    const qsizetype n = m_text.size();
    const qsizetype start = m_layoutPos;
    const float width = float(m_layoutWidth);
    const float *advances = m_advances.data();

    float x = 0;
    // Where the line may end: after a slash (the end of a coded letter), or
    // else after a blank.
    qsizetype lastSlashBreak = -1;
    qsizetype lastBlankBreak = -1;
    qsizetype i = start;
    while (i < n) {
        const char16_t c = data[i];
        float w;
        int units = 1;
        if (c >= 0x20 && (c < 0xD800 || c >= 0xE000) && c != 0x2028 && c != 0x2029 && advances[c] >= 0) {
            w = advances[c]; // the common case
        } else if (isLineBreak(c)) {
            m_lines.push_back({start, qint32(i - start)});
            qsizetype next = i + 1;
            if (c == u'\r' && next < n && data[next] == u'\n')
                ++next;
            m_layoutPos = next;
            if (next == n) {
                // A text that ends with a line break has an empty last line.
                m_lines.push_back({n, 0});
                m_layoutDone = true;
            }
            return;
        } else if (c == u'\t') {
            w = m_tabWidth - std::fmod(x, m_tabWidth);
        } else {
            w = advanceOf(data + i, data + n, &units);
            advances = m_advances.data();
        }

        if (x + w > width && i > start && c != u' ') {
            qsizetype breakAt = lastSlashBreak > start ? lastSlashBreak : lastBlankBreak > start ? lastBlankBreak : i;
            if (breakAt == i) {
                // Cut inside a word: never between the halves of a surrogate
                // pair, nor between a letter and its combining marks.
                while (breakAt > start + 1 &&
                       (QChar::isLowSurrogate(data[breakAt]) || QChar::isMark(char32_t(data[breakAt]))))
                    --breakAt;
            }
            m_lines.push_back({start, qint32(breakAt - start)});
            m_layoutPos = breakAt;
            return;
        }
        x += w;
        i += units;
        // A run of slashes (a word break, a full stop) stays together, and
        // the blanks inside a Morse letter only give way when nothing else
        // does.
        if (c == u'/') {
            if (i >= n || data[i] != u'/')
                lastSlashBreak = i;
        } else if (c == u' ') {
            lastBlankBreak = i;
        }
    }
    m_lines.push_back({start, qint32(n - start)});
    m_layoutPos = n;
    m_layoutDone = true;
}

void ResultView::layoutUntilLine(qsizetype line)
{
    while (!m_layoutDone && lineCount() <= line)
        layoutOneLine();
}

void ResultView::layoutUntilOffset(qsizetype offset)
{
    while (!m_layoutDone && m_layoutPos <= offset)
        layoutOneLine();
}

void ResultView::completeLayout()
{
    while (!m_layoutDone)
        layoutOneLine();
    m_layoutTimer.stop();
    updateScrollBar();
}

void ResultView::layoutSlice()
{
    QElapsedTimer clock;
    clock.start();
    while (!m_layoutDone) {
        for (int k = 0; k < kLinesBetweenClockChecks && !m_layoutDone; ++k)
            layoutOneLine();
        if (clock.nsecsElapsed() > kSliceNanoseconds)
            break;
    }
    if (m_layoutDone)
        m_layoutTimer.stop();
    updateScrollBar();
}

void ResultView::updateScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    const int visible = visibleLineCount();
    bar->setSingleStep(1);
    bar->setPageStep(visible);
    bar->setRange(0, clampToInt(lineCount() - visible));
}

qsizetype ResultView::firstVisibleLine() const
{
    return verticalScrollBar()->value();
}

qsizetype ResultView::lineStart(qsizetype line) const
{
    if (line < 0 || line >= lineCount())
        return -1;
    return m_lines[size_t(line)].start;
}

qsizetype ResultView::lineOfOffset(qsizetype offset)
{
    layoutUntilOffset(offset);
    const auto it = std::upper_bound(m_lines.begin(), m_lines.end(), offset,
                                     [](qsizetype value, const Line &line) { return value < line.start; });
    if (it == m_lines.begin())
        return 0;
    return qsizetype(it - m_lines.begin()) - 1;
}

std::unique_ptr<QTextLayout> ResultView::makeLayout(qsizetype line) const
{
    const Line &l = m_lines[size_t(line)];
    auto layout = std::make_unique<QTextLayout>(m_text.mid(l.start, l.length), font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(m_tabWidth);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine textLine = layout->createLine();
    if (textLine.isValid())
        textLine.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout->endLayout();
    return layout;
}

// ---------------------------------------------------------------------------
// Geometry

qsizetype ResultView::offsetAt(const QPoint &viewportPos)
{
    const int y = viewportPos.y() - m_margin;
    const qsizetype row = y >= 0 ? y / m_lineHeight : -1 - (-y - 1) / m_lineHeight;
    qsizetype line = firstVisibleLine() + row;
    layoutUntilLine(line);
    line = std::clamp<qsizetype>(line, 0, lineCount() - 1);
    const auto layout = makeLayout(line);
    const QTextLine textLine = layout->lineAt(0);
    const int column = textLine.isValid() ? textLine.xToCursor(viewportPos.x() - m_margin) : 0;
    return m_lines[size_t(line)].start + column;
}

QRect ResultView::characterRect(qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, m_text.size());
    const qsizetype line = lineOfOffset(offset);
    const Line &l = m_lines[size_t(line)];
    const auto layout = makeLayout(line);
    const QTextLine textLine = layout->lineAt(0);
    const int column = int(std::min<qsizetype>(offset - l.start, l.length));
    const qreal x1 = textLine.cursorToX(column);
    const qreal x2 = column < l.length ? textLine.cursorToX(column + 1) : x1 + 1;
    const int top = m_margin + int(line - firstVisibleLine()) * m_lineHeight;
    return QRect(m_margin + int(x1), top, std::max(1, int(x2 - x1)), m_lineHeight);
}

void ResultView::scrollToLineTop(qsizetype line)
{
    // Wrap far enough for the line to be at the top of a full page.
    layoutUntilLine(line + visibleLineCount());
    updateScrollBar();
    verticalScrollBar()->setValue(clampToInt(line));
}

void ResultView::scrollToOffset(qsizetype offset)
{
    const qsizetype line = lineOfOffset(offset);
    const qsizetype top = firstVisibleLine();
    const int visible = visibleLineCount();
    if (line < top)
        scrollToLineTop(line);
    else if (line >= top + visible)
        scrollToLineTop(line - visible + 1);
}

// ---------------------------------------------------------------------------
// Events

bool ResultView::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key == QKeySequence::Copy || key == QKeySequence::SelectAll) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void ResultView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPalette pal = palette();
    painter.setPen(pal.color(QPalette::Text));
    painter.setFont(font());

    const qsizetype top = firstVisibleLine();
    const int visible = visibleLineCount() + 1;
    layoutUntilLine(top + visible);
    const qsizetype last = std::min<qsizetype>(lineCount(), top + visible);
    const qsizetype selStart = selectionStart();
    const qsizetype selEnd = selectionEnd();

    QTextCharFormat selectedFormat;
    selectedFormat.setBackground(pal.brush(QPalette::Highlight));
    selectedFormat.setForeground(pal.brush(QPalette::HighlightedText));

    for (qsizetype line = top; line < last; ++line) {
        const Line &l = m_lines[size_t(line)];
        const auto layout = makeLayout(line);
        QList<QTextLayout::FormatRange> selections;
        const qsizetype from = std::max(selStart, l.start);
        const qsizetype to = std::min(selEnd, l.start + l.length);
        if (from < to)
            selections.append({int(from - l.start), int(to - from), selectedFormat});
        const QPointF origin(m_margin, m_margin + int(line - top) * m_lineHeight);
        layout->draw(&painter, origin, selections);
        // A selected line break shows as a small block at the end of its line.
        const qsizetype breakAt = l.start + l.length;
        if (selStart <= breakAt && breakAt < selEnd && breakAt < m_text.size() &&
            isLineBreak(m_text.at(breakAt).unicode())) {
            const qreal x = layout->lineAt(0).isValid() ? layout->lineAt(0).naturalTextWidth() : 0;
            painter.fillRect(QRectF(origin.x() + x, origin.y(), m_lineHeight / 3.0, m_lineHeight),
                             pal.brush(QPalette::Highlight));
        }
    }
}

void ResultView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (availableWidth() != m_layoutWidth) {
        const qsizetype keep = lineStart(firstVisibleLine());
        restartLayout();
        if (keep > 0)
            scrollToLineTop(lineOfOffset(keep));
    }
    updateScrollBar();
}

void ResultView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void ResultView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        const qsizetype keep = lineStart(firstVisibleLine());
        updateMetrics();
        restartLayout();
        if (keep > 0)
            scrollToLineTop(lineOfOffset(keep));
        viewport()->update();
    } else if (event->type() == QEvent::PaletteChange) {
        viewport()->update();
    }
}

void ResultView::extendSelectionTo(const QPoint &viewportPos)
{
    const qsizetype offset = offsetAt(viewportPos);
    if (!m_wordSelecting) {
        setPositions(m_anchor, offset);
        return;
    }
    qsizetype start, end;
    wordAt(offset, &start, &end);
    if (offset < m_wordAnchorStart)
        setPositions(m_wordAnchorEnd, start);
    else
        setPositions(m_wordAnchorStart, std::max(end, m_wordAnchorEnd));
}

void ResultView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const qsizetype offset = offsetAt(pos);
    m_wordSelecting = false;
    if (event->modifiers() & Qt::ShiftModifier)
        setPositions(m_anchor, offset);
    else
        setPositions(offset, offset);
    m_selecting = true;
    m_lastDragPos = pos;
    event->accept();
}

void ResultView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_selecting || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    m_lastDragPos = event->position().toPoint();
    extendSelectionTo(m_lastDragPos);
    const bool outside = m_lastDragPos.y() < 0 || m_lastDragPos.y() >= viewport()->height();
    if (outside && !m_autoScrollTimer.isActive())
        m_autoScrollTimer.start(50, this);
    else if (!outside)
        m_autoScrollTimer.stop();
    event->accept();
}

void ResultView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_selecting) {
        m_selecting = false;
        m_wordSelecting = false;
        m_autoScrollTimer.stop();
        updateSelectionClipboard();
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void ResultView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    qsizetype start, end;
    wordAt(offsetAt(pos), &start, &end);
    m_wordAnchorStart = start;
    m_wordAnchorEnd = end;
    m_wordSelecting = true;
    m_selecting = true;
    setPositions(start, end);
    event->accept();
}

void ResultView::keyPressEvent(QKeyEvent *event)
{
    QScrollBar *bar = verticalScrollBar();
    if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::SelectAll) {
        selectAll();
    } else if (event->key() == Qt::Key_Up) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (event->key() == Qt::Key_Down) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    } else if (event->key() == Qt::Key_PageUp) {
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    } else if (event->key() == Qt::Key_PageDown) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    } else if (event->key() == Qt::Key_Home) {
        bar->setValue(0);
    } else if (event->key() == Qt::Key_End) {
        completeLayout();
        bar->setValue(bar->maximum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ResultView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copyAction = menu.addAction(QStringLiteral("&Copier"), this, &ResultView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    QAction *allAction = menu.addAction(QStringLiteral("Tout &sélectionner"), this, &ResultView::selectAll);
    allAction->setShortcut(QKeySequence::SelectAll);
    allAction->setEnabled(!m_text.isEmpty());
    menu.exec(event->globalPos());
}

void ResultView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_layoutTimer.timerId()) {
        layoutSlice();
        return;
    }
    if (event->timerId() == m_autoScrollTimer.timerId()) {
        QScrollBar *bar = verticalScrollBar();
        if (m_lastDragPos.y() < 0)
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else if (m_lastDragPos.y() >= viewport()->height())
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        extendSelectionTo(m_lastDragPos);
        return;
    }
    QAbstractScrollArea::timerEvent(event);
}

void ResultView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ResultView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace velmora
