// The Qt message boxes: the icon each kind of message gets, and the answer handed back.
#include "platform/MessageBox.h"
#include "platform/qt/QtMessagePresenter.h"
#include "support/core/RecordedMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace vantrel::platform;

class MessagePresenterTest : public QObject {
    Q_OBJECT

    // Shows the message through the Qt presenter; once the box is up, notes its icon and
    // presses the given button.
    static MessageAnswer show(const Message& message, QMessageBox::StandardButton press,
                              QMessageBox::Icon& icon) {
        icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&icon, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            icon = box->icon();
            box->button(press)->click();
        });
        QtMessagePresenter presenter;
        return presenter.present(message);
    }

private slots:
    void iconFollowsTheMessagesKind() {
        QMessageBox::Icon icon{};
        Message success{"Profile load complete.\n", "Device Query"};
        success.icon = MessageIcon::Information;
        QVERIFY(show(success, QMessageBox::Ok, icon) == MessageAnswer::Ok);
        QCOMPARE(icon, QMessageBox::Information);

        const Message failure{"Ping error.  Value: 1\n", "Device Query"};
        QVERIFY(show(failure, QMessageBox::Ok, icon) == MessageAnswer::Ok);
        QCOMPARE(icon, QMessageBox::Warning);

        const Message question{"Continue?", "Confirm Clear", MessageButtons::YesNo};
        QVERIFY(show(question, QMessageBox::Yes, icon) == MessageAnswer::Yes);
        QCOMPARE(icon, QMessageBox::Question);
    }

    void showMessageCarriesTheIconToThePresenter() {
        vantrel::testsupport::RecordingMessagePresenter recording;
        ScopedMessagePresenter scoped(recording);
        showMessage("done", "Device Query", MessageButtons::Ok, nullptr, MessageIcon::Information);
        showMessage("failed", "Device Query");
        QCOMPARE(recording.shown().size(), std::size_t(2));
        QVERIFY(recording.shown()[0].icon == MessageIcon::Information);
        QVERIFY(recording.shown()[1].icon == MessageIcon::Standard);
    }
};

QTEST_MAIN(MessagePresenterTest)
#include "MessagePresenterTest.moc"
