#pragma once

#include <QString>

#include <string>

namespace vantrel {

// The editor window's title: "Vantrel Generator", then " - " and the profile's file name once
// it has one, and "*" while there are unsaved changes ("Vantrel Generator - Hornet.vtp*",
// "Vantrel Generator*" for a changed profile never saved).
QString editorWindowTitle(const std::string& profileFileName, bool profileSaved);

} // namespace vantrel
