#include "controls/StatusTexts.h"

#include "controls/OpenTranslation.h"
#include "device/player/ControlNames.h"

#include <QFileInfo>

namespace vantrel {
namespace {

using Kind = player::ControlInput::Kind;

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

QString counted(long long count, const char* noun) {
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(noun), count == 1 ? "" : "s");
}

} // namespace

QString StatusTexts::driver(const QString& monitorPath, const QString& programPath) const {
    if (connected)
        return QStringLiteral("vantrel-driver is running; output: %1")
            .arg(QString::fromStdString(state.output));
    if (monitorPath.isEmpty())
        return QStringLiteral("Only vantrel-driver on Linux tells what it is doing; this window "
                              "can still try the open profile.");
    if (!programPath.isEmpty() && QFileInfo::exists(programPath))
        return QStringLiteral("A driver answers at %1 but serves no monitor stream (x36-simdriver "
                              "serves none). Start vantrel-driver to see the stick here.")
            .arg(programPath);
    return QStringLiteral("No driver is running: nothing answers at %1. "
                          "Start it with: systemctl --user start vantrel-driver")
        .arg(monitorPath);
}

QString StatusTexts::heldProfile() const {
    const auto& held = state.profile;
    QString line;
    if (!connected) {
        line = QStringLiteral("unknown (no driver)");
    } else if (!held) {
        line = QStringLiteral("none");
    } else {
        line = QStringLiteral("%1, %2, %3, %4")
                   .arg(counted(held->scripts, "script"), counted(held->modes, "mode"),
                        counted(held->chains, "chain"),
                        held->from == "kept" ? QStringLiteral("kept from its last run")
                                             : QStringLiteral("sent to it"));
        if (!held->loaded.empty())
            line += QStringLiteral(", loaded %1").arg(QString::fromStdString(held->loaded));
    }
    if (!state.lastRefusal.empty())
        line += QStringLiteral("; last profile refused: %1")
                    .arg(QString::fromStdString(state.lastRefusal));
    return line;
}

QString StatusTexts::match() const {
    const auto& held = state.profile;
    if (!open || !held || !connected)
        return QStringLiteral("nothing to compare");
    const QString saved = QString::fromStdString(open->savedPath());
    if (open->savedHasDigest(held->digest))
        return QStringLiteral("the driver holds %1 (same bytes)").arg(saved);
    if (open->memoryHasDigest(held->digest))
        return QStringLiteral("the driver holds this profile as it is now, but not as %1 holds it")
            .arg(saved.isEmpty() ? QStringLiteral("a saved file") : saved);
    if (saved.isEmpty() || !open->savedBytes())
        return QStringLiteral("the driver holds another profile; this one has no .bpf file yet "
                              "(Profile > Translate to .bpf File)");
    return QStringLiteral("the driver holds another profile than %1; send it with Profile > "
                          "Query HOTAS")
        .arg(saved);
}

QString StatusTexts::activeMode() const {
    if (!connected || !state.profile)
        return QStringLiteral("none");
    const bool ours = open && (open->savedHasDigest(state.profile->digest) ||
                               open->memoryHasDigest(state.profile->digest));
    const std::string name = ours ? open->modeName(state.mode) : std::string();
    if (name.empty())
        return QStringLiteral("configuration %1").arg(state.mode);
    return QStringLiteral("%1 (configuration %2)")
        .arg(QString::fromStdString(name))
        .arg(state.mode);
}

QString StatusTexts::trySource() const {
    if (!open || !open->tryBytes())
        return QStringLiteral("The open profile does not translate, so there is nothing to try: "
                              "%1")
            .arg(open ? QString::fromStdString(open->failure()) : QString());
    if (open->savedIsCurrent())
        return QStringLiteral("Plays the saved file %1.")
            .arg(QString::fromStdString(open->savedPath()));
    return QStringLiteral("Plays the profile in memory, translated without writing a file (%1).")
        .arg(open->savedBytes() ? QStringLiteral("its .bpf file holds something else")
                                : QStringLiteral("it has no .bpf file"));
}

QString StatusTexts::controlLine(const player::ControlInput& row, bool& lit) const {
    const auto at = std::size_t(row.index);
    switch (row.kind) {
    case Kind::Button:
        lit = state.buttons[at] != 0;
        return text(player::buttonName(row.index)) +
               (lit ? QStringLiteral(": pressed") : QStringLiteral(": released"));
    case Kind::Hat:
        lit = state.hats[at] == row.value;
        return text(player::hatName(row.index)) + QLatin1Char(' ') +
               text(player::hatDirectionName(row.value)) +
               (lit ? QStringLiteral(": pressed") : QStringLiteral(": released"));
    case Kind::Axis:
        break;
    }
    lit = false;
    return text(player::axisName(row.index)) + QStringLiteral(": %1").arg(state.axes[at]);
}

} // namespace vantrel
