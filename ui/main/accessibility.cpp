#include "ui/main/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

// "①" to "⑥" as a reader says them; blank is an empty space.
QString spokenMark(const QString &caption)
{
    if (caption.size() == 1 && caption[0] >= u'\u2460' && caption[0] <= u'\u2465')
        return QStringLiteral("車%1").arg(caption[0].unicode() - 0x2460 + 1);
    return caption.isEmpty() ? QStringLiteral("空き") : caption;
}

int numberIn(const QString &name, const char *prefix)
{
    const QString rest = name.mid(int(qstrlen(prefix)));
    bool ok = false;
    const int number = rest.toInt(&ok);
    return ok && name.startsWith(QLatin1String(prefix)) ? number : 0;
}

// A space or counter button: Qt's own button, with a name made from its caption.
class SpokenButton : public QAccessibleWidget
{
public:
    explicit SpokenButton(QWidget *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const int number = numberIn(widget()->objectName(), "Command");
        const QString caption = static_cast<QAbstractButton *>(widget())->text();
        if (number >= 5 && number <= 10)
            return QStringLiteral("固定するとき 駐車位置%1 %2").arg(number - 4).arg(spokenMark(caption));
        if (number >= 15 && number <= 20)
            return QStringLiteral("固定しないとき 駐車位置%1 %2").arg(number - 14).arg(spokenMark(caption));
        const QString area = number <= 12 ? QStringLiteral("固定するとき") : QStringLiteral("固定しないとき");
        const QString way = caption == u"↑" ? QStringLiteral("上へ") : QStringLiteral("下へ");
        return QStringLiteral("%1 どかし回数 %2").arg(area, way);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = widget()->focusPolicy() != Qt::NoFocus;
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction()) {
            if (widget()->isEnabled())
                static_cast<QAbstractButton *>(widget())->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

// A log cell: its roll number and what it holds.
class LogCell : public QAccessibleWidget
{
public:
    explicit LogCell(QWidget *cell)
        : QAccessibleWidget(cell, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString result = static_cast<QLabel *>(widget())->text().trimmed();
        return QStringLiteral("%1回目 %2")
            .arg(numberIn(widget()->objectName(), "Labme"))
            .arg(result.isEmpty() ? QStringLiteral("まだ振っていません") : result);
    }
};

QAccessibleInterface *spokenNames(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    const QString name = object->objectName();
    if (className == u"QPushButton" && widget->window()->objectName() == u"Form1") {
        const int number = numberIn(name, "Command");
        if (number >= 5 && number <= 20)
            return new SpokenButton(widget);
    }
    if (className == u"QLabel" && numberIn(name, "Labme") > 0)
        return new LogCell(widget);
    return nullptr;
}

} // namespace

void installAccessibleNames() { QAccessible::installFactory(spokenNames); }
