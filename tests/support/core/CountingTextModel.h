#pragma once

#include "files/ProfileTextModel.h"

namespace vantrel::testsupport {

// A windowless profile document that counts the calls the editor window reacts to, so a
// test can see that the reader and writer make them (or do not) at the right time.
class CountingTextModel : public ProfileTextModel {
public:
    using ProfileTextModel::ProfileTextModel;

    void finishLoading() override {
        ++finishLoadingCount_;
        ProfileTextModel::finishLoading();
    }
    void switchMode() override {
        ++switchModeCount_;
        ProfileTextModel::switchMode();
    }

    int finishLoadingCount() const { return finishLoadingCount_; }
    int switchModeCount() const { return switchModeCount_; }

private:
    int finishLoadingCount_ = 0;
    int switchModeCount_ = 0;
};

} // namespace vantrel::testsupport
