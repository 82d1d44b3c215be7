#include "ui/main/spoken_name.h"

SpokenName::SpokenName(QWidget *control, const QString &words, State state, const QWidget *shownBy)
    : QObject(control)
    , words(words)
    , state(state)
    , shownBy(shownBy ? shownBy : control)
{}

void SpokenName::attach(QWidget *control, const QString &words, State state, const QWidget *shownBy)
{
    new SpokenName(control, words, state, shownBy);
}

const SpokenName *SpokenName::of(const QObject *control)
{
    return control ? control->findChild<SpokenName *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}
