#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What a screen reader gets of the help picture: the printed lines as one
// read-only text, with a caret that the arrow keys move a line at a time.
// An accessible-interface factory for QAccessible::installFactory.
QAccessibleInterface *printedText(const QString &className, QObject *object);
