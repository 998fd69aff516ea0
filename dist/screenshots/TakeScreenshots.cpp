// Takes the guide's pictures of the editor window and its panels, at build time, so that the
// installed guide always shows the program as it is: take-screenshots PROFILE.vtp FOLDER
#include "GuideScreenshots.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: take-screenshots PROFILE.vtp FOLDER\n");
        return 2;
    }
    // No display is needed: the windows are drawn off screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const vantrel::GuideScreenshots shots = vantrel::takeGuideScreenshots(
        QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    for (const QString& problem : shots.problems)
        std::fprintf(stderr, "take-screenshots: %s\n", qPrintable(problem));
    return shots.problems.isEmpty() && shots.taken.size() == 4 ? 0 : 1;
}
