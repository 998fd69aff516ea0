#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

namespace vantrel {

// One picture of the guide: its file name and the size of the window it shows.
struct GuideScreenshot {
    QString fileName;
    QSize size;
};

struct GuideScreenshots {
    std::vector<GuideScreenshot> taken;
    // What went wrong, one line each; empty when every picture was written and checked.
    QStringList problems;
};

// Opens the editor window with the profile loaded, shows it and its three panels, and writes
// editor-window.png, stick-panel.png, throttle-panel.png and axis-panel.png into the folder.
// Each file is read back and must be a picture of its window's size that is more than a
// blank ground. Needs a QApplication; every message box counts as a problem.
GuideScreenshots takeGuideScreenshots(const QString& profilePath, const QString& folder);

} // namespace vantrel
