#include "ui/button_keys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

class ButtonKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // Enter on the number pad comes with the keypad flag, which is no modifier.
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        switch (key->key()) {
        case Qt::Key_Space:
        case Qt::Key_Select:
            return !plain;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!plain)
                return false;
            if (!key->isAutoRepeat())
                static_cast<QPushButton *>(watched)->click();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void pressButtonsWithKeys(QWidget *window)
{
    auto *keys = new ButtonKeys(window);
    for (QPushButton *button : window->findChildren<QPushButton *>())
        button->installEventFilter(keys);
}
