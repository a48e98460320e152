#include "measure/workspace/MessageBoxPresenter.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace tessmet;

class tst_MessageBoxPresenter : public QObject {
    Q_OBJECT

private slots:
    void iconByNumber_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::newRow("1 information") << 1 << int(QMessageBox::Information);
        QTest::newRow("2 question") << 2 << int(QMessageBox::Question);
        QTest::newRow("3 exclamation") << 3 << int(QMessageBox::Warning);
        QTest::newRow("4 stop") << 4 << int(QMessageBox::Critical);
        QTest::newRow("0 other") << 0 << int(QMessageBox::Information);
        QTest::newRow("5 other") << 5 << int(QMessageBox::Information);
        QTest::newRow("-1 other") << -1 << int(QMessageBox::Information);
    }
    void iconByNumber() {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QCOMPARE(int(MessageBoxPresenter::IconFor(kind)), icon);
    }

    void ownerIsTheActiveModalDialogOfTheMainWindow() {
        QMainWindow main;
        main.show();
        QCOMPARE(MessageBoxPresenter::OwnerFor(&main), &main);
        QDialog dialog(&main);
        dialog.open();  // window-modal, returns at once
        QCOMPARE(MessageBoxPresenter::OwnerFor(&main), &dialog);
        dialog.close();
        QDialog stranger;  // some other program window is no owner
        stranger.setModal(true);
        stranger.show();
        QCOMPARE(MessageBoxPresenter::OwnerFor(&main), &main);
        stranger.close();
        QCOMPARE(MessageBoxPresenter::OwnerFor(nullptr), nullptr);
    }

    // The real box, answered by clicking its button as soon as its event loop runs.
    void showsCaptionTextIconButtonsOnTopAndReturnsTheClick_data() {
        QTest::addColumn<int>("buttons");  // 0 OK, 1 Yes/No
        QTest::addColumn<int>("click");    // the QMessageBox standard button to press
        QTest::addColumn<int>("answer");
        QTest::newRow("ok") << 0 << int(QMessageBox::Ok) << int(MessageAnswer::Ok);
        QTest::newRow("yes") << 1 << int(QMessageBox::Yes) << int(MessageAnswer::Yes);
        QTest::newRow("no") << 1 << int(QMessageBox::No) << int(MessageAnswer::No);
    }
    void showsCaptionTextIconButtonsOnTopAndReturnsTheClick() {
        QFETCH(int, buttons);
        QFETCH(int, click);
        QFETCH(int, answer);
        QMainWindow main;
        main.show();
        MessageBoxPresenter presenter(&main);

        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons offered;
        bool onTop = false;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {  // not the active modal widget: close it anyway so the checks below fail
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (auto* other = qobject_cast<QMessageBox*>(w)) other->reject();
                }
                return;
            }
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            offered = box->standardButtons();
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            parent = box->parentWidget();
            box->button(QMessageBox::StandardButton(click))->click();
        });
        const MessageRequest request{12105, MessageIcon::Question,
                                     buttons ? MessageButtons::YesNo : MessageButtons::Ok, "\n<a.inf>"};
        QCOMPARE(int(presenter.present(request)), answer);
        QCOMPARE(title, QStringLiteral("ID:12105"));
        QCOMPARE(text, QStringLiteral("Do you save at a setting file and end?\n<a.inf>"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(offered, buttons ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(onTop);
        QCOMPARE(parent, &main);
    }
};

QTEST_MAIN(tst_MessageBoxPresenter)
#include "MessageBoxPresenterTest.moc"
