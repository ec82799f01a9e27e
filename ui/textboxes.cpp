#include "ui/textboxes.h"

#include "ui/cursors.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace velmora {

QString messageText(const QPlainTextEdit *box)
{
    if (!box)
        return QString();
    // The raw text keeps what the user typed; only the paragraph separators
    // (Enter) and line separators (Shift+Enter) between lines are the
    // document's own, and both are line breaks of the message. (The plain
    // text conversion of the document would also turn no-break spaces into
    // blanks, changing the message.)
    const QString text = box->document()->toRawText();
    auto isBreak = [](char16_t c) { return c == QChar::ParagraphSeparator || c == QChar::LineSeparator; };
    const char16_t *begin = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *end = begin + text.size();
    const qsizetype breaks = std::count_if(begin, end, isBreak);
    if (breaks == 0)
        return text;
    // One pass into a string of the final size: messages can be megabytes.
    QString message(text.size() + breaks, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(message.data());
    for (const char16_t *p = begin; p != end; ++p) {
        if (isBreak(*p)) {
            *out++ = u'\r';
            *out++ = u'\n';
        } else {
            *out++ = *p;
        }
    }
    return message;
}

void setTextColours(QWidget *widget, const QColor &text, const QColor &background)
{
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Base, background);
    }
    widget->setPalette(palette);
}

namespace {

void prepareTextBox(QPlainTextEdit *box, const QString &name, const QRect &geometry)
{
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(2);
}

} // namespace

QPlainTextEdit *makeMessageBox(QWidget *parent, const QString &name, const QRect &geometry, const QString &initialText,
                               bool scrollBar)
{
    auto *box = new QPlainTextEdit(parent);
    prepareTextBox(box, name, geometry);
    box->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    box->setAccessibleName(QStringLiteral("Message"));
    setTextColours(box, QApplication::palette().color(QPalette::Highlight),
                   QApplication::palette().color(QPalette::Base));
    box->viewport()->setCursor(velmoraCursor(VelmoraCursor::PenBeam));
    box->setPlainText(initialText);
    return box;
}

QTextEdit *makeInfoText(QWidget *parent, const QString &name, const QRect &geometry, const QString &text,
                        const QColor &textColour, const QColor &background, const QString &accessibleName)
{
    auto *box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setAcceptRichText(false);
    box->setLineWrapMode(QTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(1);
    box->setReadOnly(true);
    box->setEnabled(false);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAccessibleName(accessibleName);
    setTextColours(box, textColour, background);
    // The text and its line pitch in one edit, so the box lays it out once.
    QTextCursor all(box->document());
    all.beginEditBlock();
    box->setPlainText(text);
    QTextBlockFormat lines;
    lines.setLineHeight(designLineHeight(box->font()), QTextBlockFormat::FixedHeight);
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(lines);
    all.endEditBlock();
    box->document()->clearUndoRedoStacks();

    box->viewport()->setCursor(Qt::ArrowCursor);
    box->setCursor(Qt::ArrowCursor);
    return box;
}

} // namespace velmora
