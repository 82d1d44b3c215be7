#include "ui/help/printed_text.h"

#include "ui/help/print_picture.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class PrintedText : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PrintedText(PrintPicture *picture)
        : QAccessibleWidget(picture, QAccessible::EditableText)
    {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("設問と操作方法");
        if (t == QAccessible::Value)
            return all();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }

    // QAccessibleTextInterface: read-only, no selection; the caret is the
    // start of the line the arrow keys reached.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return picture()->caretOffset(); }
    void setCursorPosition(int position) override
    {
        picture()->setCaretLine(int(all().left(position).count(u'\n')));
    }
    QString text(int start, int end) const override { return all().mid(start, end - start); }
    int characterCount() const override { return int(all().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    // One run without attributes: a reader that splits a line by runs
    // would otherwise lose characters.
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    PrintPicture *picture() const { return static_cast<PrintPicture *>(widget()); }
    QString all() const { return picture()->printedLines().join(u'\n'); }
};

} // namespace

QAccessibleInterface *printedText(const QString &className, QObject *object)
{
    if (className == u"PrintPicture" && object && object->isWidgetType())
        return new PrintedText(static_cast<PrintPicture *>(object));
    return nullptr;
}
