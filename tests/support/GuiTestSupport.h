#pragma once

#include "platform/MessageBox.h"
#include "support/ScriptedDesktop.h"
#include "support/core/RecordedMessages.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

namespace vantrel::test {

// Installs the recording message presenter and the scripted desktop for one test, so that
// every message box, file dialog and modal dialog is answered without a person or a timer.
class GuiSeams {
public:
    GuiSeams();
    ~GuiSeams();
    GuiSeams(const GuiSeams&) = delete;
    GuiSeams& operator=(const GuiSeams&) = delete;

    testsupport::RecordingMessagePresenter messages;
    platform::ScriptedDesktop desktop;

private:
    platform::ScopedMessagePresenter scopedMessages_;
};

// The child of this type and object name; fails the test when there is none.
template <typename T> T* child(const QObject* parent, const char* objectName) {
    T* found = parent->findChild<T*>(QString::fromLatin1(objectName));
    if (!found)
        qFatal("no child named %s", objectName);
    return found;
}

// A menu entry's text as the user reads it, without the '&' of its mnemonic.
QString plainText(const QAction* action);

// A window's title as the window system shows it, the modified mark "[*]" stands for put in.
QString shownTitle(QWidget& window);

// Clicks a button by name after checking that it exists, is visible to the user and enabled.
bool clickButton(const QObject* parent, const char* objectName);

// Opens the menu of this object name from the menu bar and clicks its entry, as a user does;
// fails the running test when the menu or an enabled entry of that text is missing.
void chooseMenuEntry(const QWidget& window, QMenuBar* bar, const char* menuName,
                     const QString& entry);

// Saves a picture of the widget under the build folder's screenshots/ for people to look at.
QString saveScreenshot(QWidget* widget, const QString& fileName);

} // namespace vantrel::test
