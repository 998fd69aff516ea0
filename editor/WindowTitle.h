#pragma once

#include <QString>

#include <string>

namespace vantrel {

// The editor window's title: "Vantrel Generator", then " - " and the profile's file name once
// it has one, and the place of the modified mark, which the window shows as "*" while the
// profile differs from its file ("Vantrel Generator - Hornet.vtp*", "Vantrel Generator*" for a
// changed profile never saved).
QString editorWindowTitle(const std::string& profileFileName);

} // namespace vantrel
