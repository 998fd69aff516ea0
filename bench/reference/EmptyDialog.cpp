// The yardstick for the editor's start: the least a Qt 6 Widgets program does to put a dialog
// on the screen and wait. bench_window_start measures it beside vantrel in the same run.
#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Empty"));
    return dialog.exec();
}
