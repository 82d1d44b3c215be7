#pragma once

// Helpers shared by the widget tests: find the real controls by their names
// and click them the way a user does.

#include "app/form1.h"
#include "sound/multimedia_control.h"
#include "ui/focus_frame.h"
#include "ui/fonts.h"
#include "ui/main/accessibility.h"
#include "ui/main/picture_box.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

template <typename T = QWidget> T *control(const QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

// A button by its control name, "Command1" to "Command21".
inline QPushButton *button(const QWidget *window, const QString &name)
{
    return control<QPushButton>(window, name);
}

// The names of the buttons beside space k (1 to 6) of each parking area.
inline QString fixedSpaceButton(int k) { return QStringLiteral("Command%1").arg(4 + k); }
inline QString backFirstSpaceButton(int k) { return QStringLiteral("Command%1").arg(14 + k); }

inline QLabel *label(const QWidget *window, const QString &name) { return control<QLabel>(window, name); }

inline QLabel *logCell(const QWidget *window, int k)
{
    return label(window, QStringLiteral("Labme%1").arg(k));
}

inline PictureBox *carPicture(const QWidget *window, int i)
{
    return control<PictureBox>(window, QStringLiteral("car%1").arg(i));
}

// One face of the die; the die itself is the picture named Image1.
inline DieFace *face(const QWidget *window, int pips)
{
    return control<DieFace>(window, QStringLiteral("Image1%1").arg(pips));
}

inline void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

inline void clickButton(const QWidget *window, const QString &name) { click(button(window, name)); }

// Faces on view, in pip order.
inline QList<int> visibleFaces(const QWidget *window)
{
    QList<int> faces;
    for (int pips = 1; pips <= 6; ++pips)
        if (face(window, pips)->isVisible())
            faces.append(pips);
    return faces;
}

// A stand-in for the window's sound device: what the window wrote to it, as
// "Stop", "file:pinpon.wav", "Open".
struct RecordedCues : MultimediaControl
{
    QStringList *written;
    explicit RecordedCues(QStringList *written)
        : written(written)
    {}
    void setFileName(const QString &name) override { *written << QStringLiteral("file:") + name; }
    void setCommand(const QString &command) override { *written << command; }
};

// A main window shown and active, as at program start; with the program's own
// sound device, or one that records into `cues`.
inline std::unique_ptr<Form1> startedWindow(QStringList *cues = nullptr)
{
    auto form
        = cues ? std::make_unique<Form1>(std::make_unique<RecordedCues>(cues)) : std::make_unique<Form1>();
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("the main window did not become active");
    return form;
}

// Runs the die for `ticks` timer ticks (delivered by hand) and stops it.
inline void rollAndStop(Form1 &form, int ticks = 0)
{
    clickButton(&form, "Command4"); // roll
    for (int i = 0; i < ticks; ++i)
        form.Timer1_Timer();
    clickButton(&form, "Command1"); // stop
}

// Answers the quit question ("yes" or "no") once it is up, and reports what
// it showed.
struct QuitAnswer
{
    QString title, text, defaultButton;
    QStringList buttons;
    bool hadIcon = true;
};

inline void answerQuitQuestion(const QString &answer, QuitAnswer *seen = nullptr)
{
    QTimer::singleShot(0, [answer, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            qFatal("no quit question");
        if (seen) {
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->hadIcon = box->icon() != QMessageBox::NoIcon;
            seen->defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            for (QAbstractButton *button : box->buttons())
                seen->buttons << button->text();
        }
        click(box->findChild<QPushButton *>(answer));
    });
}

// Every widget test starts the application the way main() does.
#define PARKING_TEST_MAIN(TestClass)                                                                         \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        QApplication app(argc, argv);                                                                        \
        installFontSubstitutes();                                                                            \
        installAccessibleNames();                                                                            \
        installFocusFrameStyle();                                                                            \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
