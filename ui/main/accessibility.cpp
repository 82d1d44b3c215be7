#include "ui/main/accessibility.h"

#include "ui/main/spoken_name.h"

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

QString captionOf(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    return {};
}

// The words of the control's row joined with the state on view now.
QString spokenName(const QWidget *control, const SpokenName &spoken)
{
    const QWidget *shownBy = spoken.shownBy ? spoken.shownBy.data() : control;
    const QString shown = captionOf(shownBy).trimmed();
    switch (spoken.state) {
    case SpokenName::State::Mark:
        return spoken.words + u' ' + spokenMark(shown);
    case SpokenName::State::Parked:
        return spoken.words + u' ' + spokenMark(shownBy->isHidden() ? QString() : captionOf(control));
    case SpokenName::State::Count:
        return shown.isEmpty() ? spoken.words : spoken.words + QStringLiteral(" 現在") + shown;
    case SpokenName::State::Result:
        return spoken.words + u' ' + (shown.isEmpty() ? QStringLiteral("まだ振っていません") : shown);
    }
    return spoken.words;
}

// A control named from its row and state; as it is, a log cell.
class SpokenWidget : public QAccessibleWidget
{
public:
    SpokenWidget(QWidget *control, QAccessible::Role role)
        : QAccessibleWidget(control, role)
    {}

    QString text(QAccessible::Text t) const override
    {
        const SpokenName *spoken = SpokenName::of(widget());
        return t == QAccessible::Name && spoken ? spokenName(widget(), *spoken) : QAccessibleWidget::text(t);
    }
};

// A space or counter button: Qt's own button, named from its row and state.
class SpokenButton : public SpokenWidget
{
public:
    explicit SpokenButton(QWidget *button)
        : SpokenWidget(button, QAccessible::Button)
    {}

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

QAccessibleInterface *spokenNames(const QString &className, QObject *object)
{
    if (!SpokenName::of(object))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == u"QPushButton")
        return new SpokenButton(widget);
    if (className == u"QLabel")
        return new SpokenWidget(widget, QAccessible::StaticText); // a log cell
    return nullptr;
}

} // namespace

void installAccessibleNames() { QAccessible::installFactory(spokenNames); }
