#include "ui/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

QAccessibleInterface *notificationRole(const QString &className, QObject *object)
{
    if (className == u"Announcer" && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *window)
    : QWidget(window)
{
    static const bool installed = [] {
        QAccessible::installFactory(notificationRole);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 1, 1); // a plain widget: even shown, it paints nothing
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Announcer::say(const QString &text)
{
    setAccessibleName(text);
    // Showing it is what a screen reader hears; hidden again before the
    // window is next painted, and never when nobody listens.
    if (QAccessible::isActive() && window()->isVisible()) {
        show();
        hide();
    }
    emit said(text);
}

QString Announcer::nameOf(QWidget *control)
{
    const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

void Announcer::sayNameOf(QWidget *control) { say(nameOf(control)); }
