#include "ui/help/help_accessibility.h"

#include "ui/help/print_picture.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// The help picture: what was printed on it, as one text.
class PrintedText : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PrintedText(QWidget *picture)
        : QAccessibleWidget(picture, QAccessible::StaticText)
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

    // QAccessibleTextInterface: read-only, no selection, no caret of its own.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return all().mid(start, end - start); }
    int characterCount() const override { return int(all().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    QString all() const { return static_cast<PrintPicture *>(widget())->printedLines().join(u'\n'); }
};

QAccessibleInterface *printedTexts(const QString &className, QObject *object)
{
    if (className == u"PrintPicture" && object && object->isWidgetType())
        return new PrintedText(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void installHelpAccessibility() { QAccessible::installFactory(printedTexts); }
