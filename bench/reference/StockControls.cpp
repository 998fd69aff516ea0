// The floor under the editor's start: the same kinds and numbers of stock Qt widgets as the
// editor window (a menu bar of three menus, three line edits, two list views, four group
// boxes, thirteen buttons, labels and a 198 x 55 picture), in the same font and at the same
// size, with the two start-up measures the editor takes (its application style, the menu bar
// kept in the window) and none of its other code. bench_window_start measures it beside
// vantrel.
#include "widgets/DialogUnits.h"
#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

QListView* listOf(const QString& row, QWidget* owner) {
    auto* list = new QListView;
    list->setModel(new QStringListModel({row}, owner));
    return list;
}

void addButtons(QBoxLayout* layout, std::initializer_list<const char*> labels) {
    for (const char* label : labels)
        layout->addWidget(new QPushButton(QString::fromLatin1(label)));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vantrel::useProgramStyle();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Stock controls"));
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(9);
    dialog.setFont(courier);

    auto* menuBar = new QMenuBar(&dialog);
    for (const char* title : {"&File", "Pr&ofile", "&Help"}) {
        QMenu* menu = menuBar->addMenu(QString::fromLatin1(title));
        for (int entry = 1; entry <= 4; ++entry)
            menu->addAction(QStringLiteral("Entry %1").arg(entry));
    }

    auto* scriptRow = new QHBoxLayout;
    scriptRow->addWidget(new QLabel(QStringLiteral("SCRIPT:")));
    scriptRow->addWidget(new QLineEdit, 1);
    auto* scriptButtons = new QHBoxLayout;
    scriptButtons->addStretch(1);
    addButtons(scriptButtons, {"&Update", "&Add"});

    auto* scripts = new QGroupBox(QStringLiteral("SCRIPT LIST:"));
    auto* scriptLayout = new QVBoxLayout(scripts);
    scriptLayout->addWidget(listOf(QStringLiteral("_NULL"), &dialog));
    addButtons(scriptLayout, {"D&uplicate", "&Clear All", "&Delete"});

    auto* modes = new QGroupBox(QStringLiteral("PROGRAMMING MODES"));
    auto* modeLayout = new QVBoxLayout(modes);
    modeLayout->addWidget(new QLineEdit);
    modeLayout->addWidget(listOf(QStringLiteral("DEFAULT"), &dialog));
    addButtons(modeLayout, {"C&reate Mode", "&Rename", "Du&plicate", "S&et as Default", "D&elete"});

    auto* panels = new QGroupBox(QStringLiteral("ASSIGNMENT PANELS"));
    addButtons(new QHBoxLayout(panels), {"Joystick", "Throttle", "Axis"});

    QImage picture(198, 55, QImage::Format_RGB32);
    picture.fill(Qt::black);
    auto* logo = new QLabel;
    logo->setPixmap(QPixmap::fromImage(picture));

    auto* status = new QGroupBox(QStringLiteral("STATUS MESSAGE:"));
    (new QVBoxLayout(status))->addWidget(new QLineEdit);

    auto* right = new QVBoxLayout;
    right->addWidget(modes, 1);
    right->addWidget(panels);
    right->addWidget(logo, 0, Qt::AlignHCenter);
    auto* middle = new QHBoxLayout;
    middle->addWidget(scripts, 1);
    middle->addLayout(right, 1);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setMenuBar(menuBar);
    layout->addLayout(scriptRow);
    layout->addLayout(scriptButtons);
    layout->addLayout(middle, 1);
    layout->addWidget(status);
    // The editor's size: 267 by 281 dialog units of its font, the menu bar above them.
    dialog.setFixedSize(vantrel::dialogUnitsToPixels(dialog, 267, 281) +
                        QSize(0, menuBar->sizeHint().height()));
    return dialog.exec();
}
