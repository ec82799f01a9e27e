#include "ui/resultviewaccessible.h"

#include "ui/resultview.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

int clampToInt(qsizetype value)
{
    return int(std::clamp<qsizetype>(value, 0, std::numeric_limits<int>::max()));
}

class ResultViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ResultViewAccessible(ResultView *view)
        : QAccessibleWidget(view, QAccessible::EditableText)
    {
    }

    ResultView *view() const { return static_cast<ResultView *>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        s.editable = false;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return view()->toPlainText();
        return QAccessibleWidget::text(t);
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && view()->hasSelection()) {
            *start = clampToInt(view()->selectionStart());
            *end = clampToInt(view()->selectionEnd());
        }
    }
    int selectionCount() const override { return view()->hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { view()->setSelection(start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            view()->clearSelection();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            view()->setSelection(start, end);
    }
    int cursorPosition() const override { return clampToInt(view()->cursorPosition()); }
    void setCursorPosition(int position) override { view()->setSelection(position, position); }
    QString text(int start, int end) const override
    {
        const QString all = view()->toPlainText();
        start = std::clamp(start, 0, clampToInt(all.size()));
        end = std::clamp(end, start, clampToInt(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return clampToInt(view()->toPlainText().size()); }
    QRect characterRect(int offset) const override
    {
        const QRect local = view()->characterRect(offset);
        return QRect(view()->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = view()->viewport()->mapFromGlobal(point);
        if (!view()->viewport()->rect().contains(local))
            return -1;
        return clampToInt(view()->offsetAt(local));
    }
    void scrollToSubstring(int start, int) override { view()->scrollToOffset(start); }
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return QString();
    }
};

QAccessibleInterface *resultViewAccessibleFactory(const QString &, QObject *object)
{
    if (auto *view = qobject_cast<ResultView *>(object))
        return new ResultViewAccessible(view);
    return nullptr;
}

} // namespace

void registerResultViewAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(resultViewAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace velmora
